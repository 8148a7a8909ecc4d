#include "app/frm_main.h"
#include "app/workspace.h"
#include "common/qt_prompt.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Vexlo"));
    vexlo::Prompt::install(std::make_unique<vexlo::QtPrompt>());

    vexlo::Workspace workspace;
    vexlo::FrmMain window(workspace, QApplication::applicationDirPath());
    window.Form_Load();
    window.show();
    return app.exec();
}
