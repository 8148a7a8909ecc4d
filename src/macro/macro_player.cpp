#include "macro/macro_player.h"

#include "common/failure.h"
#include "model/macro_line.h"
#include "model/step_transaction.h"
#include "model/tile_engine.h"
#include "model/tile_origins.h"
#include "model/workspace.h"

#include <QStringList>

namespace vexlo {

void PlayMacroLine(Workspace &workspace, const QString &line, TileOrigins *origins)
{
    // The whole line is read before its call, so a short line does nothing.
    const auto parsed = MacroLine::parse(line);
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

PlayResult PlayMacroLines(Workspace &workspace, TileOrigins *origins)
{
    if (workspace.recording())
        return {PlayResult::Outcome::RecordingOn, QStringLiteral("Stop macro recording first."), -1};
    const QStringList &lines = workspace.macro().lines();
    if (lines.isEmpty())
        return {PlayResult::Outcome::EmptyMacro, QStringLiteral("No macro to play."), -1};
    const qsizetype last = lines.size() - 1;
    for (qsizetype index = 0; index <= last; ++index) {
        try {
            PlayMacroLine(workspace, lines.at(index), origins);
        } catch (const Failure &failure) {
            return {PlayResult::Outcome::Halted, failure.description(), index};
        }
    }
    return {};
}

PlayResult PlayMacro(Workspace &workspace)
{
    StepTransaction step(workspace, QStringLiteral("Play macro"));
    PlayResult result = PlayMacroLines(workspace);
    step.commit();
    return result;
}

} // namespace vexlo
