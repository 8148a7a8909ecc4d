// The main window's part in the settings: the options dialog it keeps for
// the whole run, the start-up wizard, and the commands that show the dialog
// and the About box.
#include "app/frm_main.h"

#include "about/frm_about.h"
#include "common/program_name.h"
#include "common/prompt.h"
#include "load/frm_load_image.h"
#include "model/workspace.h"
#include "settings/opt.h"

#include <QAction>
#include <QPushButton>

#include <utility>

namespace vexlo {

void FrmMain::buildSettings()
{
    opt_ = new Opt(workspace_.options(), this);
    connect(BtnOpt, &QPushButton::clicked, this, &FrmMain::BtnOpt_Click);
    connect(moptions, &QAction::triggered, this, &FrmMain::moptions_Click);
    connect(mabout, &QAction::triggered, this, &FrmMain::mabout_Click);
}

// Runs before the main window is first shown, so each dialog is on screen on
// its own. Only a ticked box starts the wizard: greyed (an edited file) does
// not. Files from the command line take the place of its empty load dialogs.
void FrmMain::runStartupDialogs(bool wizard)
{
    if (unloaded_) // ended by a signal during the restore question
        return;
    bool guided = wizard && workspace_.options().wizardMode();
    if (guided) {
        // A signal that ends the program closes the dialog shown; the
        // start-up then ends too.
        opt_->exec();
        guided = workspace_.options().wizardMode(); // unticked in the dialog just shown
    }
    const QStringList files = std::exchange(startFiles_, {});
    if (unloaded_ || (!guided && files.isEmpty()))
        return;
    std::int16_t result = 0;
    frmLoadImage().LoadImage(0, result, files.value(0));
    if (unloaded_ || result != -1)
        return; // cancelled: the right pane is not offered
    if (guided)
        Prompt::current().message(Prompt::Icon::Information, ProgramName(), QStringLiteral("Left loaded."));
    if (!unloaded_ && (guided || files.size() > 1))
        frmLoadImage().LoadImage(1, result, files.value(1));
}

void FrmMain::BtnOpt_Click()
{
    opt_->exec();
}

void FrmMain::moptions_Click()
{
    opt_->exec();
}

void FrmMain::mabout_Click()
{
    FrmAbout::ShowModal(this);
}

} // namespace vexlo
