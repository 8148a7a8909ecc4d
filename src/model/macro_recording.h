#pragma once

#include "common/pane_index.h"
#include <QString>

#include <cstdint>

namespace vexlo {

class Workspace;

// The recording step of the tile operations: while recording is on, each
// appends its macro line (model/macro_line.h) to the workspace's macro
// before doing its work.
void RecordGetTile(Workspace &workspace, PaneIndex pane, std::int16_t buffer, std::int32_t column,
                   std::int32_t row);
// The replace field is written as a truth value: -1 for any non-zero flag, 0 for 0.
void RecordPutTile(Workspace &workspace, PaneIndex pane, std::int16_t buffer, std::int32_t column,
                   std::int32_t row, std::int16_t replace);
void RecordClearChip(Workspace &workspace, std::int16_t buffer);

} // namespace vexlo
