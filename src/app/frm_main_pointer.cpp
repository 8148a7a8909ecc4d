// The main window's pointer handlers: locator and labels, picking up,
// dropping and swapping tiles, and the dropper.
#include "app/frm_main.h"

#include "app/sheet_surface.h"
#include "common/colour.h"
#include "widgets/event_codes.h"
#include "widgets/failure_trap.h"
#include "common/prompt.h"
#include "load/frm_load_image.h"
#include "model/tile_drop.h"
#include "model/workspace.h"
#include "tiles/sheet_points.h"

#include <QFrame>
#include <QLabel>

#include <cmath>

namespace vexlo {
namespace {

// Tile numbers for the coordinate labels: plain decimal, no exponent for any
// coordinate a sheet can have.
QString LabelText(double tiles)
{
    return QString::number(tiles, 'g', 12);
}

} // namespace

void FrmMain::connectPointerHandlers()
{
    for (const PaneIndex pane : {0, 1}) {
        SheetSurface *surface = TileSet[pane];
        connect(surface, &SheetSurface::mousePressed, this,
                [this, pane](Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint at) {
                    RunTrapped([&] { TileSet_MouseDown(pane, ButtonCode(button), ShiftCode(modifiers), at.x(), at.y()); });
                });
        connect(surface, &SheetSurface::mouseMoved, this,
                [this, pane](Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint at) {
                    RunTrapped([&] { TileSet_MouseMove(pane, ButtonCode(buttons), ShiftCode(modifiers), at.x(), at.y()); });
                });
        connect(surface, &SheetSurface::dragMoved, this, [this, pane](SheetSurface *source, QPoint at, bool entering) {
            const std::int16_t state = entering ? 0 : 2; // 0 entering, 2 moving over
            RunTrapped([&] { TileSet_DragOver(pane, source, at.x(), at.y(), state); });
        });
        connect(surface, &SheetSurface::dropped, this, [this, pane](SheetSurface *source, QPoint at) {
            RunTrapped([&] { TileSet_DragDrop(pane, source, at.x(), at.y()); });
        });
        connect(surface, &SheetSurface::dragEnded, this, [this] { EndTileDrag(workspace_); });
        connect(surface, &SheetSurface::fileDropped, this,
                [this, pane](const QString &path) { RunTrapped([&] { TileSet_FileDrop(pane, path); }); });
    }
}

void FrmMain::TileSet_FileDrop(PaneIndex Index, const QString &path)
{
    std::int16_t result = 0;
    frmLoadImage().LoadImage(Index, result, path); // the outcome is the dialog's business, as with Load
}

void FrmMain::TileSet_MouseMove(PaneIndex Index, std::int16_t, std::int16_t, float X, float Y)
{
    const double left = SnappedToTile(X);
    const double top = SnappedToTile(Y);
    Locator.at(Index)->move(int(std::lround(left)), int(std::lround(top)));
    LblX.at(Index)->setText(LabelText(left / 32));
    LblY.at(Index)->setText(LabelText(top / 32));
}

void FrmMain::TileSet_DragOver(PaneIndex Index, const SheetSurface *, float X, float Y, std::int16_t)
{
    TileSet_MouseMove(Index, 0, 0, X, Y);
}

void FrmMain::TileSet_MouseDown(PaneIndex Index, std::int16_t Button, std::int16_t, float X, float Y)
{
    if (Button == 1) {
        const std::int32_t column = TileOf(X);
        const std::int32_t row = TileOf(Y);
        PickUpTile(workspace_, Index, column, row); // the drop ends its step
        DragTileX = column;
        DragTileY = row;
        TileSet.at(Index)->startDrag();
    } else if (Button == 2) {
        const Colour colour = ColourAt(workspace_.sheet(Index), X, Y);
        workspace_.setDropperColour(Index, colour);
        Prompt::current().message(Prompt::Icon::Information, QStringLiteral("Colour remembered"),
                                  QStringLiteral("Dropper: ") + ColourHex(colour));
    }
}

void FrmMain::TileSet_DragDrop(PaneIndex Index, const SheetSurface *Source, float X, float Y)
{
    DropTile(workspace_, Source->pane(), DragTileX, DragTileY, Index, TileOf(X), TileOf(Y));
}

} // namespace vexlo
