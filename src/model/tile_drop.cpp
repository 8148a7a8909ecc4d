#include "model/tile_drop.h"

#include "model/tile_engine.h"
#include "model/workspace.h"

namespace vexlo {
namespace {

// The lines a drop records after its pick-up's "Get".
constexpr qsizetype kCopyLines = 2; // Put, Cls
constexpr qsizetype kSwapLines = 5; // Get, Put, Put, Cls, Cls

} // namespace

void PickUpTile(Workspace &workspace, PaneIndex pane, std::int32_t column, std::int32_t row)
{
    workspace.beginStep(QStringLiteral("Pick up tile"));
    try {
        GetTile(workspace, pane, pane, column, row);
    } catch (...) {
        workspace.rollBackStep(); // no step is left open for later changes to join
        throw;
    }
}

void DropTile(Workspace &workspace, PaneIndex source, std::int32_t fromColumn, std::int32_t fromRow,
              PaneIndex pane, std::int32_t column, std::int32_t row)
{
    const bool swap = source == pane;
    if (!workspace.stepOpen())
        workspace.beginStep({});
    workspace.setStepText(swap ? QStringLiteral("Swap tiles") : QStringLiteral("Copy tile"));
    if (workspace.recording()) {
        const qsizetype wouldHave = workspace.macro().count() + (swap ? kSwapLines : kCopyLines);
        if (wouldHave > MacroList::kMaxLines) {
            workspace.rollBackStep();
            MacroList::checkFits(wouldHave);
        }
    }
    try {
        if (swap) {
            // The tile under the drop point waits in the other pane's buffer.
            const std::int16_t scratch = OtherPane(pane);
            GetTile(workspace, pane, scratch, column, row);
            PutTile(workspace, pane, pane, column, row, 0);
            PutTile(workspace, pane, scratch, fromColumn, fromRow, 0);
            ClearChip(workspace, 0);
            ClearChip(workspace, 1);
        } else {
            PutTile(workspace, pane, source, column, row, -1);
            ClearChip(workspace, source);
        }
    } catch (...) {
        workspace.rollBackStep();
        throw;
    }
    workspace.endStep();
}

void EndTileDrag(Workspace &workspace)
{
    workspace.endStep();
}

} // namespace vexlo
