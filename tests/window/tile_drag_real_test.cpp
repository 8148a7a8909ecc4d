// Tiles dragged with a real pointer, and the dropper, in the built program.
#include "real_window.h"
#include "support/pixels.h"

#include <QDir>
#include <QPainter>

#include <gtest/gtest.h>

namespace vexlo::test {
namespace {

constexpr QRgb kBlue = qRgb(0, 0, 255);

constexpr QRgb kLeftBackground = qRgb(150, 200, 100);
constexpr QRgb kLeftTransparent = qRgb(255, 0, 255);
constexpr QRgb kLeftTranslucent = qRgb(64, 64, 64);
constexpr QRgb kRightBackground = qRgb(90, 60, 150);
constexpr QRgb kRightTransparent = qRgb(0, 255, 255);
constexpr QRgb kRightTranslucent = qRgb(30, 30, 120);
constexpr QRgb kOrange = qRgb(200, 120, 40);

// Client-area rectangles of the coordinate labels.
const QRect kLeftLblX(40, 8, 49, 17);
const QRect kLeftLblY(88, 8, 49, 17);
const QRect kRightLblX(352, 8, 49, 17);
const QRect kRightLblY(400, 8, 49, 17);

// A tile of four 16 x 16 quarters: top left, top right, bottom left, bottom right.
void PaintQuarters(QImage &sheet, QPoint at, QRgb topLeft, QRgb topRight, QRgb bottomLeft, QRgb bottomRight)
{
    QPainter painter(&sheet);
    painter.fillRect(QRect(at, QSize(16, 16)), QColor::fromRgb(topLeft));
    painter.fillRect(QRect(at + QPoint(16, 0), QSize(16, 16)), QColor::fromRgb(topRight));
    painter.fillRect(QRect(at + QPoint(0, 16), QSize(16, 16)), QColor::fromRgb(bottomLeft));
    painter.fillRect(QRect(at + QPoint(16, 16), QSize(16, 16)), QColor::fromRgb(bottomRight));
}

// A 256 x 64 sheet whose tile (0, 0) holds its key colours where the load
// dialog picks them: transparent in the top half, translucent below.
QImage KeyedSheet(QRgb background, QRgb transparent, QRgb translucent)
{
    QImage sheet(256, 64, QImage::Format_RGB32);
    sheet.fill(background);
    PaintQuarters(sheet, {0, 0}, transparent, transparent, translucent, translucent);
    return sheet;
}

// The left sheet's tile (2, 0) has both left keys, orange and background, so
// a copy shows which pixels were replaced and which passed unchanged.
QImage LeftSheet()
{
    QImage sheet = KeyedSheet(kLeftBackground, kLeftTransparent, kLeftTranslucent);
    PaintQuarters(sheet, {64, 0}, kLeftTransparent, kLeftTranslucent, kOrange, kLeftBackground);
    return sheet;
}

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

    // Each pane's load folder holds one sheet; both replacements are on.
    void prepareProgramFolder() override
    {
        const QString left = session->programFile(QStringLiteral("left"));
        const QString right = session->programFile(QStringLiteral("right"));
        ASSERT_TRUE(QDir().mkpath(left) && QDir().mkpath(right));
        ASSERT_TRUE(LeftSheet().save(left + QStringLiteral("/left.bmp")));
        ASSERT_TRUE(KeyedSheet(kRightBackground, kRightTransparent, kRightTranslucent)
                        .save(right + QStringLiteral("/right.bmp")));
        session->writeProgramFile(QStringLiteral("Vexlo.INI"),
                                  "[Opt]\nChkStartWiz=0\nChkRepTrans=1\nChkRepTransL=1\nChkRememberDirs=1\nDefDir0="
                                      + left.toLocal8Bit() + "\nDefDir1=" + right.toLocal8Bit() + "\n");
    }

    // Loads the one sheet of the pane's folder through the image menu's load
    // dialog, clicking its key colours on the preview.
    void loadSheet(int pane, const QString &captionPattern)
    {
        const QString dialog = openLoadDialog(client, pane, captionPattern);
        ASSERT_FALSE(dialog.isEmpty()) << "no load dialog for pane " << pane;
        const QPoint at = session->geometry(dialog).topLeft();
        QThread::msleep(300);
        ASSERT_TRUE(clickAt(at + QPoint(8 + 30, 240 + 8))); // the file list's only picture
        QThread::msleep(300);
        ASSERT_TRUE(clickAt(at + QPoint(240 + 10, 32 + 8), 1)); // transparent key
        ASSERT_TRUE(clickAt(at + QPoint(240 + 10, 32 + 24), 3)); // translucent key
        ASSERT_TRUE(clickAt(at + QPoint(512 + 40, 472 + 16))); // "Load"
        ASSERT_TRUE(windowGone(captionPattern)) << "the dialog refused to load for pane " << pane;
    }

    // Screen position of a client-area point.
    QPoint screen(int x, int y) const { return client + QPoint(x, y); }
    QRgb pixel(const QImage &shot, int x, int y) const { return shot.pixel(screen(x, y)); }
    QImage part(const QImage &shot, const QRect &rect) const { return shot.copy(rect.translated(client)); }

    QPoint client;
};

// Two sheets loaded through the load dialog; a tile of the left one dragged
// to the right pane arrives there with the left keys turned into the right
// ones, and the pointer leaves the right locator and labels at the drop point
// and both tile previews light grey.
TEST_F(RealPointer, DraggingATileToTheOtherPaneCopiesItWithItsKeysReplacedAndClearsThePreviews)
{
    ASSERT_NO_FATAL_FAILURE(loadSheet(0, QStringLiteral("^Load left$")));
    ASSERT_NO_FATAL_FAILURE(loadSheet(1, QStringLiteral("^Load right$")));

    // The left labels showing column 6 give the picture of a "6" in this font.
    ASSERT_TRUE(session->movePointer(screen(8 + 6 * 32 + 10, 50)));
    QThread::msleep(300);
    const QImage before = session->screenshot();
    ASSERT_NE(part(before, kLeftLblX), part(before, kRightLblX)) << "left shows 6, right does not";
    ASSERT_EQ(pixel(before, 8 + 2 * 32 + 8, 40 + 8), kLeftTransparent) << "left sheet loaded";
    ASSERT_EQ(pixel(before, 320 + 6 * 32 + 8, 40 + 8), kRightBackground) << "right sheet loaded";

    QImage during;
    ASSERT_TRUE(session->dragPointer(screen(8 + 2 * 32 + 10, 50), screen(320 + 6 * 32 + 20, 60),
                                     [&] { during = session->screenshot(); }));
    const QImage after = session->screenshot();

    EXPECT_EQ(pixel(during, 232 + 8, 24), kOrange) << "the left preview shows the picked tile";
    EXPECT_EQ(pixel(during, 232 + 8, 8), kLeftTransparent);
    EXPECT_EQ(pixel(during, 320 + 6 * 32, 40), kBlue) << "the right locator follows the drag";

    // The copy, inside the locator's 2-pixel frame.
    QImage copied(32, 32, QImage::Format_RGB32);
    PaintQuarters(copied, {0, 0}, kRightTransparent, kRightTranslucent, kOrange, kLeftBackground);
    const QRect inside(2, 2, 28, 28);
    EXPECT_TRUE(SamePixels(part(after, inside.translated(320 + 6 * 32, 40)), copied.copy(inside)));
    EXPECT_TRUE(SamePixels(part(after, inside.translated(8 + 2 * 32, 40)), LeftSheet().copy(inside.translated(64, 0))))
        << "the source tile is unchanged";
    EXPECT_EQ(pixel(after, 320 + 5 * 32 + 16, 40 + 16), kRightBackground) << "the neighbours are unchanged";
    EXPECT_EQ(pixel(after, 320 + 7 * 32 + 16, 40 + 16), kRightBackground);
    EXPECT_EQ(pixel(after, 320 + 6 * 32 + 16, 40 + 32 + 16), kRightBackground);

    EXPECT_EQ(pixel(after, 320 + 6 * 32, 40), kBlue) << "right locator at column 6";
    EXPECT_EQ(pixel(after, 320 + 6 * 32 + 16, 40), kBlue);
    EXPECT_EQ(pixel(after, 320, 40), kRightTransparent) << "right locator left column 0";
    EXPECT_EQ(part(after, kRightLblX), part(before, kLeftLblX)) << "right column label shows 6";
    EXPECT_EQ(part(after, kRightLblY), part(before, kLeftLblY)) << "right row label shows 0";
    EXPECT_EQ(pixel(after, 232 + 16, 16), kLightGrey) << "left preview cleared";
    EXPECT_EQ(pixel(after, 544 + 16, 16), kLightGrey) << "right preview clear";
}

// A Shift drag selects tiles (0, 0) to (2, 0) of the left sheet; dragging
// the block one row down swaps it with the row below; Escape clears the
// outline and Ctrl+Z puts the tiles back.
TEST_F(RealPointer, AShiftDragSelectsABlockThatADragSwapsEscapeClearsItAndUndoTakesItBack)
{
    ASSERT_NO_FATAL_FAILURE(loadSheet(0, QStringLiteral("^Load left$")));
    const auto key = [&](const char *name) {
        return session->run(QStringLiteral("xdotool"), {QStringLiteral("key"), QString::fromLatin1(name)});
    };
    const auto outlined = [&](const QImage &shot, int column, int row) {
        const QRgb edge = pixel(shot, 8 + column * 32 + 16, 40 + row * 32 + 1);
        return edge == qRgb(255, 255, 0) || edge == kBlackPixel;
    };
    const QPoint away = screen(8 + 7 * 32 + 16, 40 + 16); // the locator out of the way

    ASSERT_TRUE(session->run(QStringLiteral("xdotool"), {QStringLiteral("keydown"), QStringLiteral("shift")}));
    ASSERT_TRUE(session->dragPointer(screen(8 + 10, 40 + 10), screen(8 + 2 * 32 + 20, 40 + 12)));
    ASSERT_TRUE(session->run(QStringLiteral("xdotool"), {QStringLiteral("keyup"), QStringLiteral("shift")}));
    ASSERT_TRUE(session->movePointer(away));
    QThread::msleep(300);
    const QImage selected = session->screenshot();
    EXPECT_TRUE(outlined(selected, 0, 0) && outlined(selected, 2, 0)) << "the block is outlined";
    EXPECT_FALSE(outlined(selected, 0, 1));
    EXPECT_EQ(pixel(selected, 8 + 2 * 32 + 8, 40 + 8), kLeftTransparent) << "a selection moves nothing";

    QImage during;
    ASSERT_TRUE(session->dragPointer(screen(8 + 32 + 10, 40 + 10), screen(8 + 32 + 10, 40 + 32 + 10),
                                     [&] { during = session->screenshot(); }));
    ASSERT_TRUE(session->movePointer(away));
    QThread::msleep(300);
    const QImage swapped = session->screenshot();
    EXPECT_EQ(pixel(during, 232 + 16, 16), kLeftBackground) << "the left preview shows the grabbed tile";
    EXPECT_EQ(pixel(swapped, 8 + 2 * 32 + 8, 40 + 32 + 8), kLeftTransparent) << "tile (2, 0) went to (2, 1)";
    EXPECT_EQ(pixel(swapped, 8 + 2 * 32 + 24, 40 + 24), kLeftBackground) << "and (2, 1) came up";
    EXPECT_TRUE(outlined(swapped, 0, 1) && !outlined(swapped, 0, 0)) << "the selection went with the block";
    EXPECT_EQ(pixel(swapped, 232 + 16, 16), kLightGrey) << "the previews are clear again";

    ASSERT_TRUE(key("Escape"));
    QThread::msleep(300);
    EXPECT_FALSE(outlined(session->screenshot(), 0, 1)) << "Escape cleared the selection";

    ASSERT_TRUE(key("ctrl+z"));
    QThread::msleep(300);
    const QImage undone = session->screenshot();
    EXPECT_EQ(pixel(undone, 8 + 2 * 32 + 8, 40 + 8), kLeftTransparent) << "Ctrl+Z took the swap back";
    EXPECT_EQ(pixel(undone, 8 + 2 * 32 + 8, 40 + 32 + 8), kLeftBackground);
}

TEST_F(RealPointer, AClickWithoutMovingEndsWithTheTilePreviewLightGrey)
{
    QImage during;
    const QPoint at = screen(8 + 3 * 32 + 5, 45);
    ASSERT_TRUE(session->dragPointer(at, at, [&] { during = session->screenshot(); }));
    EXPECT_EQ(pixel(during, 232 + 16, 16), kBlackPixel);
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
