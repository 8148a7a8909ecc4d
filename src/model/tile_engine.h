#pragma once

#include "common/colour.h"
#include "common/pane_index.h"

#include <cstdint>

namespace vexlo {

class Workspace;

// The tile engine: moves 32 x 32 tiles between the panes' sheets and the two
// tile buffers of a workspace. Pane and buffer indices are 0 or 1; any other
// index fails with a missing-element failure before a pixel changes. While
// recording is on, GetTile, PutTile and ClearChip first append their macro
// line, so the line stays even when the operation then fails.

// Copies the sheet's tile (column, row) into the buffer. Source pixels that
// lie outside the sheet arrive as black, the colour of an empty sheet.
// Fails with an overflow when column * 32 or row * 32 leaves 32 bits.
void GetTile(Workspace &workspace, PaneIndex pane, std::int16_t buffer, std::int32_t column,
             std::int32_t row);

// Paints the buffer onto the sheet at tile (column, row); pixels that fall
// outside the sheet are dropped. With replace exactly -1, the buffer's own
// key colours (those of pane `buffer`) are first turned into the target
// pane's, as far as the options switch it on: transparent first, then
// translucent on the result. Those replacements stay in the buffer. An
// overflow of column * 32 or row * 32 fails after them, leaving the sheet as
// it was.
void PutTile(Workspace &workspace, PaneIndex pane, std::int16_t buffer, std::int32_t column,
             std::int32_t row, std::int16_t replace);

// What a tile copied from pane `from` onto pane `to` has replaced: each key
// colour of the source that the options switch on (kNoColour otherwise) by
// the target's, transparent first, then translucent on the result.
struct KeyReplacement {
    Colour findTransparent;
    Colour transparent;
    Colour findTranslucent;
    Colour translucent;
};
KeyReplacement KeyReplacementFor(const Workspace &workspace, PaneIndex from, PaneIndex to);

// Empties the buffer to its light grey.
void ClearChip(Workspace &workspace, std::int16_t buffer);

// 1 for 0 and 0 for 1; never recorded. Fails with an overflow when the
// answer leaves 16 bits.
std::int16_t OtherPane(PaneIndex pane);

} // namespace vexlo
