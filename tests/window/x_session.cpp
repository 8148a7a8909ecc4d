#include "x_session.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QThread>

#include <csignal>
#include <sys/resource.h>

namespace vexlo::test {
namespace {

QProcessEnvironment DisplayEnvironment(const QString &display)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("DISPLAY"), display);
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    environment.remove(QStringLiteral("WAYLAND_DISPLAY"));
    return environment;
}

void Stop(QProcess &process)
{
    if (process.state() == QProcess::NotRunning)
        return;
    process.terminate();
    if (!process.waitForFinished(3000)) {
        process.kill();
        process.waitForFinished(3000);
    }
}

} // namespace

QString XSession::missingTool()
{
    for (const char *tool : {"Xvfb", "openbox", "xdotool", "xwininfo", "wmctrl", "import"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            return QString::fromLatin1(tool);
    return {};
}

XSession::XSession(QSize screen)
{
    // Xvfb picks a free display itself and writes its number to the given descriptor (1 = our pipe).
    server_.setProgram(QStringLiteral("Xvfb"));
    server_.setArguments({QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
                          QStringLiteral("0"),
                          QStringLiteral("%1x%2x24").arg(screen.width()).arg(screen.height()), QStringLiteral("-nolisten"),
                          QStringLiteral("tcp")});
    server_.start();
    if (!server_.waitForStarted(5000))
        return;
    QByteArray number;
    QDeadlineTimer deadline(10000);
    while (!number.contains('\n') && !deadline.hasExpired() && server_.waitForReadyRead(int(deadline.remainingTime())))
        number += server_.readAllStandardOutput();
    if (!number.contains('\n'))
        return;
    display_ = u':' + QString::fromLatin1(number.trimmed());

    windowManager_.setProcessEnvironment(DisplayEnvironment(display_));
    windowManager_.start(QStringLiteral("openbox"), {});
    ready_ = windowManager_.waitForStarted(5000);
    QThread::msleep(300); // let the window manager take the screen before windows appear
}

XSession::~XSession()
{
    Stop(vexlo_);
    Stop(helper_);
    Stop(windowManager_);
    Stop(server_);
}

void XSession::writeProgramFile(const QString &name, const QByteArray &bytes)
{
    QFile file(folder_.filePath(name));
    if (file.open(QIODevice::WriteOnly))
        file.write(bytes);
}

QString XSession::programFile(const QString &name) const
{
    return folder_.filePath(name);
}

QString XSession::dataFolder() const
{
    return folder_.filePath(QStringLiteral("data"));
}

bool XSession::startVexlo(const QStringList &arguments, double scale)
{
    // A copy of the program in a folder of its own: that folder is its program folder.
    const QString copy = folder_.filePath(QStringLiteral("vexlo"));
    QFile::remove(copy);
    if (!QFile::copy(QStringLiteral(VEXLO_BINARY), copy))
        return false;
    QProcessEnvironment environment = DisplayEnvironment(display_);
    if (scale != 1)
        environment.insert(QStringLiteral("QT_SCALE_FACTOR"), QString::number(scale));
    return start(copy, environment, arguments);
}

bool XSession::startHelper(const QString &program, const QStringList &arguments)
{
    helper_.setProcessEnvironment(DisplayEnvironment(display_));
    helper_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    helper_.start(program, arguments);
    return helper_.waitForStarted(5000);
}

bool XSession::startInstalled(const QString &binary, const QString &home)
{
    QProcessEnvironment environment = DisplayEnvironment(display_);
    environment.insert(QStringLiteral("HOME"), home);
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home + QStringLiteral("/.config"));
    return start(binary, environment);
}

bool XSession::start(const QString &binary, QProcessEnvironment environment, const QStringList &arguments)
{
    // The user's data folder (where unsaved work is kept) is the session's own.
    environment.insert(QStringLiteral("XDG_DATA_HOME"), dataFolder());
    vexlo_.setProcessEnvironment(environment);
    vexlo_.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    if (fileSizeLimit_ >= 0) {
        vexlo_.setChildProcessModifier([limit = rlim_t(fileSizeLimit_)] {
            std::signal(SIGXFSZ, SIG_DFL);
            const rlimit fileSize{limit, limit};
            setrlimit(RLIMIT_FSIZE, &fileSize);
        });
    }
    vexlo_.start(binary, arguments);
    return vexlo_.waitForStarted(5000);
}

bool XSession::run(const QString &program, const QStringList &arguments, QString *output)
{
    QProcess process;
    process.setProcessEnvironment(DisplayEnvironment(display_));
    process.start(program, arguments);
    if (!process.waitForFinished(10000)) {
        process.kill();
        process.waitForFinished();
        return false;
    }
    if (output)
        *output = QString::fromLocal8Bit(process.readAllStandardOutput());
    return process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
}

QString XSession::waitForWindow(const QString &captionPattern, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    do {
        QString output;
        if (run(QStringLiteral("xdotool"), {QStringLiteral("search"), QStringLiteral("--onlyvisible"),
                                            QStringLiteral("--name"), captionPattern},
                &output)
            && !output.trimmed().isEmpty())
            return output.trimmed().split(u'\n').first();
        QThread::msleep(100);
    } while (!deadline.hasExpired());
    return {};
}

QRect XSession::geometry(const QString &window)
{
    QString output;
    if (!run(QStringLiteral("xwininfo"), {QStringLiteral("-id"), window}, &output))
        return {};
    auto field = [&](const char *name) {
        const QRegularExpression pattern(QString::fromLatin1(name) + QStringLiteral(":\\s+(-?\\d+)"));
        return pattern.match(output).captured(1).toInt();
    };
    return QRect(field("Absolute upper-left X"), field("Absolute upper-left Y"), field("Width"), field("Height"));
}

QImage XSession::screenshot()
{
    const QString file = folder_.filePath(QStringLiteral("screen.png"));
    if (!run(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), file}))
        return {};
    return QImage(file).convertToFormat(QImage::Format_RGB32);
}

QPoint XSession::clientOrigin(const QString &window)
{
    const QRect frame = geometry(window);
    const QImage screen = screenshot();
    if (!frame.isValid() || screen.isNull())
        return {};
    // The left sheet is a column of 32 black pixels from client (8, 40) on;
    // menu texts may be black too, but never 32 pixels high.
    const int probeX = frame.x() + 8 + 100;
    auto blackRun = [&](int top) {
        for (int y = top; y < top + 32; ++y)
            if (screen.pixel(probeX, y) != qRgb(0, 0, 0))
                return false;
        return true;
    };
    for (int y = frame.y(); y + 32 < frame.bottom(); ++y)
        if (blackRun(y))
            return QPoint(frame.x(), y - 40);
    return {};
}

bool XSession::movePointer(QPoint to)
{
    const bool moved = run(QStringLiteral("xdotool"), {QStringLiteral("mousemove"), QString::number(to.x()),
                                                       QString::number(to.y())});
    QThread::msleep(50); // let the program see the motion before the next step
    return moved;
}

bool XSession::dragPointer(QPoint from, QPoint to, const std::function<void()> &whileHeld)
{
    if (!movePointer(from) || !run(QStringLiteral("xdotool"), {QStringLiteral("mousedown"), QStringLiteral("1")}))
        return false;
    QThread::msleep(200); // the drag starts on the press
    constexpr int kSteps = 8;
    bool moved = true;
    for (int step = 1; step <= kSteps; ++step)
        moved = movePointer(from + (to - from) * step / kSteps) && moved;
    QThread::msleep(200);
    if (whileHeld)
        whileHeld();
    const bool released = run(QStringLiteral("xdotool"), {QStringLiteral("mouseup"), QStringLiteral("1")});
    QThread::msleep(300); // the drop and the repaint
    return moved && released;
}

bool XSession::closeWindow(const QString &window)
{
    return run(QStringLiteral("wmctrl"), {QStringLiteral("-i"), QStringLiteral("-c"), window});
}

bool XSession::waitForExit(int timeoutMs)
{
    if (!vexlo_.waitForFinished(timeoutMs))
        return false;
    return vexlo_.exitStatus() == QProcess::NormalExit && vexlo_.exitCode() == 0;
}

} // namespace vexlo::test
