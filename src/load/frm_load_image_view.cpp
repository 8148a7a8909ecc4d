// What the load dialog shows, read without handing out its controls.
#include "load/frm_load_image.h"

#include "widgets/form_controls.h"
#include "widgets/key_swatch.h"
#include "load/preview_box.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>

namespace vexlo {

void FrmLoadImage::scrollPreview(int value)
{
    TileSetScroll->setValue(value);
}

FrmLoadImage::View FrmLoadImage::view() const
{
    View shown;
    shown.fileName = FileName->text();
    shown.previewShown = !TileSet->isHidden();
    shown.preview = TileSet->geometry();
    shown.scrollValue = TileSetScroll->value();
    shown.transparentShown = !TransCol->isHidden();
    shown.transparent = TransCol->colour();
    shown.translucentShown = !TransLCol->isHidden();
    shown.translucent = TransLCol->colour();
    shown.loadEnabled = BtnLoad->isEnabled();
    shown.alphaToKeysEnabled = ChkAlphaToKeys->isEnabled();
    shown.alphaToKeys = ChkAlphaToKeys->isChecked();
    return shown;
}

FrmLoadImage::Controls FrmLoadImage::controls() const
{
    return {Drive1,           Dir1,     File1,     BtnExplore,            FileName,  TileSet, TileSetScroll,
            ReadOnly(Label1), TransCol, TransLCol, ReadOnly(BtnDefTrans), ChkAlphaToKeys, BtnCancel, BtnLoad};
}

} // namespace vexlo
