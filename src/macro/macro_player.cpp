#include "macro/macro_player.h"

#include "common/failure.h"
#include "model/macro_line.h"
#include "model/step_transaction.h"
#include "model/tile_engine.h"
#include "model/tile_origins.h"
#include "model/workspace.h"

#include <QStringList>

namespace vexlo {

namespace {

void PlayParsedLine(Workspace &workspace, const std::optional<MacroLine> &parsed, TileOrigins *origins)
{
    if (!parsed)
        return;
    switch (parsed->kind) {
    case MacroLine::Kind::GetTile:
        GetTile(workspace, parsed->pane, parsed->buffer, parsed->column, parsed->row);
        if (origins)
            origins->gotTile(parsed->pane, parsed->buffer, parsed->column, parsed->row);
        break;
    case MacroLine::Kind::PutTile:
        PutTile(workspace, parsed->pane, parsed->buffer, parsed->column, parsed->row, parsed->replace ? -1 : 0);
        if (origins)
            origins->putTile(parsed->pane, parsed->buffer, parsed->column, parsed->row);
        break;
    case MacroLine::Kind::ClearChip:
        ClearChip(workspace, parsed->buffer);
        if (origins)
            origins->clearedBuffer(parsed->buffer);
        break;
    }
}

// Whether a Get or a Put touches anything outside its sheet: such a Get
// copies black there, such a Put drops that part.
bool ReachesBeyondSheet(const Workspace &workspace, const MacroLine &line)
{
    if (line.kind == MacroLine::Kind::ClearChip || !Workspace::isIndex(line.pane))
        return false;
    const QImage &sheet = workspace.sheet(line.pane);
    const qint64 x = qint64(line.column) * kTileSize;
    const qint64 y = qint64(line.row) * kTileSize;
    return x < 0 || y < 0 || x + kTileSize > sheet.width() || y + kTileSize > sheet.height();
}

} // namespace

void PlayMacroLine(Workspace &workspace, const QString &line, TileOrigins *origins)
{
    // The whole line is read before its call, so a short line does nothing.
    PlayParsedLine(workspace, MacroLine::parse(line), origins);
}

PlayResult PlayMacroLines(Workspace &workspace, TileOrigins *origins)
{
    if (workspace.recording())
        return {PlayResult::Outcome::RecordingOn, QStringLiteral("Stop macro recording first."), -1};
    const QStringList &lines = workspace.macro().lines();
    if (lines.isEmpty())
        return {PlayResult::Outcome::EmptyMacro, QStringLiteral("No macro to play."), -1};
    const qsizetype last = lines.size() - 1;
    PlayResult result;
    for (qsizetype index = 0; index <= last; ++index) {
        try {
            const auto parsed = MacroLine::parse(lines.at(index));
            PlayParsedLine(workspace, parsed, origins);
            if (parsed && ReachesBeyondSheet(workspace, *parsed))
                ++result.beyondSheet[parsed->pane];
        } catch (const Failure &failure) {
            result.outcome = PlayResult::Outcome::Halted;
            result.description = failure.description();
            result.line = index;
            return result;
        }
    }
    return result;
}

PlayResult PlayMacro(Workspace &workspace)
{
    StepTransaction step(workspace, QStringLiteral("Play macro"));
    PlayResult result = PlayMacroLines(workspace);
    step.commit();
    return result;
}

} // namespace vexlo
