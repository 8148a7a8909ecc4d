// Blocks of tiles: selecting and swapping two 8 x 256-tile blocks of a
// 4096-tile sheet with its undo record, undoing it, and replaying the lines
// it recorded, which is what vexlo-play does besides reading and writing.
#include "macro/macro_player.h"
#include "model/block_drop.h"
#include "model/tile_drop.h"
#include "model/workspace.h"
#include "sheet_pipeline.h"

#include <benchmark/benchmark.h>

namespace vexlo {
namespace {

constexpr int kSheetTiles = 4096;
constexpr int kHeight = kSheetTiles / 8 * Workspace::kTileSize;
const QRect kBlock(0, 0, 8, 256);
const QPoint kOtherBlock(0, 256);

// Speckled sheets whose every tile differs from the others in its first
// pixel, so each swap changes the sheet (one that changes nothing is no step).
void Prepare(Workspace &workspace)
{
    QImage sheet = bench::MagentaSpeckledSheet(kHeight);
    for (int tile = 0; tile < kSheetTiles; ++tile)
        sheet.setPixel(tile % 8 * Workspace::kTileSize, tile / 8 * Workspace::kTileSize, qRgb(tile & 0xFF, tile >> 8, 7));
    workspace.setSheet(0, sheet);
    workspace.setSheet(1, sheet);
}

// What the window does: the selection, the press on its first tile, the
// drop on the other block's first tile, the step pushed.
void SwapBlocks(Workspace &workspace)
{
    workspace.setSelection({0, kBlock});
    PickUpTile(workspace, 0, 0, 0);
    DropBlock(workspace, 0, kBlock, {0, 0}, 0, kOtherBlock);
    EndTileDrag(workspace);
}

void BlockSwapWithItsUndoRecord(benchmark::State &state)
{
    Workspace workspace;
    Prepare(workspace);
    for (auto _ : state)
        SwapBlocks(workspace);
}
BENCHMARK(BlockSwapWithItsUndoRecord)->Unit(benchmark::kMillisecond);

void UndoOfABlockSwap(benchmark::State &state)
{
    Workspace workspace;
    Prepare(workspace);
    SwapBlocks(workspace);
    UndoHistory &stack = workspace.undoStack();
    if (!stack.canUndo())
        state.SkipWithError("the swap left no step");
    for (auto _ : state) {
        stack.undo();
        state.PauseTiming();
        stack.redo();
        state.ResumeTiming();
    }
}
BENCHMARK(UndoOfABlockSwap)->Unit(benchmark::kMillisecond);

void ReplayOfABlockSwap(benchmark::State &state)
{
    Workspace workspace;
    Prepare(workspace);
    workspace.setRecording(true);
    SwapBlocks(workspace);
    workspace.setRecording(false);
    for (auto _ : state) {
        const PlayResult result = PlayMacroLines(workspace);
        if (result.outcome != PlayResult::Outcome::Played)
            state.SkipWithError("the lines did not play through");
    }
    state.counters["lines"] = double(workspace.macro().count());
}
BENCHMARK(ReplayOfABlockSwap)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vexlo
