#pragma once

#include "common/pane_index.h"

#include <QRect>

namespace vexlo {

// The block of tiles selected on one pane: column, row, columns and rows.
// Nothing is selected while `tiles` is empty. Not part of the work: it is
// never saved, and changing it alone is no undo step; a step that moves
// tiles keeps it, so undo puts it back with them.
struct TileSelection {
    PaneIndex pane = 0;
    QRect tiles;

    bool isEmpty() const { return tiles.isEmpty(); }
    bool contains(PaneIndex onPane, int column, int row) const
    {
        return !isEmpty() && pane == onPane && tiles.contains(column, row);
    }
    friend bool operator==(const TileSelection &, const TileSelection &) = default;
};

} // namespace vexlo
