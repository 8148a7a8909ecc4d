#include "app/app_icon.h"
#include "app/close_on_signals.h"
#include "app/frm_main.h"
#include "app/start_arguments.h"
#include "common/version.h"
#include "common/program_name.h"
#include "widgets/qt_prompt.h"
#include "model/workspace.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QIcon>
#include <QPixmap>

#include <csignal>
#include <cstdio>

int main(int argc, char *argv[])
{
    // A write past the file size limit, or into a pipe whose reader has gone,
    // then fails (EFBIG, EPIPE) and is reported like any failed write,
    // instead of ending the program without a word.
    std::signal(SIGXFSZ, SIG_IGN);
    std::signal(SIGPIPE, SIG_IGN);
    // Read before QApplication, which needs a display: --help and --version
    // are answered without one.
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QFile::decodeName(argv[i]);
    const vexlo::StartArguments start = vexlo::ReadStartArguments(arguments);
    switch (start.action) {
    case vexlo::StartArguments::Action::Help:
        std::fputs(vexlo::StartUsage().toLocal8Bit().constData(), stdout);
        return 0;
    case vexlo::StartArguments::Action::Version:
        std::printf("vexlo %s\n", vexlo::kVersionText);
        return 0;
    case vexlo::StartArguments::Action::Wrong:
        std::fprintf(stderr, "vexlo: %s\n%s", start.problem.toLocal8Bit().constData(),
                     vexlo::StartUsage().toLocal8Bit().constData());
        return 2;
    case vexlo::StartArguments::Action::Start:
        if (!start.problem.isEmpty())
            std::fprintf(stderr, "vexlo: %s\n", start.problem.toLocal8Bit().constData());
        break;
    }
    vexlo::CatchClosingSignals(); // one that comes while the window is being made closes it once it is there
    QApplication app(argc, argv);
    QApplication::setApplicationName(vexlo::ProgramName());
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(vexlo::DrawAppIcon(16))));
    vexlo::Prompt::install(std::make_unique<vexlo::QtPrompt>());

    vexlo::Workspace workspace;
    vexlo::FrmMain window(workspace, QApplication::applicationDirPath());
    vexlo::CloseOnSignals(window);
    QStringList files;
    for (const QString &file : start.files)
        files << QFileInfo(file).absoluteFilePath(); // the load dialog changes folders
    window.setStartFiles(files);
    window.Form_Load();
    if (window.unloaded())
        return 0; // ended by a signal while it started
    window.show();
    return app.exec();
}
