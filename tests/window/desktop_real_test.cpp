#include "real_window.h"

#include <QDir>
#include <QImage>
#include <QPainter>
#include <QThread>

#include <gtest/gtest.h>

namespace vexlo::test {
namespace {

// A 64 x 64 sheet in which every pixel has a colour of its own.
QImage PatternSheet()
{
    QImage sheet(64, 64, QImage::Format_RGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x)
            sheet.setPixel(x, y, qRgb(x * 4, y * 4, (x + y) % 2 * 255));
    return sheet;
}

QImage TwoColourSheet(QRgb top, QRgb bottom)
{
    QImage sheet(64, 64, QImage::Format_RGB32);
    sheet.fill(top);
    QPainter(&sheet).fillRect(0, 32, 64, 32, QColor(bottom));
    return sheet;
}

class DesktopWindow : public XSessionTest {
protected:
    // Picks the keys on the load dialog's preview (left at its top tile,
    // right at the one below) and presses Load, the dialog at `at` on a
    // screen scaled by `scale`.
    bool PickKeysAndLoad(QPoint at, int scale = 1)
    {
        return clickAt(at + QPoint(250, 42) * scale, 1) && clickAt(at + QPoint(250, 72) * scale, 3)
               && clickAt(at + QPoint(552, 488) * scale);
    }
    QString sheetFile(const QString &name, const QImage &sheet)
    {
        const QString path = session->programFile(name);
        EXPECT_TRUE(sheet.save(path, "BMP"));
        return path;
    }
    void withoutWizard() { session->writeProgramFile(QStringLiteral("Vexlo.INI"), "[Opt]\nChkStartWiz=0\n"); }
};

TEST_F(DesktopWindow, TwoFilesOnTheCommandLineAreOfferedLeftThenRightAndNamedInTheTitle)
{
    withoutWizard();
    const QString left = sheetFile(QStringLiteral("left sheet é.bmp"), TwoColourSheet(qRgb(200, 30, 60), qRgb(20, 90, 160)));
    const QString right = sheetFile(QStringLiteral("right.bmp"), TwoColourSheet(qRgb(40, 160, 40), qRgb(0, 0, 90)));
    ASSERT_TRUE(session->startVexlo({left, right}));

    for (const char *caption : {"^Load left$", "^Load right$"}) {
        const QString dialog = session->waitForWindow(QString::fromLatin1(caption));
        ASSERT_FALSE(dialog.isEmpty()) << caption;
        QThread::msleep(300);
        const QPoint at = session->geometry(dialog).topLeft();
        EXPECT_NE(session->screenshot().pixel(at + QPoint(250, 42)), qRgb(0, 0, 0)) << "previewed at once";
        ASSERT_TRUE(PickKeysAndLoad(at));
    }
    const QString window = session->waitForWindow(QStringLiteral("^left sheet é.bmp \\| right.bmp - Vexlo$"));
    ASSERT_FALSE(window.isEmpty()) << "no main window naming both files";
    QThread::msleep(300);
    const QRect frame = session->geometry(window);
    const QPoint client(frame.x(), frame.bottom() + 1 - 513);
    const QImage screen = session->screenshot();
    EXPECT_EQ(screen.pixel(client + QPoint(8 + 40, 40 + 10)), qRgb(200, 30, 60));
    EXPECT_EQ(screen.pixel(client + QPoint(320 + 40, 40 + 40)), qRgb(0, 0, 90));
    EXPECT_EQ(screen.pixel(client + QPoint(312 + 208, 8)), qRgb(40, 160, 40)) << "the right pane's transparent key";
    ASSERT_TRUE(session->closeWindow(window));
    EXPECT_TRUE(session->waitForExit());
}

TEST_F(DesktopWindow, APictureDroppedFromAFileManagerOpensThatPanesLoadDialogWithIt)
{
    withoutWizard();
    const QString file = sheetFile(QStringLiteral("dropped.bmp"), TwoColourSheet(qRgb(250, 200, 0), qRgb(0, 0, 0)));
    ASSERT_TRUE(session->startVexlo());
    const QString window = session->waitForWindow(QStringLiteral("^Vexlo$"));
    ASSERT_FALSE(window.isEmpty());
    ASSERT_TRUE(session->startHelper(QStringLiteral(FILE_DRAG_SOURCE), {file}));
    const QString source = session->waitForWindow(QStringLiteral("^File drag source$"));
    ASSERT_FALSE(source.isEmpty());
    QThread::msleep(300);
    const QRect frame = session->geometry(window);
    const QPoint client(frame.x(), frame.bottom() + 1 - 513);

    ASSERT_TRUE(session->dragPointer(session->geometry(source).center(), client + QPoint(320 + 40, 40 + 10)));
    const QString dialog = session->waitForWindow(QStringLiteral("^Load right$"));
    ASSERT_FALSE(dialog.isEmpty()) << "no load dialog for the pane dropped on";
    QThread::msleep(300);
    const QPoint at = session->geometry(dialog).topLeft();
    EXPECT_EQ(session->screenshot().pixel(at + QPoint(250, 42)), qRgb(250, 200, 0)) << "the dropped file previewed";
    ASSERT_TRUE(PickKeysAndLoad(at));
    EXPECT_FALSE(session->waitForWindow(QStringLiteral("^\\(no file\\) \\| dropped.bmp - Vexlo$")).isEmpty());
}

class ScaledWindow : public DesktopWindow {
protected:
    ScaledWindow() { screen = QSize(1600, 1200); } // room for the windows at twice their size
};

TEST_F(ScaledWindow, AtTwiceTheScaleEverySheetPixelIsASharpTwoByTwoBlock)
{
    withoutWizard();
    const QImage sheet = PatternSheet();
    ASSERT_TRUE(session->startVexlo({sheetFile(QStringLiteral("pattern.bmp"), sheet)}, 2));
    const QString dialog = session->waitForWindow(QStringLiteral("^Load left$"));
    ASSERT_FALSE(dialog.isEmpty());
    QThread::msleep(300);
    ASSERT_TRUE(PickKeysAndLoad(session->geometry(dialog).topLeft(), 2));
    const QString window = session->waitForWindow(QStringLiteral("^pattern.bmp \\| \\(no file\\) - Vexlo$"));
    ASSERT_FALSE(window.isEmpty());
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
