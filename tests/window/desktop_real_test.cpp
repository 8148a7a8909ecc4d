#include "real_window.h"

#include <QImage>
#include <QThread>

#include <gtest/gtest.h>

namespace vexlo::test {
namespace {

// Sheets opened from outside: the command line, a file manager's drop.
class DesktopWindow : public XSessionTest {
protected:
    // A 64 x 64 sheet whose every pixel has a colour of its own, from `seed` on.
    QString sheetFile(const QString &name, int seed = 0)
    {
        QImage sheet(64, 64, QImage::Format_RGB32);
        for (int y = 0; y < 64; ++y)
            for (int x = 0; x < 64; ++x)
                sheet.setPixel(x, y, qRgb(x * 4, y * 4, (x + y + seed) % 2 * 255));
        session->writeProgramFile(QStringLiteral("Vexlo.INI"), "[Opt]\nChkStartWiz=0\n");
        EXPECT_TRUE(sheet.save(session->programFile(name), "BMP"));
        return session->programFile(name);
    }
    // Waits for the load dialog, picks the keys on its preview and presses
    // Load, on a screen scaled by `scale`; the colour previewed at (10, 10).
    QRgb pickKeysAndLoad(const QString &caption, int scale = 1)
    {
        const QString dialog = session->waitForWindow(caption);
        EXPECT_FALSE(dialog.isEmpty()) << caption.toStdString();
        QThread::msleep(300);
        const QPoint at = session->geometry(dialog).topLeft();
        const QRgb previewed = session->screenshot().pixel(at + QPoint(250, 42) * scale);
        clickAt(at + QPoint(250, 42) * scale, 1);
        clickAt(at + QPoint(250, 72) * scale, 3);
        clickAt(at + QPoint(552, 488) * scale);
        return previewed;
    }
};

TEST_F(DesktopWindow, TwoFilesOnTheCommandLineAreOfferedLeftThenRightAndNamedInTheTitle)
{
    ASSERT_TRUE(session->startVexlo({sheetFile(QStringLiteral("left é.bmp")), sheetFile(QStringLiteral("r.bmp"), 1)}));
    EXPECT_EQ(pickKeysAndLoad(QStringLiteral("^Load left$")), qRgb(40, 40, 0)) << "previewed at once";
    EXPECT_EQ(pickKeysAndLoad(QStringLiteral("^Load right$")), qRgb(40, 40, 255));
    const QString window = session->waitForWindow(QStringLiteral("^left é.bmp \\| r.bmp - Vexlo$"));
    ASSERT_FALSE(window.isEmpty()) << "no main window naming both files";
    QThread::msleep(300);
    const QPoint client = session->geometry(window).bottomLeft() - QPoint(0, 512);
    const QImage screen = session->screenshot();
    EXPECT_EQ(screen.pixel(client + QPoint(8 + 40, 40 + 50)), qRgb(160, 200, 0));
    EXPECT_EQ(screen.pixel(client + QPoint(320 + 40, 40 + 50)), qRgb(160, 200, 255));
}

TEST_F(DesktopWindow, APictureDroppedFromAFileManagerOpensThatPanesLoadDialogWithIt)
{
    ASSERT_TRUE(session->startHelper(QStringLiteral(FILE_DRAG_SOURCE), {sheetFile(QStringLiteral("dropped.bmp"))}));
    ASSERT_TRUE(session->startVexlo());
    const QString window = session->waitForWindow(QStringLiteral("^Vexlo$"));
    const QString source = session->waitForWindow(QStringLiteral("^File drag source$"));
    ASSERT_FALSE(window.isEmpty() || source.isEmpty());
    QThread::msleep(300);
    const QPoint client = session->geometry(window).bottomLeft() - QPoint(0, 512);
    ASSERT_TRUE(session->dragPointer(session->geometry(source).center(), client + QPoint(320 + 40, 40 + 10)));
    EXPECT_EQ(pickKeysAndLoad(QStringLiteral("^Load right$")), qRgb(40, 40, 0)) << "the dropped file previewed";
    EXPECT_FALSE(session->waitForWindow(QStringLiteral("^\\(no file\\) \\| dropped.bmp - Vexlo$")).isEmpty());
}

class ScaledWindow : public DesktopWindow {
protected:
    ScaledWindow() { screen = QSize(1600, 1200); } // room for the windows at twice their size
};

TEST_F(ScaledWindow, AtTwiceTheScaleEverySheetPixelIsASharpTwoByTwoBlock)
{
    const QString file = sheetFile(QStringLiteral("pattern.bmp"));
    const QImage sheet(file);
    ASSERT_TRUE(session->startVexlo({file}, 2));
    pickKeysAndLoad(QStringLiteral("^Load left$"), 2);
    ASSERT_FALSE(session->waitForWindow(QStringLiteral("^pattern.bmp \\| \\(no file\\) - Vexlo$")).isEmpty());
    QThread::msleep(300);
    // Found by the colour only sheet pixel (40, 40) has; the locator is
    // moved off the pattern, to the black tile (7, 1), before the screenshot.
    QImage shot = session->screenshot();
    QPoint origin;
    for (int y = 0; y < shot.height() && origin.isNull(); ++y)
        for (int x = 0; x < shot.width() && origin.isNull(); ++x)
            if (shot.pixel(x, y) == sheet.pixel(40, 40))
                origin = QPoint(x - 80, y - 80);
    ASSERT_FALSE(origin.isNull()) << "sheet pixel (40, 40) is drawn in no exact colour";
    ASSERT_TRUE(session->movePointer(origin + QPoint(7 * 64 + 32, 64 + 32)));
    QThread::msleep(300);
    shot = session->screenshot();
    int blurred = 0;
    for (int y = 0; y < 128; ++y)
        for (int x = 0; x < 128; ++x)
            blurred += shot.pixel(origin + QPoint(x, y)) != sheet.pixel(x / 2, y / 2);
    EXPECT_EQ(blurred, 0) << "screen pixels not their sheet pixel's colour";
}

} // namespace
} // namespace vexlo::test
