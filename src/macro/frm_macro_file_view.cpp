// The macro file dialog seen and used without handing out its controls.
#include "macro/frm_macro_file.h"

#include "widgets/file_list.h"
#include "widgets/form_controls.h"

#include <QPushButton>

namespace vexlo {

bool FrmMacroFile::chooseFile(const QString &name)
{
    return File1->choose(name);
}

QStringList FrmMacroFile::listedFiles() const
{
    return File1->names();
}

FrmMacroFile::Controls FrmMacroFile::controls() const
{
    return {File1, BtnLoad, ReadOnly(BtnSave)};
}

} // namespace vexlo
