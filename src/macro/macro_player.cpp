#include "macro/macro_player.h"

#include "common/failure.h"
#include "model/block_geometry.h"
#include "macro/swap_lines.h"
#include "model/macro_line.h"
#include "model/step_transaction.h"
#include "model/tile_engine.h"
#include "model/tile_origins.h"
#include "model/workspace.h"

#include <QStringList>

namespace vexlo {

namespace {

void PlayLine(Workspace &workspace, const MacroLine &line, TileOrigins *origins)
{
    switch (line.kind) {
    case MacroLine::Kind::GetTile:
        GetTile(workspace, line.pane, line.buffer, line.column, line.row);
        if (origins)
            origins->gotTile(line.pane, line.buffer, line.column, line.row);
        break;
    case MacroLine::Kind::PutTile:
        PutTile(workspace, line.pane, line.buffer, line.column, line.row, line.replace ? -1 : 0);
        if (origins)
            origins->putTile(line.pane, line.buffer, line.column, line.row);
        break;
    case MacroLine::Kind::ClearChip:
        ClearChip(workspace, line.buffer);
        if (origins)
            origins->clearedBuffer(line.buffer);
        break;
    }
}

// The six lines at once, and a run of them a pixel row of the run at a time:
// a block swap records thousands of them, and line by line each pair of tiles
// costs four tile copies a sheet's width apart.
void PlaySwaps(Workspace &workspace, const SwapLines &swaps, TileOrigins *origins)
{
    workspace.swapTilesThroughBuffers(swaps.pane, swaps.buffer, swaps.first, swaps.second, swaps.count);
    if (!origins)
        return;
    const int other = 1 - swaps.buffer;
    for (int i = 0; i < swaps.count; ++i) {
        const QPoint first = swaps.first + QPoint(i, 0);
        const QPoint second = swaps.second + QPoint(i, 0);
        origins->gotTile(swaps.pane, swaps.buffer, first.x(), first.y());
        origins->gotTile(swaps.pane, other, second.x(), second.y());
        origins->putTile(swaps.pane, swaps.buffer, second.x(), second.y());
        origins->putTile(swaps.pane, other, first.x(), first.y());
        origins->clearedBuffer(0);
        origins->clearedBuffer(1);
    }
}

// Whether a Get or a Put touches anything outside its sheet: such a Get
// copies black there, such a Put drops that part.
bool ReachesBeyondSheet(const Workspace &workspace, const MacroLine &line)
{
    if (line.kind == MacroLine::Kind::ClearChip || !Workspace::isIndex(line.pane))
        return false;
    return !BlockInsideSheet(QRect(line.column, line.row, 1, 1), workspace.sheet(line.pane).size());
}

} // namespace

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
            // The whole line is read before its call, so a short line does nothing.
            const std::optional<MacroLine> line = MacroLine::parse(lines.at(index));
            if (!line)
                continue;
            // Swaps are matched only where every tile lies inside the sheet.
            if (const std::optional<SwapLines> swaps = MatchSwapLines(*line, lines, index, workspace)) {
                PlaySwaps(workspace, *swaps, origins);
                index += SwapLines::kCount * swaps->count - 1;
            } else {
                PlayLine(workspace, *line, origins);
                if (ReachesBeyondSheet(workspace, *line))
                    ++result.beyondSheet[line->pane];
            }
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
