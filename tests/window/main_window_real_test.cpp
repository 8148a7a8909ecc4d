#include "x_session_test.h"

#include <QThread>

#include <gtest/gtest.h>

namespace vexlo::test {
namespace {

class RealWindow : public XSessionTest {
protected:
    void SetUp() override
    {
        XSessionTest::SetUp();
        if (!started())
            return;
        // No start-up wizard: these checks look at the main window alone.
        session->writeProgramFile(QStringLiteral("Vexlo.INI"), "[Opt]\nChkStartWiz=0\n");
        ASSERT_TRUE(session->startVexlo());
        window = session->waitForWindow(QStringLiteral("^Vexlo$"));
        ASSERT_FALSE(window.isEmpty()) << "no window captioned Vexlo appeared";
        QThread::msleep(500); // the first paint
    }

    QString window;
};

TEST_F(RealWindow, ShowsTheClientAreaWithTheLayoutsSizesAndColours)
{
    const QRect frame = session->geometry(window);
    ASSERT_TRUE(frame.isValid());
    const QImage screen = session->screenshot();
    ASSERT_FALSE(screen.isNull());

    // The left sheet is a column of 32 black pixels from client y 40 on; find
    // it to learn the menu bar's height (menu texts may be black too).
    const int probeX = frame.x() + 8 + 100;
    auto blackRun = [&](int top) {
        for (int y = top; y < top + 32; ++y)
            if (screen.pixel(probeX, y) != qRgb(0, 0, 0))
                return false;
        return true;
    };
    int sheetTop = -1;
    for (int y = frame.y(); y + 32 < frame.bottom() && sheetTop < 0; ++y)
        if (blackRun(y))
            sheetTop = y;
    ASSERT_GE(sheetTop, 0) << "no black sheet found";
    const int clientTop = sheetTop - 40;
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
