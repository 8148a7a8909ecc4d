#pragma once

#include "common/pane_index.h"
#include "model/macro_line.h"

#include <QPoint>
#include <QStringList>

#include <optional>

namespace vexlo {

class Workspace;

// A swap of two tiles of one sheet through both buffers, as a drop on its
// own sheet records it (and a block swap, tile pair by tile pair):
//   Get,p,b,c1,r1 / Get,p,o,c2,r2 / Put,p,b,c2,r2,0 / Put,p,o,c1,r1,0 /
//   Cls,0 / Cls,1
// with o the buffer that is not b.
struct SwapLines {
    static constexpr qsizetype kCount = 6;

    PaneIndex pane = 0;
    std::int16_t buffer = 0;
    QPoint first;  // c1, r1
    QPoint second; // c2, r2
    // How many such sequences follow one another, each swapping the tiles to
    // the right of the one before, while the two runs of tiles stay apart.
    int count = 1;
};

// The swaps made by `get`, read from lines[index], and the lines after it,
// when they are that sequence and none of them can fail on the workspace as
// it is: every tile wholly inside the sheet, which holds its pixels alone
// (writing to it cannot run out of memory half-way). Nothing otherwise,
// also when a later line could not be read; playing line by line then does
// or halts as it would.
std::optional<SwapLines> MatchSwapLines(const MacroLine &get, const QStringList &lines, qsizetype index,
                                        const Workspace &workspace);

} // namespace vexlo
