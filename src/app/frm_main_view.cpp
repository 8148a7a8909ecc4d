// What the main window shows, read without handing out its controls.
#include "app/frm_main.h"

#include "app/sheet_surface.h"
#include "widgets/form_controls.h"
#include "widgets/key_swatch.h"

#include <QFrame>
#include <QLabel>
#include <QListView>
#include <QScrollBar>

namespace vexlo {

FrmMain::Controls FrmMain::controls() const
{
    return {ToolBox,          ReadOnly(BtnImageOps), ReadOnly(LblX),      ReadOnly(LblY),
            ReadOnly(Label1), ReadOnly(TransCol),    ReadOnly(TransLCol), ReadOnly(NoTransp),
            ReadOnly(Chip),   BtnMacro,              BtnOpt,              ReadOnly(TileSet),
            ReadOnly(Locator), ReadOnly(TileSetScroll), List1};
}

FrmMain::View FrmMain::view() const
{
    View shown;
    for (PaneIndex pane = 0; pane < 2; ++pane) {
        PaneView &seen = shown.panes[pane];
        seen.transparentShown = !TransCol[pane]->isHidden();
        seen.transparent = TransCol[pane]->colour();
        seen.translucentShown = !TransLCol[pane]->isHidden();
        seen.translucent = TransLCol[pane]->colour();
        seen.sheet = TileSet[pane]->geometry();
        seen.scrollValue = TileSetScroll[pane]->value();
        seen.locator = Locator[pane]->pos();
        seen.column = LblX[pane]->text();
        seen.row = LblY[pane]->text();
    }
    shown.macroShown = !List1->isHidden();
    return shown;
}

} // namespace vexlo
