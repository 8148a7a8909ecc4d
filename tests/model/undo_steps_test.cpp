// Undo and redo of the steps the model gathers: tile drops, a colour
// replacement, whole sheets, and the macro lines a recorded step leaves.
#include "model/tile_drop.h"
#include "model/tile_engine.h"
#include "model/workspace.h"
#include "support/pixels.h"
#include "support/session_state.h"

#include <gtest/gtest.h>

namespace vexlo {
namespace {

using test::PatternSheet;
using test::SameState;
using test::StateOf;

constexpr Colour kMagenta = ColourFromRgb(255, 0, 255);
constexpr Colour kCyan = ColourFromRgb(0, 255, 255);

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
        QUndoStack &stack = workspace.undoStack();
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

TEST_F(UndoSteps, ACopiedTileIsOneStepFromThePickUpOn)
{
    workspace.setRecording(true);
    const auto before = StateOf(workspace);
    PickUpTile(workspace, 0, 2, 1);
    DropTile(workspace, 0, 2, 1, 1, 5, 4);
    EXPECT_EQ(workspace.macro().count(), 4);
    expectUndoRedo(before, QStringLiteral("Copy tile"));
}

TEST_F(UndoSteps, ASwapAndAClickThatSwapsATileWithItselfAreOneStepEach)
{
    const auto before = StateOf(workspace);
    PickUpTile(workspace, 1, 0, 0);
    DropTile(workspace, 1, 0, 0, 1, 7, 4);
    expectUndoRedo(before, QStringLiteral("Swap tiles"));

    workspace.undoStack().undo();
    const auto clicked = StateOf(workspace);
    PickUpTile(workspace, 1, 3, 2);
    DropTile(workspace, 1, 3, 2, 1, 3, 2);
    ASSERT_EQ(workspace.undoStack().count(), 1) << "the swap undone gave way to the click";
    workspace.undoStack().undo();
    EXPECT_TRUE(SameState(StateOf(workspace), clicked));
}

TEST_F(UndoSteps, APickUpWithoutADropIsAStepOfItsOwnWhenTheDragEnds)
{
    const auto before = StateOf(workspace);
    PickUpTile(workspace, 0, 1, 1);
    EndTileDrag(workspace);
    expectUndoRedo(before, QStringLiteral("Pick up tile"));
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
    {
        const Step step(workspace, QStringLiteral("Replace colour"));
        workspace.replaceColour(1, kMagenta, kCyan);
    }
    EXPECT_LT(workspace.undoBytes(), 4096 * 256 / 8 + 1024) << "a bit a pixel, not the sheet";
    expectUndoRedo(before, QStringLiteral("Replace colour"));
}

TEST_F(UndoSteps, AStepThatJoinsAnOpenOneIsUndoneWithIt)
{
    const auto before = StateOf(workspace);
    {
        const Step clear(workspace, QStringLiteral("Clear image"));
        workspace.setSheet(1, Workspace::blankSheet(160));
        const Step resize(workspace, QStringLiteral("Resize image"));
        workspace.setScrollValue(1, 0);
        workspace.setScrollValue(1, 700);
        workspace.setSheet(1, Workspace::blankSheet(2000));
    }
    expectUndoRedo(before, QStringLiteral("Clear image"));
}

TEST_F(UndoSteps, AStepThatChangedNothingIsNoStep)
{
    {
        const Step step(workspace, QStringLiteral("Play macro"));
    }
    EXPECT_EQ(workspace.undoStack().count(), 0);
    EXPECT_FALSE(workspace.undoStack().canUndo());
}

TEST_F(UndoSteps, WhileRecordingUndoTakesOutExactlyTheStepsLinesAndRedoPutsThemBack)
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
    EXPECT_EQ(workspace.macro().lines(), afterCopy);
    workspace.undoStack().undo();
    EXPECT_EQ(workspace.macro().lines(), QStringList{QStringLiteral("Cls,1")}) << "the earlier line stays";
    workspace.undoStack().redo();
    workspace.undoStack().redo();
    EXPECT_EQ(workspace.macro().lines(), afterSwap);
}

TEST_F(UndoSteps, NotRecordingUndoLeavesTheMacroAsItIs)
{
    workspace.setRecording(true);
    PickUpTile(workspace, 0, 0, 0);
    DropTile(workspace, 0, 0, 0, 1, 1, 1);
    workspace.setRecording(false);
    const QStringList recorded = workspace.macro().lines();
    const QImage copied = workspace.sheet(1).copy();

    workspace.undoStack().undo();
    EXPECT_EQ(workspace.macro().lines(), recorded);
    workspace.setRecording(true);
    workspace.undoStack().redo();
    EXPECT_EQ(workspace.macro().lines(), recorded) << "nothing taken out, nothing put back twice";
    EXPECT_TRUE(test::SamePixels(workspace.sheet(1), copied));
}

TEST_F(UndoSteps, WhatIsUnsavedFollowsChangesSavesAndUndo)
{
    workspace.markPaneSaved(0);
    workspace.markPaneSaved(1);
    workspace.markMacroSaved();
    EXPECT_FALSE(workspace.unsaved());
    PickUpTile(workspace, 0, 0, 0);
    DropTile(workspace, 0, 0, 0, 1, 1, 1);
    EXPECT_FALSE(workspace.paneUnsaved(0)) << "only the target changed";
    EXPECT_TRUE(workspace.paneUnsaved(1));
    EXPECT_FALSE(workspace.macroUnsaved()) << "not recording";
    workspace.markPaneSaved(1);
    EXPECT_FALSE(workspace.unsaved());
    workspace.undoStack().undo();
    EXPECT_TRUE(workspace.paneUnsaved(1)) << "the saved file has the copy";
    workspace.setMacroLines({});
    EXPECT_TRUE(workspace.macroUnsaved());
}

} // namespace
} // namespace vexlo
