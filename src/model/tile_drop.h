#pragma once

#include "common/pane_index.h"
#include <cstdint>

namespace vexlo {

class Workspace;

// A tile dragged with the mouse, as one undo step from the press that picks
// the tile up to its drop.

// Picks tile (column, row) of a pane up into that pane's buffer and opens
// the drag's step.
void PickUpTile(Workspace &workspace, PaneIndex pane, std::int32_t column, std::int32_t row);

// Drops the tile picked up at (fromColumn, fromRow) of `source` on tile
// (column, row) of `pane`: onto the other pane a copy with its keys
// replaced, onto its own pane a swap of the two tiles (the same tile too).
// All or nothing: while recording, when the lines it records would not all
// fit in the macro, it fails with the limit's message before any tile work
// and the pick-up is undone as well; so does any other failure.
void DropTile(Workspace &workspace, PaneIndex source, std::int32_t fromColumn, std::int32_t fromRow,
              PaneIndex pane, std::int32_t column, std::int32_t row);

// The drag is over: a tile picked up and not dropped stays in its buffer as
// a step of its own.
void EndTileDrag(Workspace &workspace);

} // namespace vexlo
