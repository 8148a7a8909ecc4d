// Undo and redo of the steps the model gathers: tile drops, a colour
// replacement, whole sheets, and the macro lines a recorded step leaves.
#include "model/sheet_actions.h"
#include "model/tile_drop.h"
#include "model/tile_engine.h"
#include "model/workspace.h"
#include "support/pixels.h"
#include "support/session_state.h"
#include "support/test_colours.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace vexlo {
namespace {

using test::kCyan;
using test::kMagenta;

using test::PatternSheet;
using test::SameState;
using test::StateOf;


class UndoSteps : public ::testing::Test {
protected:
    void SetUp() override
    {
        workspace.setSheet(0, PatternSheet(1, 96));
        workspace.setSheet(1, PatternSheet(2, 160));
        workspace.setKeyColours(0, ColourFromQRgb(workspace.sheet(0).pixel(0, 0)), kMagenta);
        workspace.setKeyColours(1, kCyan, kBlack);
        workspace.setMacroLines({QStringLiteral("Cls,1")});
    }

    // Undo gives `before` back exactly, redo `after`, and again.
    void expectUndoRedo(const test::SessionState &before, const QString &text)
    {
        const test::SessionState after = StateOf(workspace);
        UndoHistory &stack = workspace.undoStack();
        ASSERT_EQ(stack.count(), 1) << "one step";
        EXPECT_EQ(stack.undoText(), text);
        for (int round = 0; round < 2; ++round) {
            stack.undo();
            EXPECT_TRUE(SameState(StateOf(workspace), before)) << "undone, round " << round;
            stack.redo();
            EXPECT_TRUE(SameState(StateOf(workspace), after)) << "redone, round " << round;
        }
    }

    Workspace workspace;
};

TEST_F(UndoSteps, EachDragIsOneStepFromThePickUpOn)
{
    QImage sheet = workspace.sheet(1);
    for (int y = 128; y < 160; ++y)
        std::fill_n(reinterpret_cast<QRgb *>(sheet.scanLine(y)) + 6 * 32, 32, qRgb(0, 0, 0));
    workspace.setSheet(1, sheet);
    workspace.setRecording(true);
    const struct {
        const char *text;
        std::int16_t from, column, row; // tile (3, 2) picked up there
        bool dropped;
    } drags[] = {
        {"Copy tile", 0, 5, 4, true},
        {"Copy tile", 0, 6, 4, true}, // onto a tile of one colour
        {"Swap tiles", 1, 7, 4, true},
        {"Swap tiles", 1, 3, 2, true}, // a click: the tile swapped with itself
        {"Pick up tile", 0, 0, 0, false},
    };
    for (const auto &drag : drags) {
        SCOPED_TRACE(drag.text);
        const auto before = StateOf(workspace);
        PickUpTile(workspace, drag.from, 3, 2);
        if (drag.dropped)
            DropTile(workspace, drag.from, 3, 2, 1, drag.column, drag.row);
        EndTileDrag(workspace);
        expectUndoRedo(before, QString::fromLatin1(drag.text));
        workspace.undoStack().undo(); // the next drag replaces this step
    }
}

// An action after which every pixel, key, buffer and line is as it was is
// no step and leaves nothing unsaved, so there is nothing to keep for
// recovery either.
TEST_F(UndoSteps, AnActionThatChangesNothingIsNoStepAndLeavesNothingUnsaved)
{
    workspace.setSheet(0, Workspace::blankSheet(64));
    const struct {
        const char *what;
        std::function<void()> action;
    } actions[] = {
        {"a click on a tile, not recording", [&] {
             PickUpTile(workspace, 1, 2, 3);
             DropTile(workspace, 1, 2, 3, 1, 2, 3);
         }},
        {"a colour no pixel has replaced", [&] { ReplaceSheetColour(workspace, 1, kMagenta, kCyan); }},
        {"a black sheet cleared at its height", [&] { ClearSheet(workspace, 0, [] {}); }},
        {"a key check", [&] { CheckSheetKeys(workspace, 1, kMaxKeyDistance); }},
        {"a snap with no pixel near a key", [&] { SnapSheetToKeys(workspace, 1, kDefaultKeyDistance); }},
        {"the sheet shown loaded again with its keys", [&] {
             LoadSheet(workspace, 1, workspace.sheet(1), workspace.transparentKey(1), workspace.translucentKey(1));
         }},
    };
    workspace.markPaneSaved(0);
    workspace.markPaneSaved(1);
    workspace.markMacroSaved();
    int told = 0;
    QObject::connect(&workspace, &Workspace::workChanged, [&told] { ++told; });
    for (const auto &a : actions) {
        SCOPED_TRACE(a.what);
        a.action();
        EXPECT_EQ(workspace.undoStack().count(), 0);
        EXPECT_FALSE(workspace.unsaved());
        EXPECT_EQ(told, 0) << "no work to keep";
    }
}

TEST_F(UndoSteps, ReplaceColourPutsBackOnlyThePixelsItChanged)
{
    // Some pixels already have the new colour: they must keep it on undo.
    QImage sheet = PatternSheet(3, 4096);
    for (int y = 0; y < sheet.height(); y += 3)
        sheet.setPixel(y % 256, y, QRgbFromColour(kMagenta));
    for (int y = 1; y < sheet.height(); y += 7)
        sheet.setPixel((y * 5) % 256, y, QRgbFromColour(kCyan));
    workspace.setSheet(1, sheet);
    const auto before = StateOf(workspace);
    ReplaceSheetColour(workspace, 1, kMagenta, kCyan);
    EXPECT_LT(workspace.undoBytes(), 4096 * 256 / 8 + 8192) << "a bit a pixel, not the sheet";
    expectUndoRedo(before, QStringLiteral("Replace colour"));
}

TEST_F(UndoSteps, ASnapIsOneStepAndTheCheckMarksLastUntilTheNextChange)
{
    QImage sheet = workspace.sheet(1);
    sheet.setPixel(40, 70, qRgb(0, 250, 255)); // tile 1,2: near cyan
    sheet.setPixel(200, 150, qRgb(3, 3, 3));   // tile 6,4: near black
    workspace.setSheet(1, sheet);
    std::vector<int> told;
    QObject::connect(&workspace, &Workspace::markedTilesChanged, [&](PaneIndex pane) { told.push_back(pane); });
    EXPECT_EQ(CheckSheetKeys(workspace, 1, 8).marked, (std::vector<int>{2 * 8 + 1, 4 * 8 + 6}));
    EXPECT_EQ(workspace.markedTiles(1), (std::vector<int>{17, 38}));
    const auto before = StateOf(workspace);
    const auto snapped = SnapSheetToKeys(workspace, 1, 8);
    EXPECT_EQ(snapped, (std::array<std::int64_t, 2>{1, 1}));
    EXPECT_TRUE(workspace.markedTiles(1).empty()) << "the sheet changed";
    EXPECT_EQ(told, (std::vector<PaneIndex>{1, 1}));
    EXPECT_EQ(workspace.sheet(1).pixel(40, 70), QRgbFromColour(kCyan));
    expectUndoRedo(before, QStringLiteral("Snap to keys"));
}

TEST_F(UndoSteps, UndoTakesOutTheStepsMacroLinesOnlyWhileRecordingAndRedoPutsBackWhatItTook)
{
    workspace.setRecording(true);
    PickUpTile(workspace, 0, 0, 0);
    DropTile(workspace, 0, 0, 0, 1, 1, 1);
    const QStringList afterCopy = workspace.macro().lines();
    PickUpTile(workspace, 1, 2, 2);
    DropTile(workspace, 1, 2, 2, 1, 3, 3);
    const QStringList afterSwap = workspace.macro().lines();
    ASSERT_EQ(afterSwap.size(), 1 + 3 + 6);

    workspace.undoStack().undo();
    EXPECT_EQ(workspace.macro().lines(), afterCopy) << "exactly the swap's six lines";
    workspace.setRecording(false);
    workspace.undoStack().undo();
    EXPECT_EQ(workspace.macro().lines(), afterCopy) << "not recording: the list stays";
    workspace.setRecording(true);
    workspace.undoStack().redo(); // nothing was taken, nothing is put back twice
    workspace.undoStack().redo();
    EXPECT_EQ(workspace.macro().lines(), afterSwap);
}

TEST_F(UndoSteps, WorkUndoneBackToWhatWasSavedCountsAsSavedAgain)
{
    workspace.markPaneSaved(0);
    workspace.markPaneSaved(1);
    workspace.markMacroSaved();
    UndoHistory &stack = workspace.undoStack();
    workspace.setRecording(true);
    PickUpTile(workspace, 0, 1, 1);
    DropTile(workspace, 0, 1, 1, 1, 2, 2);
    EndTileDrag(workspace);
    ASSERT_TRUE(workspace.paneUnsaved(1) && workspace.macroUnsaved());
    EXPECT_FALSE(workspace.paneUnsaved(0)) << "the source sheet is as it was";

    stack.undo();
    EXPECT_FALSE(workspace.unsaved()) << "the sheet and the lines taken back";
    stack.redo();
    EXPECT_TRUE(workspace.paneUnsaved(1) && workspace.macroUnsaved());

    // Saved after the drop: undone it is unsaved, redone saved once more.
    workspace.markPaneSaved(1);
    workspace.markMacroSaved();
    stack.undo();
    EXPECT_TRUE(workspace.paneUnsaved(1) && workspace.macroUnsaved());
    stack.redo();
    EXPECT_FALSE(workspace.unsaved());

    // Undone while not recording, the lines stay: the macro is not as saved.
    stack.undo();
    workspace.markPaneSaved(1);
    workspace.markMacroSaved();
    stack.redo();
    workspace.setRecording(false);
    stack.undo();
    EXPECT_FALSE(workspace.paneUnsaved(1));
    EXPECT_TRUE(workspace.macroUnsaved());

    // A new change after an undo is never taken for a saved state.
    workspace.setKeyColours(1, kMagenta, kMagenta);
    EXPECT_TRUE(workspace.paneUnsaved(1));

    // Undone back to the version a file holds, a pane is saved again; back
    // to a version in no file, it is not.
    LoadSheet(workspace, 1, workspace.sheet(0), kWhite, kBlack, PaneFile{QStringLiteral("a.png")});
    LoadSheet(workspace, 1, Workspace::blankSheet(64), kWhite, kBlack, PaneFile{QStringLiteral("b.png")});
    stack.undo();
    EXPECT_FALSE(workspace.paneUnsaved(1)) << "as a.png holds it";
    stack.undo();
    EXPECT_TRUE(workspace.paneUnsaved(1));

    // A load undone on a fresh start leaves nothing to lose.
    Workspace fresh;
    LoadSheet(fresh, 0, workspace.sheet(0), kWhite, kBlack, PaneFile{QStringLiteral("a.png")});
    fresh.undoStack().undo();
    EXPECT_FALSE(fresh.unsaved());
}

} // namespace
} // namespace vexlo
