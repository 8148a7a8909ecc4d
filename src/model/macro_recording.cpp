#include "model/macro_recording.h"

#include "model/workspace.h"

#include <initializer_list>

namespace vexlo {
namespace {

QString MacroLine(const char *keyword, std::initializer_list<std::int32_t> fields)
{
    QString line = QLatin1String(keyword);
    for (const std::int32_t field : fields)
        line += u',' + QString::number(field);
    return line;
}

// Every recorded line goes through here.
void AppendRecorded(Workspace &workspace, const QString &line)
{
    workspace.appendMacroLine(line);
}

} // namespace

void RecordGetTile(Workspace &workspace, std::int16_t pane, std::int16_t buffer, std::int32_t column,
                   std::int32_t row)
{
    if (workspace.recording())
        AppendRecorded(workspace, MacroLine("Get", {pane, buffer, column, row}));
}

void RecordPutTile(Workspace &workspace, std::int16_t pane, std::int16_t buffer, std::int32_t column,
                   std::int32_t row, std::int16_t replace)
{
    if (workspace.recording())
        AppendRecorded(workspace, MacroLine("Put", {pane, buffer, column, row, replace != 0 ? -1 : 0}));
}

void RecordClearChip(Workspace &workspace, std::int16_t buffer)
{
    if (workspace.recording())
        AppendRecorded(workspace, MacroLine("Cls", {buffer}));
}

} // namespace vexlo
