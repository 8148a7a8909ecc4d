#include "real_window.h"

#include <gtest/gtest.h>

namespace vexlo::test {
namespace {

TEST_F(RealWindow, ShowsTheClientAreaWithTheLayoutsSizesAndColours)
{
    const QRect frame = session->geometry(window);
    ASSERT_TRUE(frame.isValid());
    const QImage screen = session->screenshot();
    ASSERT_FALSE(screen.isNull());

    const QPoint client = session->clientOrigin(window);
    ASSERT_FALSE(client.isNull()) << "no black sheet found";
    const int clientTop = client.y();
    const int menuBarHeight = clientTop - frame.y();
    EXPECT_GT(menuBarHeight, 10);
    EXPECT_EQ(frame.width(), 759);
    EXPECT_EQ(frame.bottom() - clientTop + 1, 513);

    auto at = [&](int x, int y) { return screen.pixel(frame.x() + x, clientTop + y); };
    for (int pane = 0; pane < 2; ++pane) {
        const int x = pane * 312;
        EXPECT_EQ(at(x + 8 + 100, 40 + 31), qRgb(0, 0, 0)) << "sheet " << pane << " bottom row";
        EXPECT_NE(at(x + 8 + 100, 40 + 32), qRgb(0, 0, 0)) << "sheet " << pane << " is 32 high";
        EXPECT_EQ(at(x + 8 + 255, 60), qRgb(0, 0, 0)) << "sheet " << pane << " right column";
        EXPECT_EQ(at(x + 8, 40), qRgb(0, 0, 255)) << "locator " << pane;
        EXPECT_EQ(at(x + 232 + 16, 16), qRgb(192, 192, 192)) << "tile preview " << pane;
        EXPECT_EQ(at(x + 208, 8), qRgb(255, 255, 255)) << "transparent swatch " << pane;
        EXPECT_EQ(at(x + 208, 24), qRgb(0xAB, 0xAB, 0xAB)) << "translucent placeholder " << pane;
    }
}

TEST_F(RealWindow, ClosingTheWindowEndsTheProgram)
{
    ASSERT_TRUE(session->closeWindow(window));
    EXPECT_TRUE(session->waitForExit());
}

} // namespace
} // namespace vexlo::test
