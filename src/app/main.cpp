#include "app/app_icon.h"
#include "app/close_on_signals.h"
#include "app/frm_main.h"
#include "common/program_name.h"
#include "widgets/qt_prompt.h"
#include "model/workspace.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>

#include <csignal>

int main(int argc, char *argv[])
{
    // A write past the file size limit, or into a pipe whose reader has gone,
    // then fails (EFBIG, EPIPE) and is reported like any failed write,
    // instead of ending the program without a word.
    std::signal(SIGXFSZ, SIG_IGN);
    std::signal(SIGPIPE, SIG_IGN);
    vexlo::CatchClosingSignals(); // one that comes while the window is being made closes it once it is there
    QApplication app(argc, argv);
    QApplication::setApplicationName(vexlo::ProgramName());
    QApplication::setWindowIcon(QIcon(QPixmap::fromImage(vexlo::DrawAppIcon(16))));
    vexlo::Prompt::install(std::make_unique<vexlo::QtPrompt>());

    vexlo::Workspace workspace;
    vexlo::FrmMain window(workspace, QApplication::applicationDirPath());
    vexlo::CloseOnSignals(window);
    window.Form_Load();
    if (window.unloaded())
        return 0; // ended by a signal while it started
    window.show();
    return app.exec();
}
