// The image menu's commands on the pane chosen with an arrow button, and
// the dialogs they use. None of them is recorded in the macro; each change
// is one undo step.
#include "app/frm_main.h"

#include "app/frame_closed_dialog.h"
#include "widgets/busy_pointer.h"
#include "widgets/failure_trap.h"
#include "common/program_name.h"
#include "common/prompt.h"
#include "imageops/frm_colour.h"
#include "imageops/frm_key_check.h"
#include "imageops/frm_save.h"
#include "imageops/sheet_height.h"
#include "imageops/sheet_save.h"
#include "load/frm_load_image.h"
#include "model/sheet_actions.h"
#include "model/workspace.h"

#include <QAction>

#include <utility>

namespace vexlo {

void FrmMain::connectImageCommands()
{
    const std::pair<QAction *, void (FrmMain::*)()> commands[] = {
        {mclear, &FrmMain::mclear_Click},     {mload, &FrmMain::mload_Click},
        {msave, &FrmMain::msave_Click},       {msaveback, &FrmMain::msaveback_Click},
        {mrepcol, &FrmMain::mrepcol_Click},   {mresize, &FrmMain::mresize_Click},
        {mcheckkeys, &FrmMain::mcheckkeys_Click},
    };
    for (const auto &command : commands) {
        const auto handler = command.second; // a copy: clang captures no structured binding
        connect(command.first, &QAction::triggered, this,
                [this, handler] { RunTrapped([this, handler] { (this->*handler)(); }); });
    }
}

FrmLoadImage &FrmMain::frmLoadImage()
{
    if (!frmLoadImage_)
        frmLoadImage_ = new FrmLoadImage(workspace_, this);
    return *frmLoadImage_;
}

FrmSave &FrmMain::frmSave()
{
    if (!frmSave_)
        frmSave_ = std::make_unique<FrmSave>(workspace_, this);
    return *frmSave_;
}

FrmColour &FrmMain::frmColour()
{
    if (!frmColour_)
        frmColour_ = new FrmColour(workspace_, this);
    return *frmColour_;
}

FrmKeyCheck &FrmMain::frmKeyCheck()
{
    if (!frmKeyCheck_)
        frmKeyCheck_ = new FrmKeyCheck(workspace_, this);
    return *frmKeyCheck_;
}

void FrmMain::mclear_Click()
{
    if (!Prompt::current().askYesNo(ImageOpsT(), QStringLiteral("Clear image?"), Prompt::Answer::No))
        return;
    // The cleared sheet's new height, its old one offered, in the same step.
    ClearSheet(workspace_, OpsPane, [this] { mresize_Click(); });
}

void FrmMain::mload_Click()
{
    std::int16_t result = 0;
    frmLoadImage().LoadImage(OpsPane, result); // the outcome is the dialog's business
}

void FrmMain::msave_Click()
{
    frmSave().SaveImage(OpsPane);
    DropIfClosedByFrame(frmSave_);
}

void FrmMain::msaveback_Click()
{
    if (CanSaveBack(workspace_, OpsPane))
        SaveSheet(workspace_, OpsPane, workspace_.paneFile(OpsPane));
}

void FrmMain::mresize_Click()
{
    const PaneIndex pane = OpsPane;
    const int height = workspace_.sheet(pane).height();
    const QString answer =
        Prompt::current().inputText(ResizePromptText(height), ImageOpsT(), HeightInTilesText(height));
    const HeightAnswer wanted = ReadHeightAnswer(answer);
    if (wanted.outcome == HeightAnswer::Outcome::Refused)
        Prompt::current().message(Prompt::Icon::Critical, ProgramName(), wanted.refusal);
    if (wanted.outcome != HeightAnswer::Outcome::Resize)
        return;
    ResizeSheet(workspace_, pane, wanted.pixels);
    TileSetScroll_Change(pane); // placed again also when the height stayed
}

void FrmMain::mrepcol_Click()
{
    const Colour find = frmColour().GetColour(QStringLiteral("Find: ") + ImageOpsT());
    if (find == kNoColour)
        return;
    const Colour replacement = frmColour().GetColour(QStringLiteral("Replace: ") + ImageOpsT());
    if (replacement == kNoColour)
        return;
    const BusyPointer busy;
    ReplaceSheetColour(workspace_, OpsPane, find, replacement);
}

void FrmMain::mcheckkeys_Click()
{
    frmKeyCheck().CheckKeys(OpsPane);
}

} // namespace vexlo
