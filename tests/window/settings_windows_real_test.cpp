#include "x_session_test.h"

#include <QFile>
#include <QThread>

#include <gtest/gtest.h>

namespace vexlo::test {
namespace {

using SettingsWindows = XSessionTest;

TEST_F(SettingsWindows, SetupShowsOptionsWhoseSwitchesActAtOnceAndAreSavedAtClosing)
{
    session->writeProgramFile(QStringLiteral("Vexlo.INI"), "[Opt]\nChkStartWiz=0\n[Mine]\nkeep=yes\n");
    ASSERT_TRUE(session->startVexlo());
    const QString main = session->waitForWindow(QStringLiteral("^Vexlo$"));
    ASSERT_FALSE(main.isEmpty());
    QThread::msleep(300);
    const QRect frame = session->geometry(main);
    const QPoint client(frame.x(), frame.bottom() + 1 - 513); // below the menu bar

    ASSERT_TRUE(clickAt(client + QPoint(672 + 40, 8 + 8))); // "Setup"
    const QString options = session->waitForWindow(QStringLiteral("^Options$"));
    ASSERT_FALSE(options.isEmpty()) << "Setup showed no Options dialog";
    const QRect dialog = session->geometry(options);
    EXPECT_EQ(dialog.size(), QSize(327, 160));

    ASSERT_TRUE(clickAt(dialog.topLeft() + QPoint(8 + 8, 32 + 8))); // tick "Replace translucent colour"
    QThread::msleep(300);
    const QImage screen = session->screenshot();
    for (int pane = 0; pane < 2; ++pane) {
        const QPoint swatch = client + QPoint(pane * 312 + 208, 24);
        EXPECT_EQ(screen.pixel(swatch), qRgb(255, 255, 255)) << "translucent swatch of pane " << pane;
    }

    ASSERT_TRUE(clickAt(dialog.topLeft() + QPoint(152 + 40, 128 + 12))); // "About"
    const QString about = session->waitForWindow(QStringLiteral("^About Vexlo$"));
    ASSERT_FALSE(about.isEmpty()) << "About showed no About box";
    const QRect box = session->geometry(about);
    EXPECT_EQ(box.size(), QSize(546, 274));
    QThread::msleep(300);
    EXPECT_EQ(session->screenshot().pixel(box.topLeft() + QPoint(540, 150)), qRgb(0, 0, 0));
    ASSERT_TRUE(clickAt(box.topLeft() + QPoint(456 + 40, 240 + 12))); // its "OK"
    EXPECT_TRUE(windowGone(QStringLiteral("^About Vexlo$")));

    ASSERT_TRUE(clickAt(dialog.topLeft() + QPoint(240 + 40, 128 + 12))); // "OK"
    EXPECT_TRUE(windowGone(QStringLiteral("^Options$")));
    ASSERT_TRUE(session->closeWindow(main));
    ASSERT_TRUE(session->waitForExit());

    QFile settings(session->programFile(QStringLiteral("Vexlo.INI")));
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    const QByteArray saved = settings.readAll();
    EXPECT_TRUE(saved.contains("\nChkRepTransL=1\n")) << saved.constData();
    EXPECT_TRUE(saved.endsWith("[Mine]\nkeep=yes\n")) << saved.constData();
}

TEST_F(SettingsWindows, AFileSizeLimitAtClosingCostsTheSettingsNotACrash)
{
    // Saving every key makes the file grow past the limit.
    const QByteArray before = "[Opt]\nChkStartWiz=0\n";
    session->writeProgramFile(QStringLiteral("Vexlo.INI"), before);
    session->limitFileSize(before.size() + 16);
    ASSERT_TRUE(session->startVexlo());
    const QString main = session->waitForWindow(QStringLiteral("^Vexlo$"));
    ASSERT_FALSE(main.isEmpty());
    QThread::msleep(300);
    ASSERT_TRUE(session->closeWindow(main));
    EXPECT_TRUE(session->waitForExit()) << "ended by SIGXFSZ instead of exiting normally";
    QFile settings(session->programFile(QStringLiteral("Vexlo.INI")));
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    EXPECT_EQ(settings.readAll(), before);
}

TEST_F(SettingsWindows, AFirstStartShowsOptionsBeforeTheMainWindowAndThenTheLeftLoadDialog)
{
    ASSERT_TRUE(session->startVexlo()); // no settings file: a new installation
    const QString options = session->waitForWindow(QStringLiteral("^Options$"));
    ASSERT_FALSE(options.isEmpty()) << "no Options dialog at the start";
    EXPECT_TRUE(session->waitForWindow(QStringLiteral("^Vexlo$"), 300).isEmpty()) << "main window before Options";
    QThread::msleep(300);
    ASSERT_TRUE(clickAt(session->geometry(options).topLeft() + QPoint(240 + 40, 128 + 12))); // "OK"

    const QString load = session->waitForWindow(QStringLiteral("^Load left$"));
    ASSERT_FALSE(load.isEmpty()) << "no Load left dialog after Options";
    EXPECT_TRUE(session->waitForWindow(QStringLiteral("^(Options|Vexlo)$"), 300).isEmpty())
        << "the load dialog is on screen on its own";
    ASSERT_TRUE(session->closeWindow(load)); // cancels: the right pane is not offered

    const QString main = session->waitForWindow(QStringLiteral("^Vexlo$"));
    ASSERT_FALSE(main.isEmpty()) << "no main window after the wizard";
    EXPECT_TRUE(session->waitForWindow(QStringLiteral("^Load right$"), 500).isEmpty());
    ASSERT_TRUE(session->closeWindow(main));
    ASSERT_TRUE(session->waitForExit());
    QFile settings(session->programFile(QStringLiteral("Vexlo.INI")));
    ASSERT_TRUE(settings.open(QIODevice::ReadOnly));
    EXPECT_TRUE(settings.readAll().startsWith("[Opt]\nChkStartWiz=1\n"));
}

TEST_F(SettingsWindows, ASignalDuringTheFirstStartsDialogsEndsVexloAsTheCloseBoxWould)
{
    for (const QString &dialog : {QStringLiteral("^Options$"), QStringLiteral("^Load left$")}) {
        SCOPED_TRACE(dialog.toStdString());
        QFile::remove(session->programFile(QStringLiteral("Vexlo.INI"))); // a first start each time
        ASSERT_TRUE(session->startVexlo());
        const QString options = session->waitForWindow(QStringLiteral("^Options$"));
        ASSERT_FALSE(options.isEmpty());
        if (dialog != u"^Options$") {
            QThread::msleep(300);
            ASSERT_TRUE(clickAt(session->geometry(options).topLeft() + QPoint(240 + 40, 128 + 12))); // "OK"
            ASSERT_FALSE(session->waitForWindow(dialog).isEmpty());
        }
        session->terminateVexlo();
        ASSERT_TRUE(session->waitForExit()) << "still running after SIGTERM";
        EXPECT_TRUE(QFile::exists(session->programFile(QStringLiteral("Vexlo.INI")))) << "the settings written";
    }
}

} // namespace
} // namespace vexlo::test
