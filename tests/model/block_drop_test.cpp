// Blocks of tiles dropped as one step: where every tile goes against a plain
// per-tile model, the recorded lines replayed, undo and the line limit.
#include "macro/macro_player.h"
#include "model/block_drop.h"
#include "model/tile_drop.h"
#include "model/workspace.h"
#include "support/session_state.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>

namespace vexlo {
namespace {

using test::SameState;
using test::StateOf;

constexpr QRgb kLeftKey = qRgb(32, 0, 16); // a pixel of tile (1, 0) of the left pattern
const Colour kRightKey = test::kCyan;

// Left 8 x 6 tiles, right 8 x 4 and a half: tile row 4 of the right is cut short.
void LoadSheets(Workspace &workspace)
{
    workspace.setSheet(0, test::PatternSheet(1, 6 * 32));
    workspace.setSheet(1, test::PatternSheet(2, 4 * 32 + 16));
    workspace.setKeyColours(0, ColourFromQRgb(kLeftKey), kBlack);
    workspace.setKeyColours(1, kRightKey, kBlack);
}

using Tile = std::tuple<PaneIndex, int, int>; // pane, column, row
using Arrangement = std::map<Tile, Tile>;     // cell -> the original tile it shows

// The drop as the user sees it, tile by tile, without the code's moves.
Arrangement PlainModel(PaneIndex source, QRect block, QPoint to, PaneIndex pane)
{
    Arrangement result;
    const QPoint offset = to - block.topLeft();
    const QRect target(to, block.size());
    auto cells = [](QRect area, QRect without) {
        std::vector<QPoint> found;
        for (int row = area.top(); row <= area.bottom(); ++row)
            for (int column = area.left(); column <= area.right(); ++column)
                if (!without.contains(column, row))
                    found.emplace_back(column, row);
        return found;
    };
    for (const QPoint cell : cells(block, {}))
        result[{pane, cell.x() + offset.x(), cell.y() + offset.y()}] = {source, cell.x(), cell.y()};
    if (source != pane)
        return result;
    const std::vector<QPoint> left = cells(block, target);
    const std::vector<QPoint> covered = cells(target, block);
    for (std::size_t i = 0; i < left.size(); ++i)
        result[{pane, left[i].x(), left[i].y()}] = {pane, covered[i].x(), covered[i].y()};
    return result;
}

struct BlockCase {
    const char *name;
    PaneIndex source;
    QRect block;
    QPoint grabbed;
    PaneIndex pane;
    QPoint drop;
    const char *step; // nullptr: refused, nothing changes
};

const BlockCase kCases[] = {
    {"swap clear of itself", 0, {0, 0, 2, 3}, {1, 2}, 0, {5, 4}, "Swap tiles"},
    {"one tile is a single-tile swap", 0, {3, 1, 1, 1}, {3, 1}, 0, {6, 5}, "Swap tiles"},
    {"whole rows swap", 0, {0, 0, 8, 2}, {0, 0}, 0, {0, 3}, "Swap tiles"},
    {"a column slides a row down", 0, {0, 0, 1, 3}, {0, 0}, 0, {0, 1}, "Slide tiles"},
    {"slides up", 0, {2, 2, 2, 3}, {2, 2}, 0, {2, 0}, "Slide tiles"},
    {"slides left, grabbed inside", 0, {3, 1, 3, 2}, {4, 2}, 0, {2, 2}, "Slide tiles"},
    {"slides right to the edge", 0, {4, 0, 3, 2}, {4, 0}, 0, {5, 0}, "Slide tiles"},
    {"slides diagonally", 0, {1, 1, 3, 3}, {1, 1}, 0, {2, 2}, "Slide tiles"},
    {"whole rows slide down", 0, {0, 0, 8, 3}, {0, 0}, 0, {0, 2}, "Slide tiles"},
    {"copy to the other pane's corner", 0, {0, 0, 3, 2}, {0, 0}, 1, {5, 2}, "Copy tiles"},
    {"copy from the right", 1, {6, 3, 2, 1}, {7, 3}, 0, {7, 5}, "Copy tiles"},
    {"refused past the right edge", 0, {0, 0, 3, 1}, {0, 0}, 0, {6, 4}, nullptr},
    {"refused past the bottom", 0, {0, 0, 2, 2}, {0, 0}, 0, {4, 5}, nullptr},
    {"refused before the left edge", 0, {2, 0, 3, 1}, {4, 0}, 1, {1, 0}, nullptr},
    {"refused over a row cut short", 0, {0, 0, 2, 2}, {0, 0}, 1, {0, 3}, nullptr},
    {"refused from a row cut short", 1, {0, 3, 1, 2}, {0, 3}, 1, {3, 0}, nullptr},
    {"refused where it was", 0, {1, 1, 2, 2}, {2, 2}, 0, {2, 2}, nullptr},
};

// The sheets the plain model gives, the left keys of copied tiles replaced.
std::array<QImage, 2> ExpectedSheets(const test::SessionState &before, const BlockCase &drop, QPoint to)
{
    std::array<QImage, 2> sheets{before.sheets[0].copy(), before.sheets[1].copy()};
    for (const auto &[cell, from] : PlainModel(drop.source, drop.block, to, drop.pane)) {
        const auto [pane, column, row] = cell;
        const auto [fromPane, fromColumn, fromRow] = from;
        QImage tile = test::SheetTile(before.sheets[fromPane], fromColumn, fromRow);
        if (fromPane != pane && fromPane == 0)
            for (int y = 0; y < 32; ++y)
                for (int x = 0; x < 32; ++x)
                    if (tile.pixel(x, y) == kLeftKey)
                        tile.setPixel(x, y, QRgbFromColour(kRightKey));
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                sheets[pane].setPixel(column * 32 + x, row * 32 + y, tile.pixel(x, y));
    }
    return sheets;
}

TEST(BlockDrop, EachDropMatchesThePlainModelReplaysToTheSameSheetsAndUndoesWhole)
{
    for (const BlockCase &drop : kCases) {
        SCOPED_TRACE(drop.name);
        Workspace workspace;
        LoadSheets(workspace);
        workspace.setMacroLines({QStringLiteral("Cls,1")});
        workspace.setRecording(true);
        const test::SessionState before = StateOf(workspace);
        const int stepsBefore = workspace.undoStack().count();

        PickUpTile(workspace, drop.source, drop.grabbed.x(), drop.grabbed.y());
        const bool dropped = DropBlock(workspace, drop.source, drop.block, drop.grabbed, drop.pane, drop.drop);
        EndTileDrag(workspace);

        ASSERT_EQ(dropped, drop.step != nullptr);
        if (!dropped) {
            EXPECT_TRUE(SameState(StateOf(workspace), before)) << "nothing changed, nothing recorded";
            EXPECT_EQ(workspace.undoStack().count(), stepsBefore);
            continue;
        }
        const QPoint to = BlockTarget(drop.block, drop.grabbed, drop.drop);
        const auto expected = ExpectedSheets(before, drop, to);
        EXPECT_TRUE(test::SamePixels(workspace.sheet(0), expected[0])) << "left";
        EXPECT_TRUE(test::SamePixels(workspace.sheet(1), expected[1])) << "right";
        EXPECT_EQ(workspace.selection(), (TileSelection{drop.pane, QRect(to, drop.block.size())}));
        EXPECT_EQ(workspace.undoStack().count(), stepsBefore + 1);
        EXPECT_EQ(workspace.undoStack().undoText(), QString::fromLatin1(drop.step));

        // The lines recorded replay to the same sheets and buffers.
        const test::SessionState after = StateOf(workspace);
        Workspace replay;
        LoadSheets(replay);
        replay.setMacroLines(after.macro);
        ASSERT_EQ(PlayMacroLines(replay).outcome, PlayResult::Outcome::Played);
        test::SessionState replayed = StateOf(replay);
        replayed.macro = after.macro;
        EXPECT_TRUE(SameState(replayed, after)) << "replayed";

        // Undo while recording takes every line of the block out.
        workspace.undoStack().undo();
        EXPECT_TRUE(SameState(StateOf(workspace), before)) << "undone";
        EXPECT_TRUE(workspace.selection().isEmpty());
        workspace.undoStack().redo();
        EXPECT_TRUE(SameState(StateOf(workspace), after)) << "redone";
    }
}

TEST(BlockDrop, ABlockWhoseLinesPassTheLimitIsRefusedWholeAndAnUnchangingOneLeavesNoStep)
{
    Workspace workspace;
    LoadSheets(workspace);
    workspace.setMacroLines(QStringList(kMaxMacroLines - 11, QStringLiteral("Cls,0")));
    workspace.setRecording(true);
    const test::SessionState before = StateOf(workspace);
    PickUpTile(workspace, 0, 0, 0);
    EXPECT_THROW(DropBlock(workspace, 0, {0, 0, 2, 1}, {0, 0}, 0, {0, 2}), Failure) << "12 lines: the pick-up's own line gives way to them";
    EndTileDrag(workspace);
    EXPECT_TRUE(SameState(StateOf(workspace), before));
    EXPECT_EQ(workspace.undoStack().count(), 0);

    workspace.setRecording(false);
    workspace.setSheet(0, Workspace::blankSheet(6 * 32)); // every tile alike
    const int steps = workspace.undoStack().count();
    PickUpTile(workspace, 0, 0, 0);
    EXPECT_TRUE(DropBlock(workspace, 0, {0, 0, 2, 2}, {0, 0}, 0, {1, 1}));
    EndTileDrag(workspace);
    EXPECT_EQ(workspace.undoStack().count(), steps) << "nothing changed: no step";
}

} // namespace
} // namespace vexlo
