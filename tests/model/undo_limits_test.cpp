// What undo may keep (only what changed, at most 256 MiB in all) and the
// all-or-nothing drop at the macro's line limit.
#include "common/failure.h"
#include "model/sheet_actions.h"
#include "model/step_transaction.h"
#include "model/tile_drop.h"
#include "model/tile_engine.h"
#include "model/workspace.h"
#include "support/file_faults.h"
#include "support/pixels.h"
#include "support/session_state.h"

#include <gtest/gtest.h>

#include <functional>
#include <malloc.h>

namespace vexlo {
namespace {

using test::PatternSheet;
using test::SameState;
using test::StateOf;

constexpr int kTall = 32768;
// A step's own record, its command and its images' headers take less.
constexpr qint64 kStepOwnBytes = 2048;

// What the heap has given out: blocks in use and blocks mapped on their own;
// and the tile blocks the workspace's steps have in use.
qint64 HeapInUse(const Workspace &workspace)
{
    const struct mallinfo2 heap = mallinfo2();
    return qint64(heap.uordblks + heap.hblkhd) + workspace.undoStack().tileBlocks().bytesInUse();
}

TEST(UndoMemory, ADropOnATallSheetKeepsOnlyItsTilesAndBuffers)
{
    Workspace workspace;
    workspace.setSheet(0, PatternSheet(1, kTall));
    workspace.setSheet(1, PatternSheet(2, kTall));
    PickUpTile(workspace, 0, 3, 1000);
    DropTile(workspace, 0, 3, 1000, 1, 4, 900);
    PickUpTile(workspace, 1, 3, 1000);
    DropTile(workspace, 1, 3, 1000, 1, 6, 10);
    EXPECT_LE(workspace.undoBytes(), 2 * (2 * 4096 + 2 * 4096)) << "two tiles and two buffers a drop at most";
}

TEST(UndoMemory, AResizeKeepsOnlyTheRowsItCutsOffAndEveryOneCanBeUndone)
{
    Workspace workspace;
    const QImage tall = PatternSheet(3, kTall);
    workspace.setSheet(0, tall);
    const int heights[] = {kTall - 96 * 32, kTall - 96 * 32 - 1, kTall + 64, 32, kTall};
    std::vector<QImage> after;
    for (const int pixels : heights) {
        ResizeSheet(workspace, 0, pixels);
        after.push_back(workspace.sheet(0));
    }
    // The cut rows: 96 tiles high, then one row, then none, then all but the
    // first tile row of what was left before the growth (the black rows it
    // added are not kept); the growth back to full height none.
    const qint64 rowBytes = 256 * 4;
    const int left = kTall - 96 * 32 - 1;
    EXPECT_GE(workspace.undoBytes(), rowBytes * (96 * 32 + 1 + (left - 32)));
    EXPECT_LE(workspace.undoBytes(), rowBytes * (96 * 32 + 1 + (left - 32)) + 5 * kStepOwnBytes);
    UndoHistory &stack = workspace.undoStack();
    ASSERT_EQ(stack.count(), 5) << "no step dropped";
    for (int i = 4; i >= 0; --i) {
        stack.undo();
        EXPECT_TRUE(test::SamePixels(workspace.sheet(0), i > 0 ? after[std::size_t(i - 1)] : tall)) << "undo " << i;
    }
    EXPECT_LE(workspace.undoBytes(), 5 * kStepOwnBytes)
        << "a growth undone keeps no rows: the rows it takes away are black";
    for (const QImage &resized : after) {
        stack.redo();
        EXPECT_TRUE(test::SamePixels(workspace.sheet(0), resized));
    }
}

TEST(UndoMemory, TheStackKeepsAtMost256MiBAndDropsTheOldestStepsFirst)
{
    Workspace workspace;
    const QImage tall = PatternSheet(1, kTall); // 32 MiB
    constexpr int kSteps = 12;                  // 384 MiB if all were kept
    for (int step = 0; step < kSteps; ++step) {
        StepTransaction clear(workspace, QStringLiteral("Clear image %1").arg(step));
        workspace.setSheet(0, step % 2 ? tall : Workspace::blankSheet(kTall));
        clear.commit();
        EXPECT_LE(workspace.undoBytes(), Workspace::kUndoBudgetBytes) << "after step " << step;
    }
    UndoHistory &stack = workspace.undoStack();
    EXPECT_LT(stack.count(), kSteps);
    EXPECT_EQ(stack.undoText(), QStringLiteral("Clear image %1").arg(kSteps - 1)) << "the newest stay";

    // Every step kept can be undone in turn, exactly, down to the oldest kept.
    const int kept = stack.count();
    for (int i = 0; i < kept; ++i) {
        stack.undo();
        const int step = kSteps - 1 - i; // undone: the sheet before it, step - 1's
        EXPECT_TRUE(test::SamePixels(workspace.sheet(0), (step - 1) % 2 ? tall : Workspace::blankSheet(kTall)))
            << "step " << step;
    }
    EXPECT_FALSE(stack.canUndo());
    for (int i = 0; i < kept; ++i)
        stack.redo();
    EXPECT_TRUE(test::SamePixels(workspace.sheet(0), tall));
    EXPECT_LE(workspace.undoBytes(), Workspace::kUndoBudgetBytes);
}

// The budget holds what the steps really take: every block the heap gave
// for them is counted with its overhead, and not much more.
TEST(UndoMemory, AStepCountsWhatTheHeapGaveForIt)
{
    const struct {
        const char *what;
        std::function<void(Workspace &)> action;
    } cases[] = {
        {"copy drops", [](Workspace &w) {
             for (int row = 0; row < 200; ++row) {
                 PickUpTile(w, 0, 3, row);
                 DropTile(w, 0, 3, row, 1, 4, row + 20);
             }
         }},
        {"swap drops", [](Workspace &w) {
             for (int row = 0; row < 200; ++row) {
                 PickUpTile(w, 1, 3, row);
                 DropTile(w, 1, 3, row, 1, 6, row + 30);
             }
         }},
        {"a macro run over 3000 tiles", [](Workspace &w) {
             StepTransaction step(w, QStringLiteral("Play macro"));
             for (int tile = 0; tile < 3000; ++tile)
                 PutTile(w, std::int16_t(tile % 2), 0, tile / 2 % 8, tile / 16, 0);
             step.commit();
         }},
        {"replace colour", [](Workspace &w) {
             ReplaceSheetColour(w, 0, ColourFromQRgb(w.sheet(0).pixel(0, 0)), kBlack);
         }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        Workspace workspace;
        workspace.setSheet(0, PatternSheet(1, 8192));
        workspace.setSheet(1, PatternSheet(2, 8192));
        PickUpTile(workspace, 0, 0, 0); // the history's own first blocks
        DropTile(workspace, 0, 0, 0, 1, 0, 1);
        const qint64 counted = workspace.undoBytes();
        const qint64 heap = HeapInUse(workspace);
        c.action(workspace);
        const qint64 given = HeapInUse(workspace) - heap;
        // The heap counts blocks in its per-thread cache as given, so a few
        // freed earlier and taken again escape it; the stack's list grows.
        EXPECT_NEAR(double(workspace.undoBytes() - counted), double(given), double(given) / 50 + 512);
    }
}

// An action that fails half-way, here for want of memory, puts back what it
// did before and leaves no step; a resize that fails inside a clear takes
// the clear with it.
TEST(FailedAction, PutsBackWhatItDidAndLeavesNoStep)
{
    QImage picture(kSheetWidth, kMaxSheetHeight, QImage::Format_RGB888); // 128 MiB as a sheet
    picture.fill(Qt::red);
    const struct {
        const char *what;
        std::function<void(Workspace &)> action;
    } cases[] = {
        {"a load, after its keys and scroll value", [&](Workspace &w) { LoadSheet(w, 1, picture, kWhite, kBlack); }},
        {"a clear whose resize fails", [](Workspace &w) { ClearSheet(w, 1, [&w] { ResizeSheet(w, 1, kMaxSheetHeight); }); }},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.what);
        Workspace workspace;
        workspace.setSheet(1, PatternSheet(2, 256));
        workspace.setScrollValue(1, 100);
        workspace.markPaneSaved(0);
        workspace.markPaneSaved(1);
        const auto before = StateOf(workspace);
        EXPECT_TRUE(test::InChildUnderMemoryLimit(16 << 20, [&] {
            return !test::FailureOf([&] { c.action(workspace); }).isEmpty() && SameState(StateOf(workspace), before)
                && !workspace.undoStack().canUndo() && !workspace.stepOpen() && !workspace.unsaved();
        }));
    }
}

// At 32,764 lines a copy (3 lines) fits and a swap (6) does not; at 32,765
// neither does. A drop refused changes nothing, its pick-up included.
TEST(MacroLimitDrop, ADropWhoseLinesWouldNotAllFitIsRefusedWhole)
{
    const struct {
        qsizetype lines;
        std::int16_t pane; // 0: a swap, 1: a copy
        const char *refusal; // empty: it fits
    } cases[] = {
        {32764, 1, ""},
        {32764, 0, "A macro holds at most 32,767 lines; this one would have 32,770."},
        {32765, 1, "A macro holds at most 32,767 lines; this one would have 32,768."},
        {32765, 0, "A macro holds at most 32,767 lines; this one would have 32,771."},
        {32767, 1, "A macro holds at most 32,767 lines; this one would have 32,768."}, // at the pick-up
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(testing::Message() << c.lines << " lines, pane " << c.pane);
        Workspace workspace;
        workspace.setSheet(0, PatternSheet(1));
        workspace.setSheet(1, PatternSheet(2));
        workspace.setMacroLines(QStringList(c.lines, QStringLiteral("Cls,0")));
        workspace.setRecording(true);
        const auto before = StateOf(workspace);
        const QString failure = test::FailureOf([&] {
            PickUpTile(workspace, 0, 1, 1);
            DropTile(workspace, 0, 1, 1, c.pane, 2, 2);
        });
        EXPECT_EQ(failure, QString::fromLatin1(c.refusal));
        if (failure.isEmpty()) {
            EXPECT_EQ(workspace.macro().count(), MacroList::kMaxLines);
            continue;
        }
        EXPECT_TRUE(SameState(StateOf(workspace), before)) << "sheets, buffers and lines as they were";
        EXPECT_FALSE(workspace.undoStack().canUndo());
        EXPECT_FALSE(workspace.stepOpen());
    }
}

} // namespace
} // namespace vexlo
