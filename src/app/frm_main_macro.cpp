// The Macro menu: recording switch, playback, clearing, the macro file dialog
// and showing or hiding the macro list.
#include "app/frm_main.h"

#include "app/frame_closed_dialog.h"
#include "macro/frm_macro_file.h"
#include "macro/macro_player.h"
#include "macro/play_result_box.h"
#include "model/macro_actions.h"
#include "model/workspace.h"
#include "widgets/busy_pointer.h"

#include <QAction>
#include <QListView>

namespace vexlo {

void FrmMain::connectMacroMenu()
{
    connect(mrecord, &QAction::triggered, this, &FrmMain::mrecord_Click);
    connect(mplay, &QAction::triggered, this, &FrmMain::mplay_Click);
    connect(mclearmacro, &QAction::triggered, this, &FrmMain::mclearmacro_Click);
    connect(msavemacro, &QAction::triggered, this, &FrmMain::msavemacro_Click);
    connect(mhidemacro, &QAction::triggered, this, &FrmMain::mhidemacro_Click);
    // The check mark shows the workspace's recording switch; it is not a second store.
    connect(&workspace_, &Workspace::recordingChanged, mrecord, &QAction::setChecked);
}

void FrmMain::mrecord_Click()
{
    List1->show();
    workspace_.setRecording(!workspace_.recording());
    mrecord->setChecked(workspace_.recording());
}

void FrmMain::mplay_Click()
{
    List1->show();
    PlayResult result;
    {
        const BusyPointer busy;
        result = PlayMacro(workspace_);
    }
    if (result.outcome == PlayResult::Outcome::Halted) {
        // The line that halted, in sight while its box is read.
        const QModelIndex line = List1->model()->index(int(result.line), 0);
        List1->setCurrentIndex(line);
        List1->scrollTo(line);
    }
    TellPlayResult(result);
}

void FrmMain::mclearmacro_Click()
{
    List1->show();
    ClearMacro(workspace_);
}

void FrmMain::msavemacro_Click()
{
    List1->show();
    if (!frmMacroFile_)
        frmMacroFile_ = std::make_unique<FrmMacroFile>(workspace_, this);
    frmMacroFile_->exec();
    DropIfClosedByFrame(frmMacroFile_);
}

void FrmMain::mhidemacro_Click()
{
    List1->setHidden(!List1->isHidden());
}

} // namespace vexlo
