#include "model/macro_recording.h"

#include "model/macro_line.h"
#include "model/workspace.h"

namespace vexlo {
namespace {

// A tile operation's line, as recorded (a block drop's lines come whole
// from BlockDropLines).
void AppendRecorded(Workspace &workspace, const MacroLine &line)
{
    workspace.appendMacroLine(line.format());
}

} // namespace

void RecordGetTile(Workspace &workspace, PaneIndex pane, std::int16_t buffer, std::int32_t column,
                   std::int32_t row)
{
    if (workspace.recording())
        AppendRecorded(workspace, {MacroLine::Kind::GetTile, pane, buffer, column, row});
}

void RecordPutTile(Workspace &workspace, PaneIndex pane, std::int16_t buffer, std::int32_t column,
                   std::int32_t row, std::int16_t replace)
{
    if (workspace.recording())
        AppendRecorded(workspace, {MacroLine::Kind::PutTile, pane, buffer, column, row, replace != 0});
}

void RecordClearChip(Workspace &workspace, std::int16_t buffer)
{
    if (workspace.recording())
        AppendRecorded(workspace, {MacroLine::Kind::ClearChip, 0, buffer});
}

} // namespace vexlo
