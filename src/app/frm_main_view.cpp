// What the main window shows, read without handing out its controls.
#include "app/frm_main.h"

#include "app/sheet_surface.h"
#include "widgets/key_swatch.h"

#include <QFrame>
#include <QLabel>
#include <QListView>
#include <QScrollBar>

namespace vexlo {

FrmMain::Controls FrmMain::controls() const
{
    Controls shown{ToolBox, {}, {}, {}, {}, {}, {}, {}, {}, BtnMacro, BtnOpt, {}, {}, {}, List1};
    for (int pane = 0; pane < 2; ++pane) {
        shown.BtnImageOps[pane] = BtnImageOps[pane];
        shown.LblX[pane] = LblX[pane];
        shown.LblY[pane] = LblY[pane];
        shown.TransCol[pane] = TransCol[pane];
        shown.TransLCol[pane] = TransLCol[pane];
        shown.Chip[pane] = Chip[pane];
        shown.TileSet[pane] = TileSet[pane];
        shown.Locator[pane] = Locator[pane];
        shown.TileSetScroll[pane] = TileSetScroll[pane];
    }
    for (int i = 0; i < 4; ++i) {
        shown.Label1[i] = Label1[i];
        shown.NoTransp[i] = NoTransp[i];
    }
    return shown;
}

FrmMain::View FrmMain::view() const
{
    View shown;
    for (int pane = 0; pane < 2; ++pane) {
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
