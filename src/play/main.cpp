#include "play/play_command.h"

#include <QCoreApplication>
#include <QLoggingCategory>

#include <csignal>

int main(int argc, char *argv[])
{
    // A write past the file size limit, or into a pipe whose reader has gone,
    // then fails (EFBIG, EPIPE) and is reported like any failed write,
    // instead of ending the program without a word.
    std::signal(SIGXFSZ, SIG_IGN);
    std::signal(SIGPIPE, SIG_IGN);
    // No display needed: a core application finds the picture reader plugins.
    QCoreApplication app(argc, argv);
    // The picture readers' own complaints ("Corrupt JPEG data: ...") would
    // stand before the one line saying why a sheet was refused.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio*=false"));
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    return vexlo::RunPlayCommand(arguments, stdout, stderr);
}
