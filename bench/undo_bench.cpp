// What undo costs: a drop with the record of what it changed, taking a drop
// back and forth, and a colour replacement on the tallest sheet with its
// record and its undo.
#include "imageops/sheet_height.h"
#include "model/tile_drop.h"
#include "model/workspace.h"
#include "sheet_pipeline.h"

#include <benchmark/benchmark.h>

namespace vexlo {
namespace {

// Two speckled sheets of the given height with their keys, replacements on.
void Prepare(Workspace &workspace, int height)
{
    workspace.setSheet(0, bench::MagentaSpeckledSheet(height));
    workspace.setSheet(1, bench::MagentaSpeckledSheet(height));
    workspace.setKeyColours(0, Colour(255, 0, 255), Colour(64, 64, 64));
    workspace.setKeyColours(1, Colour(0, 255, 255), kBlack);
    workspace.options().setState(OptSwitch::ChkRepTrans, 1);
    workspace.options().setState(OptSwitch::ChkRepTransL, 1);
}

// A whole copying drag as the window runs it: pick-up, drop with both
// replacements, the undo step pushed. The stack keeps growing, and is
// trimmed when it reaches its budget, as in a long session.
void DropWithItsUndoRecord(benchmark::State &state)
{
    const int height = int(state.range(0));
    const int rows = height / Workspace::kTileSize;
    Workspace workspace;
    Prepare(workspace, height);
    std::int32_t row = 0;
    for (auto _ : state) {
        PickUpTile(workspace, 0, 3, row);
        DropTile(workspace, 0, 3, row, 1, 5, (row + 17) % rows);
        row = (row + 1) % rows;
    }
}
BENCHMARK(DropWithItsUndoRecord)->Arg(32768)->Unit(benchmark::kMicrosecond);

// One undo and one redo of a copying drop, the pair.
void UndoAndRedoOfADrop(benchmark::State &state)
{
    const int height = int(state.range(0));
    Workspace workspace;
    Prepare(workspace, height);
    PickUpTile(workspace, 0, 3, 700);
    DropTile(workspace, 0, 3, 700, 1, 5, 300);
    QUndoStack &stack = workspace.undoStack();
    for (auto _ : state) {
        stack.undo();
        stack.redo();
    }
}
BENCHMARK(UndoAndRedoOfADrop)->Arg(32768)->Unit(benchmark::kMicrosecond);

// Replace colour as the window runs it, keeping a mark for each pixel changed.
void ReplaceColourWithItsUndoRecordOnTheLargestSheet(benchmark::State &state)
{
    Workspace workspace;
    workspace.setSheet(0, bench::MagentaSpeckledSheet(kMaxSheetHeight));
    Colour find = Colour(255, 0, 255);
    Colour replace = Colour(0, 0, 0);
    for (auto _ : state) {
        const Step step(workspace, QStringLiteral("Replace colour"));
        workspace.replaceColour(0, find, replace);
        std::swap(find, replace);
    }
    state.SetBytesProcessed(state.iterations() * workspace.sheet(0).sizeInBytes());
}
BENCHMARK(ReplaceColourWithItsUndoRecordOnTheLargestSheet)->Unit(benchmark::kMillisecond);

// The undo alone (redo runs untimed between).
void UndoOfReplaceColourOnTheLargestSheet(benchmark::State &state)
{
    Workspace workspace;
    workspace.setSheet(0, bench::MagentaSpeckledSheet(kMaxSheetHeight));
    {
        const Step step(workspace, QStringLiteral("Replace colour"));
        workspace.replaceColour(0, Colour(255, 0, 255), Colour(0, 0, 0));
    }
    QUndoStack &stack = workspace.undoStack();
    for (auto _ : state) {
        stack.undo();
        state.PauseTiming();
        stack.redo();
        state.ResumeTiming();
    }
}
BENCHMARK(UndoOfReplaceColourOnTheLargestSheet)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vexlo
