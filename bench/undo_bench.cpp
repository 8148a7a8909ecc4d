// What undo costs: a drop with the record of what it changed, taking a drop
// back and forth, a colour replacement on the tallest sheet with its record
// and its undo, and the memory the kept steps really take.
#include "imageops/sheet_height.h"
#include "macro/macro_player.h"
#include "model/sheet_actions.h"
#include "model/tile_drop.h"
#include "model/workspace.h"
#include "sheet_pipeline.h"

#include <benchmark/benchmark.h>
#include <malloc.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <limits>
#include <string>

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
// trimmed when it reaches its budget, as in a long session. Each round
// over the rows drops the tiles one row further on, so every drop changes
// the sheet: a drop that changes nothing is no step.
void DropWithItsUndoRecord(benchmark::State &state)
{
    const int height = int(state.range(0));
    const int rows = height / Workspace::kTileSize;
    Workspace workspace;
    Prepare(workspace, height);
    std::int32_t drag = 0;
    for (auto _ : state) {
        const std::int32_t row = drag % rows;
        PickUpTile(workspace, 0, 3, row);
        DropTile(workspace, 0, 3, row, 1, 5, (row + 17 + drag / rows) % rows);
        ++drag;
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
    UndoHistory &stack = workspace.undoStack();
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
        ReplaceSheetColour(workspace, 0, find, replace);
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
    ReplaceSheetColour(workspace, 0, Colour(255, 0, 255), Colour(0, 0, 0));
    UndoHistory &stack = workspace.undoStack();
    for (auto _ : state) {
        stack.undo();
        state.PauseTiming();
        stack.redo();
        state.ResumeTiming();
    }
}
BENCHMARK(UndoOfReplaceColourOnTheLargestSheet)->Unit(benchmark::kMillisecond);

// The process's resident memory now, or the most it has had since the
// last ForgetPeakResidentMemory, from the kernel's status lines.
qint64 ResidentBytes(const std::string &field = "VmRSS:")
{
    std::ifstream status("/proc/self/status");
    std::string name;
    qint64 kib = 0;
    while (status >> name) {
        if (name == field && status >> kib)
            return kib * 1024;
        status.ignore(std::numeric_limits<std::streamsize>::max(), '\n');
    }
    return 0;
}

bool ForgetPeakResidentMemory()
{
    std::ofstream clear("/proc/self/clear_refs");
    return bool(clear << "5" << std::flush);
}

// Resident memory the undo steps take, against their budget: Play runs of a
// macro that exchanges the two 256 x 32768 sheets tile by tile, as far as
// its 32,767 lines reach (16,382 tiles, 64 MiB kept a run; each run puts
// back what the one before changed, so every run is a step), then every
// step kept undone and redone. The figure is the most the process grew
// by, at any moment, over the sheets it started with.
void KeptStepsResidentMemory(benchmark::State &state)
{
    constexpr int kHeight = 32768;
    constexpr int kPlays = 14;
    for (auto _ : state) {
        Workspace workspace;
        Prepare(workspace, kHeight);
        workspace.replaceColour(1, Colour(255, 0, 255), kBlack); // no tile of one sheet is the other's
        QStringList lines;
        for (int place = 0; lines.size() + 4 <= MacroList::kMaxLines; ++place) {
            const int column = place % 8;
            const int row = place / 8;
            lines << QStringLiteral("Get,0,0,%1,%2").arg(column).arg(row)
                  << QStringLiteral("Get,1,1,%1,%2").arg(column).arg(row)
                  << QStringLiteral("Put,0,1,%1,%2,0").arg(column).arg(row)
                  << QStringLiteral("Put,1,0,%1,%2,0").arg(column).arg(row);
        }
        workspace.setMacroLines(lines);
        malloc_trim(0); // what earlier runs freed is not there to be reused
        const qint64 start = ResidentBytes();
        if (!ForgetPeakResidentMemory())
            state.SkipWithError("the peak resident memory cannot be reset");
        qint64 counted = 0;
        for (int play = 0; play < kPlays; ++play) {
            if (PlayMacro(workspace).outcome != PlayResult::Outcome::Played)
                state.SkipWithError("the macro did not play through");
            counted = std::max(counted, workspace.undoBytes());
        }
        UndoHistory &stack = workspace.undoStack();
        while (stack.canUndo())
            stack.undo();
        while (stack.canRedo())
            stack.redo();
        counted = std::max(counted, workspace.undoBytes());
        state.counters["resident_MiB"] = double(ResidentBytes("VmHWM:") - start) / (1 << 20);
        state.counters["counted_MiB"] = double(counted) / (1 << 20);
        state.counters["budget_MiB"] = double(Workspace::kUndoBudgetBytes) / (1 << 20);
    }
}
BENCHMARK(KeptStepsResidentMemory)->Iterations(1)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vexlo
