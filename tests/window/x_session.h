#pragma once

#include <QImage>
#include <QProcess>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

#include <functional>
#include <memory>

namespace vexlo::test {

// A private X server (Xvfb) with a window manager, and the built Vexlo
// program started in a folder of its own, so its settings file is the
// test's. Everything is stopped when the session ends, also on failure.
class XSession {
public:
    explicit XSession(QSize screen = QSize(1280, 1024));
    ~XSession();

    // Tools the checks need; when one is missing the check is skipped.
    static QString missingTool();

    bool ready() const { return ready_; }
    // Writes a file into the program's folder before it starts.
    void writeProgramFile(const QString &name, const QByteArray &bytes);
    QString programFile(const QString &name) const;
    // The program's user data folder (XDG_DATA_HOME), empty at the start.
    QString dataFolder() const;
    // `arguments` go on its command line; `scale` is the desktop's scale
    // (QT_SCALE_FACTOR), 1 when not given.
    bool startVexlo(const QStringList &arguments = {}, double scale = 1);
    // Starts another program on the display, ended with the session.
    bool startHelper(const QString &program, const QStringList &arguments);
    // Vexlo, once started, may not make any file larger than this, and the
    // signal the system sends for a larger one is left as a shell leaves it:
    // ending the program unless it sees to it itself.
    void limitFileSize(qint64 bytes) { fileSizeLimit_ = bytes; }
    // Starts an installed Vexlo as it is, with `home` as the user's home and
    // configuration folder.
    bool startInstalled(const QString &binary, const QString &home);

    // The id of the visible window whose caption matches the regular
    // expression, waiting for it at most `timeoutMs`; empty when none came.
    QString waitForWindow(const QString &captionPattern, int timeoutMs = 10000);
    // The client window's geometry on the screen.
    QRect geometry(const QString &window);
    QImage screenshot();
    // Screen position of the main window's client area (below the menu bar),
    // found from the left pane's black sheet at its fixed layout place; only valid
    // while that sheet is still the blank start-up one. Null when not found.
    QPoint clientOrigin(const QString &window);
    // Moves the pointer to a screen position.
    bool movePointer(QPoint to);
    // Presses the left button at `from`, moves to `to` in small steps as a
    // hand would, runs `whileHeld` (for a look at the screen mid-drag) and
    // releases the button there.
    bool dragPointer(QPoint from, QPoint to, const std::function<void()> &whileHeld = {});
    // Runs a command on the session's display; false when it failed.
    bool run(const QString &program, const QStringList &arguments, QString *output = nullptr);
    // Asks the window manager to close the window, as its close box does.
    bool closeWindow(const QString &window);
    // Sends Vexlo the signal a logout or shutdown sends (SIGTERM).
    void terminateVexlo() { vexlo_.terminate(); }
    // Waits for Vexlo to end; true when it exited normally with code 0.
    bool waitForExit(int timeoutMs = 10000);

private:
    bool start(const QString &binary, QProcessEnvironment environment, const QStringList &arguments = {});

    QTemporaryDir folder_;
    QProcess server_;
    QProcess windowManager_;
    QProcess vexlo_;
    QProcess helper_;
    QString display_;
    bool ready_ = false;
    qint64 fileSizeLimit_ = -1;
};

} // namespace vexlo::test
