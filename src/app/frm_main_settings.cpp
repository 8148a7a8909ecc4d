// The main window's part in the settings: the options dialog it keeps for
// the whole run and the commands that show it and the About box.
#include "app/frm_main.h"

#include "about/frm_about.h"
#include "app/workspace.h"
#include "settings/opt.h"

#include <QAction>
#include <QPushButton>

namespace vexlo {

void FrmMain::buildSettings()
{
    opt_ = new Opt(workspace_.options(), this);
    connect(BtnOpt, &QPushButton::clicked, this, &FrmMain::BtnOpt_Click);
    connect(moptions, &QAction::triggered, this, &FrmMain::moptions_Click);
    connect(mabout, &QAction::triggered, this, &FrmMain::mabout_Click);
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
