#include "play/play_command.h"

#include <QCoreApplication>
#include <QFile>
#include <QLoggingCategory>

#include <csignal>
#include <malloc.h>
#include <cstdio>

int main(int argc, char *argv[])
{
    // A write past the file size limit, or into a pipe whose reader has gone,
    // then fails (EFBIG, EPIPE) and is reported like any failed write,
    // instead of ending the program without a word.
    std::signal(SIGXFSZ, SIG_IGN);
    std::signal(SIGPIPE, SIG_IGN);
    // Sheets and buffers are blocks of a megabyte or more, made and freed for
    // every pair: kept in the heap for the next pair, not handed back to the
    // system and faulted in afresh each time, which costs more than playing.
    mallopt(M_MMAP_THRESHOLD, 64 << 20);
    mallopt(M_TRIM_THRESHOLD, 256 << 20);
    // No display needed: a core application finds the picture reader plugins.
    QCoreApplication app(argc, argv);
    // The picture readers' own complaints ("Corrupt JPEG data: ...") would
    // stand before the one line saying why a sheet was refused.
    QLoggingCategory::setFilterRules(QStringLiteral("qt.gui.imageio*=false"));
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        // A name that is no UTF-8 text would come back as another name, and
        // another file would be read or replaced.
        const QString argument = QFile::decodeName(argv[i]);
        if (QFile::encodeName(argument) != argv[i]) {
            std::fprintf(stderr, "vexlo-play: %s is not valid UTF-8; Vexlo cannot name that file\n",
                         argument.toLocal8Bit().constData());
            return 2;
        }
        arguments << argument;
    }
    return vexlo::RunPlayCommand(arguments, stdout, stderr);
}
