#include "real_window.h"

#include <QImageReader>
#include <QThread>

#include <gtest/gtest.h>

namespace vexlo::test {
namespace {

class ImageMenuWindow : public RealWindow {
protected:
    bool keys(const QStringList &names)
    {
        return session->run(QStringLiteral("xdotool"), QStringList{QStringLiteral("key")} + names);
    }
    bool type(const QString &text)
    {
        return session->run(QStringLiteral("xdotool"), {QStringLiteral("type"), text});
    }
    // Opens the right pane's image menu with its arrow button and picks an
    // item with the keyboard.
    bool chooseOnRightPane(const QStringList &menuKeys)
    {
        if (!clickAt(client + QPoint(312 + 20, 19)))
            return false;
        QThread::msleep(300);
        return keys(menuKeys);
    }

    QPoint client;
};

TEST_F(ImageMenuWindow, ResizeSaveAndTheColourDialogWorkFromTheRightPanesMenu)
{
    if (!started())
        return;
    client = session->clientOrigin(window);
    ASSERT_FALSE(client.isNull());

    // Resize: the item above the last; the answer typed over the offered height.
    ASSERT_TRUE(chooseOnRightPane({QStringLiteral("Up"), QStringLiteral("Up"), QStringLiteral("Return")}));
    ASSERT_FALSE(session->waitForWindow(QStringLiteral("^Right$")).isEmpty()) << "no resize prompt";
    ASSERT_TRUE(keys({QStringLiteral("ctrl+a")}));
    ASSERT_TRUE(type(QStringLiteral("3")));
    ASSERT_TRUE(keys({QStringLiteral("Return")}));
    ASSERT_TRUE(windowGone(QStringLiteral("^Right$")));
    QThread::msleep(300);
    QImage screen = session->screenshot();
    EXPECT_EQ(screen.pixel(client + QPoint(320 + 100, 40 + 95)), qRgb(0, 0, 0)) << "96 pixels high";
    EXPECT_NE(screen.pixel(client + QPoint(320 + 100, 40 + 96)), qRgb(0, 0, 0));
    EXPECT_NE(screen.pixel(client + QPoint(8 + 100, 40 + 40)), qRgb(0, 0, 0)) << "the left pane stays 32 high";

    // Save under a new name, in the program's folder.
    ASSERT_TRUE(chooseOnRightPane({QStringLiteral("s")}));
    const QString save = session->waitForWindow(QStringLiteral("^Save image$"));
    ASSERT_FALSE(save.isEmpty()) << "no save dialog";
    const QRect dialog = session->geometry(save);
    EXPECT_EQ(dialog.size(), QSize(362, 323));
    ASSERT_TRUE(clickAt(dialog.topLeft() + QPoint(184 + 40, 288 + 12))); // "New name"
    QThread::msleep(500); // the input box, captioned "Vexlo" like the main window
    const QString path = session->programFile(QStringLiteral("right pane.png"));
    ASSERT_TRUE(keys({QStringLiteral("ctrl+a")}));
    ASSERT_TRUE(type(path));
    ASSERT_TRUE(keys({QStringLiteral("Return")}));
    ASSERT_TRUE(windowGone(QStringLiteral("^Save image$")));
    QImageReader written(path);
    EXPECT_EQ(written.format(), QByteArray("png")) << "named .png, written as a PNG";
    const QImage saved = written.read();
    EXPECT_EQ(saved.size(), QSize(256, 96));
    EXPECT_EQ(saved.pixel(100, 95), qRgb(0, 0, 0));

    // Replace colour: the find question's close box asks nothing more.
    ASSERT_TRUE(chooseOnRightPane(
        {QStringLiteral("Up"), QStringLiteral("Up"), QStringLiteral("Up"), QStringLiteral("Return")}));
    const QString find = session->waitForWindow(QStringLiteral("^Find: Right$"));
    ASSERT_FALSE(find.isEmpty()) << "no colour dialog";
    EXPECT_EQ(session->geometry(find).size(), QSize(407, 137));
    ASSERT_TRUE(session->closeWindow(find));
    ASSERT_TRUE(windowGone(QStringLiteral("^Find: Right$")));
    EXPECT_TRUE(session->waitForWindow(QStringLiteral("^Replace: Right$"), 1000).isEmpty());

    ASSERT_TRUE(session->closeWindow(window));
    EXPECT_TRUE(session->waitForExit());
}

} // namespace
} // namespace vexlo::test
