#include "real_window.h"

#include <QImage>
#include <QPainter>
#include <QThread>

#include <gtest/gtest.h>

namespace vexlo::test {
namespace {

// The program folder holds one sheet and is the remembered load folder of both panes.
class LoadDialogWindow : public RealWindow {
protected:
    void prepareProgramFolder() override
    {
        QImage picture(96, 64, QImage::Format_RGB32);
        picture.fill(qRgb(200, 30, 60));
        QPainter(&picture).fillRect(0, 32, 96, 32, QColor(20, 90, 160)); // for the translucent key
        ASSERT_TRUE(picture.save(session->programFile(QStringLiteral("sheet.bmp"))));
        const QByteArray folder = session->programFile(QString()).toLocal8Bit();
        session->writeProgramFile(QStringLiteral("Vexlo.INI"), "[Opt]\nChkStartWiz=0\nChkRememberDirs=1\nDefDir0="
                                                                   + folder + "\nDefDir1=" + folder + "\n");
    }
};

TEST_F(LoadDialogWindow, TheImageMenusLoadPutsAPickedSheetIntoThePaneAndTheCloseBoxCancels)
{
    const QRect frame = session->geometry(window);
    const QPoint client(frame.x(), frame.bottom() + 1 - 513);

    const QString load = openLoadDialog(client, 0, QStringLiteral("^Load left$"));
    ASSERT_FALSE(load.isEmpty()) << "no load dialog for the left pane";
    const QRect dialog = session->geometry(load);
    EXPECT_EQ(dialog.size(), QSize(605, 515));
    const QPoint at = dialog.topLeft();
    QThread::msleep(300);
    EXPECT_EQ(session->screenshot().pixel(at + QPoint(300, 400)), qRgb(0xAB, 0xAB, 0xAB)) << "workspace grey";

    ASSERT_TRUE(clickAt(at + QPoint(8 + 30, 240 + 8))); // the only picture in the file list
    QThread::msleep(300);
    QImage screen = session->screenshot();
    EXPECT_EQ(screen.pixel(at + QPoint(240 + 10, 32 + 10)), qRgb(200, 30, 60)) << "preview at its layout place";
    EXPECT_EQ(screen.pixel(at + QPoint(240 + 200, 32 + 10)), qRgb(0, 0, 0)) << "widened with black";

    ASSERT_TRUE(clickAt(at + QPoint(240 + 10, 32 + 10), 1));
    ASSERT_TRUE(clickAt(at + QPoint(240 + 10, 32 + 50), 3));
    QThread::msleep(300);
    screen = session->screenshot();
    EXPECT_EQ(screen.pixel(at + QPoint(584, 352)), qRgb(200, 30, 60)) << "transparent swatch";
    EXPECT_EQ(screen.pixel(at + QPoint(584, 376)), qRgb(20, 90, 160)) << "translucent swatch";

    ASSERT_TRUE(clickAt(at + QPoint(512 + 40, 472 + 16))); // "Load"
    ASSERT_TRUE(windowGone(QStringLiteral("^Load left$")));
    QThread::msleep(300);
    screen = session->screenshot();
    EXPECT_EQ(screen.pixel(client + QPoint(8 + 10, 40 + 10)), qRgb(200, 30, 60));
    EXPECT_EQ(screen.pixel(client + QPoint(8 + 10, 40 + 40)), qRgb(20, 90, 160));
    EXPECT_EQ(screen.pixel(client + QPoint(8 + 200, 40 + 10)), qRgb(0, 0, 0));
    EXPECT_NE(screen.pixel(client + QPoint(8 + 10, 40 + 64 + 4)), qRgb(20, 90, 160)) << "64 pixels high";
    EXPECT_EQ(screen.pixel(client + QPoint(208, 8)), qRgb(200, 30, 60)) << "the pane's transparent swatch";

    const QString again = openLoadDialog(client, 1, QStringLiteral("^Load right$"));
    ASSERT_FALSE(again.isEmpty()) << "no load dialog for the right pane";
    ASSERT_TRUE(session->closeWindow(again));
    ASSERT_TRUE(windowGone(QStringLiteral("^Load right$")));
    QThread::msleep(300);
    screen = session->screenshot();
    EXPECT_EQ(screen.pixel(client + QPoint(320 + 10, 40 + 10)), qRgb(0, 0, 0)) << "the right pane is untouched";
    EXPECT_EQ(screen.pixel(client + QPoint(312 + 208, 8)), qRgb(255, 255, 255));

    ASSERT_TRUE(session->closeWindow(window));
    EXPECT_TRUE(session->waitForExit());
}

} // namespace
} // namespace vexlo::test
