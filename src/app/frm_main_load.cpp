// The main window's way into the load dialog.
#include "app/frm_main.h"

#include "load/frm_load_image.h"

namespace vexlo {

FrmLoadImage &FrmMain::frmLoadImage()
{
    if (!frmLoadImage_)
        frmLoadImage_ = new FrmLoadImage(workspace_, this);
    return *frmLoadImage_;
}

void FrmMain::mload_Click()
{
    std::int16_t result = 0;
    frmLoadImage().LoadImage(OpsPane, result); // the outcome is the dialog's business
}

} // namespace vexlo
