#pragma once

#include "common/pane_index.h"

#include <QPoint>
#include <QRect>

namespace vexlo {

class Workspace;

// A block of tiles dragged with the mouse, as one undo step from the press
// that picks its grabbed tile up (PickUpTile) to its drop. Rectangles are in
// tiles. The grabbed tile lands on the tile under the drop point and the
// others keep their places around it.

// Where the block's top left tile lands.
QPoint BlockTarget(QRect block, QPoint grabbed, QPoint dropTile);

// Whether the block dropped there changes the sheets: every tile of it lies
// wholly inside both sheets, and on its own pane it moves.
bool BlockDropFits(const Workspace &workspace, PaneIndex source, QRect block, QPoint grabbed, PaneIndex pane,
                   QPoint dropTile);

// Drops the block: onto the other pane a copy with the keys replaced as the
// options say, onto its own pane a swap or a slide (see BlockMoves); the
// buffers end as a single-tile drop leaves them, and the selection marks the
// block at its new place. While recording it is recorded as the lines that
// do the same tile by tile: onto the other pane a copy of each tile (Get,
// Put, Cls), onto its own pane a single-tile swap (Get, Get, Put, Put, Cls,
// Cls) for each swap the rearrangement takes. False, with the pick-up undone
// and nothing changed nor recorded, when it does not fit (BlockDropFits).
// When its lines would not all fit in the macro, it fails with the limit's
// message, all undone as well; so does any other failure.
bool DropBlock(Workspace &workspace, PaneIndex source, QRect block, QPoint grabbed, PaneIndex pane,
               QPoint dropTile);

} // namespace vexlo
