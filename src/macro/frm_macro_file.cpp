#include "macro/frm_macro_file.h"

#include "common/failure.h"
#include "widgets/failure_trap.h"
#include "widgets/file_list.h"
#include "widgets/form_controls.h"
#include "common/program_name.h"
#include "common/prompt.h"
#include "widgets/replace_question.h"
#include "io/path_join.h"
#include "io/macro_file.h"
#include "model/macro_actions.h"
#include "model/workspace.h"
#include "settings/app_path.h"

#include <QPushButton>

namespace vexlo {

FrmMacroFile::FrmMacroFile(Workspace &workspace, QWidget *parent) : QDialog(parent), workspace_(workspace)
{
    setWindowTitle(QStringLiteral("Macro"));
    setFixedSize(280, 268);

    File1 = new FileList(QStringLiteral("*.vmi"), AppPath(), this);
    File1->setGeometry(8, 8, 177, 253);

    BtnLoad = Button(this, QStringLiteral("Load"), QRect(192, 144, 81, 33));
    BtnSave[1] = Button(this, QStringLiteral("Save: New"), QRect(192, 184, 81, 33));
    BtnSave[0] = Button(this, QStringLiteral("Save: Over"), QRect(192, 224, 81, 33));

    setTabOrder(File1, BtnSave[0]);
    setTabOrder(BtnSave[0], BtnLoad);
    setTabOrder(BtnLoad, BtnSave[1]);

    connect(BtnLoad, &QPushButton::clicked, this, [this] { RunTrapped([this] { BtnLoad_Click(); }); });
    for (const std::int16_t index : {std::int16_t(0), std::int16_t(1)})
        connect(BtnSave[index], &QPushButton::clicked, this,
                [this, index] { RunTrapped([&] { BtnSave_Click(index); }); });
}

void FrmMacroFile::showEvent(QShowEvent *event)
{
    Form_Activate();
    QDialog::showEvent(event);
}

void FrmMacroFile::Form_Activate()
{
    File1->setFolder(File1->folder());
}

QString FrmMacroFile::selectedPath() const
{
    const QString name = File1->selectedName();
    if (name.isEmpty())
        throw Failure(QStringLiteral("No file selected."));
    return JoinPath(File1->folder(), name);
}

void FrmMacroFile::BtnLoad_Click()
{
    // The whole file is read before the macro is touched, so a failed load
    // never costs the user the macro they had.
    const QStringList lines = ReadMacroFile(selectedPath());
    LoadMacro(workspace_, lines);
    accept();
}

void FrmMacroFile::BtnSave_Click(std::int16_t Index)
{
    QString path;
    if (Index == 1) {
        const QString answer = Prompt::current().inputText(QStringLiteral("Enter filename:"), ProgramName(), QString());
        if (answer.isEmpty())
            return;
        path = JoinPath(File1->folder(), answer + QStringLiteral(".vmi"));
        // A new name may be an old file's: replaced only when the user says so.
        if (!MayReplace(path))
            return;
    } else {
        path = selectedPath(); // "Save: Over" replaces, as it says
    }
    WriteMacroFile(path, workspace_.macro().lines());
    workspace_.markMacroSaved();
    accept();
}

} // namespace vexlo
