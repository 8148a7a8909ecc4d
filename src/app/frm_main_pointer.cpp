// The main window's pointer handlers: locator and labels, picking up,
// dropping and swapping tiles, and the dropper.
#include "app/frm_main.h"

#include "app/sheet_surface.h"
#include "common/colour.h"
#include "widgets/event_codes.h"
#include "widgets/failure_trap.h"
#include "common/prompt.h"
#include "load/frm_load_image.h"
#include "model/block_drop.h"
#include "model/tile_drop.h"
#include "model/workspace.h"
#include "tiles/sheet_points.h"

#include <QFrame>
#include <QLabel>
#include <QShortcut>

#include <algorithm>

#include <cmath>
#include <utility>

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
        connect(surface, &SheetSurface::mouseReleased, this,
                [this, pane](Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint at) {
                    RunTrapped([&] { TileSet_MouseUp(pane, ButtonCode(button), ShiftCode(modifiers), at.x(), at.y()); });
                });
        connect(surface, &SheetSurface::dragMoved, this,
                [this, pane, surface](SheetSurface *source, QPoint at, bool entering) {
                    const std::int16_t state = entering ? 0 : 2; // 0 entering, 2 moving over
                    RunTrapped([&] { TileSet_DragOver(pane, source, at.x(), at.y(), state); });
                    if (!TileSet_DropAllowed(pane, source, at.x(), at.y()))
                        surface->refuseDrop();
                });
        connect(surface, &SheetSurface::dropped, this, [this, pane](SheetSurface *source, QPoint at) {
            RunTrapped([&] { TileSet_DragDrop(pane, source, at.x(), at.y()); });
        });
        connect(surface, &SheetSurface::dragEnded, this, [this] { RunTrapped([&] { TileSet_DragEnd(); }); });
        connect(surface, &SheetSurface::fileDropped, this,
                [this, pane](const QString &path) { RunTrapped([&] { TileSet_FileDrop(pane, path); }); });
    }
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] { Form_KeyDown(Qt::Key_Escape); });
}

void FrmMain::TileSet_FileDrop(PaneIndex Index, const QString &path)
{
    std::int16_t result = 0;
    frmLoadImage().LoadImage(Index, result, path); // the outcome is the dialog's business, as with Load
}

void FrmMain::TileSet_MouseMove(PaneIndex Index, std::int16_t Button, std::int16_t, float X, float Y)
{
    if (selecting_ && (Button & 1) && Index == selectingPane_)
        selectTo(Index, X, Y);
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

void FrmMain::TileSet_MouseDown(PaneIndex Index, std::int16_t Button, std::int16_t Shift, float X, float Y)
{
    if (Button == 1 && (Shift & 1)) {
        // Shift chooses a block of tiles, from this tile to the one under the release.
        selecting_ = true;
        selectingPane_ = Index;
        selectionAnchor_ = QPoint(TileOf(X), TileOf(Y));
        selectTo(Index, X, Y);
    } else if (Button == 1) {
        const std::int32_t column = TileOf(X);
        const std::int32_t row = TileOf(Y);
        const TileSelection &selection = workspace_.selection();
        draggedBlock_ = selection.contains(Index, column, row) ? selection.tiles : QRect();
        if (draggedBlock_.isEmpty())
            workspace_.setSelection({});
        PickUpTile(workspace_, Index, column, row); // the drop ends its step
        DragTileX = column;
        DragTileY = row;
        if (draggedBlock_.isEmpty())
            TileSet.at(Index)->startDrag();
        else
            TileSet.at(Index)->startBlockDrag(draggedBlock_.size(), QPoint(column, row) - draggedBlock_.topLeft());
    } else if (Button == 2) {
        const Colour colour = ColourAt(workspace_.sheet(Index), X, Y);
        workspace_.setDropperColour(Index, colour);
        Prompt::current().message(Prompt::Icon::Information, QStringLiteral("Colour remembered"),
                                  QStringLiteral("Dropper: ") + ColourHex(colour));
    }
}

void FrmMain::TileSet_MouseUp(PaneIndex Index, std::int16_t Button, std::int16_t, float X, float Y)
{
    if (Button == 1 && selecting_ && Index == selectingPane_) {
        selectTo(Index, X, Y);
        selecting_ = false;
    }
}

void FrmMain::selectTo(PaneIndex pane, float x, float y)
{
    // Whole tiles only, and never past the sheet, wherever the pointer went.
    const QSize size = workspace_.sheet(pane).size();
    const int columns = size.width() / Workspace::kTileSize;
    const int rows = size.height() / Workspace::kTileSize;
    if (columns == 0 || rows == 0)
        return;
    const auto clamped = [&](QPoint tile) {
        return QPoint(std::clamp(tile.x(), 0, columns - 1), std::clamp(tile.y(), 0, rows - 1));
    };
    const QPoint from = clamped(selectionAnchor_);
    const QPoint to = clamped(QPoint(TileOf(x), TileOf(y)));
    // Not QRect::normalized(), which moves swapped corners by a tile.
    workspace_.setSelection({pane, QRect(QPoint(std::min(from.x(), to.x()), std::min(from.y(), to.y())),
                                         QPoint(std::max(from.x(), to.x()), std::max(from.y(), to.y())))});
}

void FrmMain::TileSet_DragDrop(PaneIndex Index, const SheetSurface *Source, float X, float Y)
{
    if (draggedBlock_.isEmpty())
        DropTile(workspace_, Source->pane(), DragTileX, DragTileY, Index, TileOf(X), TileOf(Y));
    else
        DropBlock(workspace_, Source->pane(), draggedBlock_, QPoint(DragTileX, DragTileY), Index,
                  QPoint(TileOf(X), TileOf(Y)));
}

bool FrmMain::TileSet_DropAllowed(PaneIndex Index, const SheetSurface *Source, float X, float Y) const
{
    return draggedBlock_.isEmpty()
           || BlockDropFits(workspace_, Source->pane(), draggedBlock_, QPoint(DragTileX, DragTileY), Index,
                            QPoint(TileOf(X), TileOf(Y)));
}

void FrmMain::TileSet_DragEnd()
{
    // A block not dropped leaves nothing: its pick-up is taken back.
    if (!std::exchange(draggedBlock_, QRect()).isEmpty())
        workspace_.rollBackStep();
    EndTileDrag(workspace_);
}

void FrmMain::Form_KeyDown(int KeyCode)
{
    if (KeyCode == Qt::Key_Escape && !selecting_)
        workspace_.setSelection({});
}

} // namespace vexlo
