#pragma once

#include "io/sheet_writer.h"
#include "support/pixels.h"
#include "support/temp_folder.h"

#include <QProcess>

#include <functional>

namespace vexlo::test {

// The outcome of one run of the vexlo-play program.
struct PlayRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// `inChild` runs in the new process just before the program starts (to set
// a limit, say).
inline PlayRun RunVexloPlay(const QStringList &arguments, const QString &folder,
                            const std::function<void()> &inChild = {})
{
    QProcess process;
    process.setWorkingDirectory(folder);
    if (inChild)
        process.setChildProcessModifier(inChild);
    process.start(QStringLiteral(VEXLO_PLAY_BINARY), arguments);
    PlayRun run;
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromLocal8Bit(process.readAllStandardOutput());
    run.err = QString::fromLocal8Bit(process.readAllStandardError());
    return run;
}

} // namespace vexlo::test
