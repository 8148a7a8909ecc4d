// Tiles dragged with a real pointer, and the dropper, in the built program.
#include "real_window.h"

#include <gtest/gtest.h>

namespace vexlo::test {
namespace {

constexpr QRgb kBlue = qRgb(0, 0, 255);
constexpr QRgb kBlack = qRgb(0, 0, 0);
constexpr QRgb kLightGrey = qRgb(192, 192, 192);

// Client-area rectangles of the coordinate labels.
const QRect kLeftLblX(40, 8, 49, 17);
const QRect kLeftLblY(88, 8, 49, 17);
const QRect kRightLblX(352, 8, 49, 17);
const QRect kRightLblY(400, 8, 49, 17);

class RealPointer : public RealWindow {
protected:
    void SetUp() override
    {
        RealWindow::SetUp();
        if (!started())
            return;
        client = session->clientOrigin(window);
        ASSERT_FALSE(client.isNull()) << "no black sheet found";
    }

    // Screen position of a client-area point.
    QPoint screen(int x, int y) const { return client + QPoint(x, y); }
    QRgb pixel(const QImage &shot, int x, int y) const { return shot.pixel(screen(x, y)); }
    QImage part(const QImage &shot, const QRect &rect) const { return shot.copy(rect.translated(client)); }

    QPoint client;
};

// The sheets are both blank until the load dialog can fill them, so what is
// checked here is what the pointer leaves on screen: the right locator and
// labels at the drop point and both tile previews light grey again.
TEST_F(RealPointer, DraggingATileToTheOtherPaneLeavesItsLocatorThereAndClearsThePreviews)
{
    // The left labels showing column 6 give the picture of a "6" in this font.
    ASSERT_TRUE(session->movePointer(screen(8 + 6 * 32 + 10, 50)));
    QThread::msleep(300);
    const QImage before = session->screenshot();
    ASSERT_NE(part(before, kLeftLblX), part(before, kRightLblX)) << "left shows 6, right still 0";

    QImage during;
    ASSERT_TRUE(session->dragPointer(screen(8 + 2 * 32 + 10, 50), screen(320 + 6 * 32 + 20, 60),
                                     [&] { during = session->screenshot(); }));
    const QImage after = session->screenshot();

    EXPECT_EQ(pixel(during, 232 + 16, 16), kBlack) << "the left preview shows the picked tile";
    EXPECT_EQ(pixel(during, 320 + 6 * 32, 40), kBlue) << "the right locator follows the drag";

    EXPECT_EQ(pixel(after, 320 + 6 * 32, 40), kBlue) << "right locator at column 6";
    EXPECT_EQ(pixel(after, 320 + 6 * 32 + 16, 40), kBlue);
    EXPECT_EQ(pixel(after, 320, 40), kBlack) << "right locator left column 0";
    EXPECT_EQ(part(after, kRightLblX), part(before, kLeftLblX)) << "right column label shows 6";
    EXPECT_EQ(part(after, kRightLblY), part(before, kLeftLblY)) << "right row label shows 0";
    EXPECT_EQ(pixel(after, 232 + 16, 16), kLightGrey) << "left preview cleared";
    EXPECT_EQ(pixel(after, 544 + 16, 16), kLightGrey) << "right preview clear";
}

TEST_F(RealPointer, AClickWithoutMovingEndsWithTheTilePreviewLightGrey)
{
    QImage during;
    const QPoint at = screen(8 + 3 * 32 + 5, 45);
    ASSERT_TRUE(session->dragPointer(at, at, [&] { during = session->screenshot(); }));
    EXPECT_EQ(pixel(during, 232 + 16, 16), kBlack);
    EXPECT_EQ(pixel(session->screenshot(), 232 + 16, 16), kLightGrey) << "the drop on the same tile ran";
}

TEST_F(RealPointer, ARightClickShowsTheDropperBox)
{
    const QPoint at = screen(8 + 100, 50);
    ASSERT_TRUE(session->movePointer(at));
    ASSERT_TRUE(session->run(QStringLiteral("xdotool"), {QStringLiteral("click"), QStringLiteral("3")}));
    const QString box = session->waitForWindow(QStringLiteral("^Colour remembered$"));
    ASSERT_FALSE(box.isEmpty()) << "no box captioned Colour remembered";
    // Return presses OK on the focused box; the box may need a moment to take the focus.
    bool closed = false;
    for (int attempt = 0; attempt < 20 && !closed; ++attempt) {
        session->run(QStringLiteral("xdotool"), {QStringLiteral("key"), QStringLiteral("Return")});
        closed = session->waitForWindow(QStringLiteral("^Colour remembered$"), 200).isEmpty();
    }
    EXPECT_TRUE(closed) << "OK closes the box";
}

} // namespace
} // namespace vexlo::test
