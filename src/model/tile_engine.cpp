#include "model/tile_engine.h"

#include "common/failure.h"
#include "common/lenient_number.h"
#include "model/macro_recording.h"
#include "model/workspace.h"

#include <limits>

namespace vexlo {
namespace {

// Top left pixel coordinate of a tile, which must fit 32 signed bits.
std::int32_t TileOrigin(std::int32_t tile)
{
    const std::int64_t origin = std::int64_t(tile) * Workspace::kTileSize;
    if (origin < std::numeric_limits<std::int32_t>::min() || origin > std::numeric_limits<std::int32_t>::max())
        throw Failure::overflow();
    return std::int32_t(origin);
}

} // namespace

void GetTile(Workspace &workspace, PaneIndex pane, std::int16_t buffer, std::int32_t column, std::int32_t row)
{
    RecordGetTile(workspace, pane, buffer, column, row);
    Workspace::checkedIndex(pane);
    Workspace::checkedIndex(buffer);
    const std::int32_t x0 = TileOrigin(column);
    const std::int32_t y0 = TileOrigin(row);
    workspace.copyTileToBuffer(pane, buffer, x0, y0);
}

void PutTile(Workspace &workspace, PaneIndex pane, std::int16_t buffer, std::int32_t column, std::int32_t row,
             std::int16_t replace)
{
    RecordPutTile(workspace, pane, buffer, column, row, replace);
    Workspace::checkedIndex(pane);
    Workspace::checkedIndex(buffer);
    if (replace == -1) {
        const KeyReplacement keys = KeyReplacementFor(workspace, buffer, pane);
        workspace.replaceBufferColours(buffer, keys.findTransparent, keys.transparent, keys.findTranslucent,
                                       keys.translucent);
    }
    workspace.pasteBuffer(buffer, pane, TileOrigin(column), TileOrigin(row));
}

KeyReplacement KeyReplacementFor(const Workspace &workspace, PaneIndex from, PaneIndex to)
{
    const Options &options = workspace.options();
    return {options.isOn(OptSwitch::ChkRepTrans) ? workspace.transparentKey(from) : kNoColour,
            workspace.transparentKey(to),
            options.isOn(OptSwitch::ChkRepTransL) ? workspace.translucentKey(from) : kNoColour,
            workspace.translucentKey(to)};
}

void ClearChip(Workspace &workspace, std::int16_t buffer)
{
    RecordClearChip(workspace, buffer);
    workspace.clearBuffer(buffer);
}

std::int16_t OtherPane(PaneIndex pane)
{
    return ToInt16(1.0 - pane);
}

} // namespace vexlo
