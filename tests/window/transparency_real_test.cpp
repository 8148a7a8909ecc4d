#include "real_window.h"

#include <QImage>
#include <QPainter>
#include <QThread>

#include <gtest/gtest.h>

namespace vexlo::test {
namespace {

constexpr QRgb kTeal = qRgb(0, 128, 128); // the second press of a preset button
constexpr QRgb kPurple = qRgb(128, 0, 128);

// The program folder holds a PNG with transparency and one pixel a step off
// the teal key, and is the left pane's remembered load folder.
class TransparencyWindow : public RealWindow {
protected:
    void prepareProgramFolder() override
    {
        QImage picture(64, 32, QImage::Format_ARGB32);
        picture.fill(qRgb(200, 30, 60));
        QPainter painter(&picture);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(0, 0, 16, 16, Qt::transparent);
        painter.fillRect(16, 16, 16, 16, QColor(0, 0, 0, 128));
        painter.end();
        picture.setPixel(40, 10, qRgb(0, 126, 128)); // tile 1,0
        ASSERT_TRUE(picture.save(session->programFile(QStringLiteral("alpha.png"))));
        const QByteArray folder = session->programFile(QString()).toLocal8Bit();
        session->writeProgramFile(QStringLiteral("Vexlo.INI"), "[Opt]\nChkStartWiz=0\nDefDir0=" + folder
                                                                   + "\nDefDirS0=" + folder + "\n");
    }
    bool keys(const QStringList &names)
    {
        return session->run(QStringLiteral("xdotool"), QStringList{QStringLiteral("key")} + names);
    }
};

TEST_F(TransparencyWindow, AlphaLoadsAsKeysNearKeyTilesAreMarkedAndKeysSaveAsAlpha)
{
    const QPoint client = session->clientOrigin(window);
    const QString load = openLoadDialog(client, 0, QStringLiteral("^Load left$"));
    ASSERT_FALSE(load.isEmpty());
    const QPoint at = session->geometry(load).topLeft();
    ASSERT_TRUE(clickAt(at + QPoint(8 + 30, 240 + 8))); // alpha.png
    ASSERT_TRUE(clickAt(at + QPoint(512 + 6, 316 + 8))); // "Alpha as keys"
    for (int press = 0; press < 2; ++press) {
        ASSERT_TRUE(clickAt(at + QPoint(512 + 40, 392 + 8)));
        ASSERT_TRUE(clickAt(at + QPoint(512 + 40, 408 + 8)));
    }
    QThread::msleep(300);
    QImage screen = session->screenshot();
    EXPECT_EQ(screen.pixel(at + QPoint(240 + 4, 32 + 4)), kTeal) << "the preview follows the keys";
    EXPECT_EQ(screen.pixel(at + QPoint(240 + 20, 32 + 20)), kPurple);
    ASSERT_TRUE(clickAt(at + QPoint(512 + 40, 472 + 16))); // "Load"
    ASSERT_TRUE(windowGone(QStringLiteral("^Load left$")));

    ASSERT_TRUE(clickAt(client + QPoint(20, 19)));
    QThread::msleep(300);
    ASSERT_TRUE(keys({QStringLiteral("k")})); // "Check &key colours"
    const QString check = session->waitForWindow(QStringLiteral("^Check key colours: left$"));
    ASSERT_FALSE(check.isEmpty());
    QThread::msleep(300);
    screen = session->screenshot();
    EXPECT_EQ(screen.pixel(client + QPoint(8 + 4, 40 + 4)), kTeal);
    EXPECT_EQ(screen.pixel(client + QPoint(8 + 32 + 10, 40)), qRgb(255, 255, 0)) << "tile 1,0 marked";
    EXPECT_NE(screen.pixel(client + QPoint(8 + 10, 40)), qRgb(255, 255, 0)) << "tile 0,0 not";
    ASSERT_TRUE(session->closeWindow(check));
    ASSERT_TRUE(windowGone(QStringLiteral("^Check key colours")));

    ASSERT_TRUE(clickAt(client + QPoint(20, 19)));
    QThread::msleep(300);
    ASSERT_TRUE(keys({QStringLiteral("s")}));
    const QString save = session->waitForWindow(QStringLiteral("^Save image$"));
    ASSERT_FALSE(save.isEmpty());
    const QPoint dialog = session->geometry(save).topLeft();
    ASSERT_TRUE(clickAt(dialog + QPoint(8 + 6, 292 + 8))); // "Keys as alpha"
    ASSERT_TRUE(clickAt(dialog + QPoint(184 + 40, 288 + 12))); // "New name"
    QThread::msleep(500);
    const QString path = session->programFile(QStringLiteral("back.png"));
    ASSERT_TRUE(keys({QStringLiteral("ctrl+a")}));
    ASSERT_TRUE(session->run(QStringLiteral("xdotool"), {QStringLiteral("type"), path}));
    ASSERT_TRUE(keys({QStringLiteral("Return")}));
    ASSERT_TRUE(windowGone(QStringLiteral("^Save image$")));
    const QImage back = QImage(path).convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(back.pixel(4, 4), 0u);
    EXPECT_EQ(back.pixel(20, 20), 0x80000000u);
    EXPECT_EQ(back.pixel(40, 10), qRgb(0, 126, 128)) << "not snapped";
    EXPECT_EQ(back.pixel(50, 20), qRgb(200, 30, 60));

    ASSERT_TRUE(session->closeWindow(window));
    // Unsaved? No: the save above kept the work.
    EXPECT_TRUE(session->waitForExit());
}

} // namespace
} // namespace vexlo::test
