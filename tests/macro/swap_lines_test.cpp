// Swaps recorded as six lines, played at once, against the same lines played
// one at a time: sheets, buffers, halts, origins and the Play's undo step.
#include "macro/macro_player.h"
#include "model/tile_origins.h"
#include "model/workspace.h"
#include "support/pixels.h"
#include "support/session_state.h"

#include <gtest/gtest.h>

namespace vexlo {
namespace {

// Get,p,b,c1,r1 / Get,p,o,c2,r2 / Put,p,b,c2,r2,0 / Put,p,o,c1,r1,0 / Cls,0 / Cls,1
QStringList Swap(int p, int b, int c1, int r1, int c2, int r2)
{
    const auto line = [](const char *keyword, std::initializer_list<int> numbers) {
        QString text = QLatin1String(keyword);
        for (const int number : numbers)
            text += u',' + QString::number(number);
        return text;
    };
    return {line("Get", {p, b, c1, r1}), line("Get", {p, 1 - b, c2, r2}), line("Put", {p, b, c2, r2, 0}),
            line("Put", {p, 1 - b, c1, r1, 0}), "Cls,0", "Cls,1"};
}

QStringList Changed(QStringList lines, qsizetype at, const QString &line)
{
    lines[at] = line;
    return lines;
}

struct SwapCase {
    const char *name;
    QStringList lines;
};

const SwapCase kCases[] = {
    {"one swap", Swap(0, 0, 1, 1, 2, 3)},
    {"a run side by side, then another",
     Swap(0, 0, 0, 0, 0, 2) + Swap(0, 0, 1, 0, 1, 2) + Swap(0, 0, 2, 0, 2, 2) + Swap(0, 0, 6, 3, 5, 1)},
    {"a run on one row that would meet itself",
     Swap(0, 0, 0, 1, 2, 1) + Swap(0, 0, 1, 1, 3, 1) + Swap(0, 0, 2, 1, 4, 1)},
    {"a run leftwards is not one", Swap(0, 0, 3, 0, 3, 2) + Swap(0, 0, 2, 0, 2, 2)},
    {"a tile with itself", Swap(0, 0, 3, 2, 3, 2) + Swap(0, 0, 4, 2, 4, 2)},
    {"the right pane with buffer 0", Swap(1, 0, 1, 0, 6, 3) + Swap(1, 0, 2, 0, 7, 3)},
    {"a tile in the row cut short", Swap(0, 0, 1, 1, 1, 4) + Swap(0, 0, 2, 1, 2, 4)},
    {"a tile beyond the sheet", Swap(0, 1, 1, 1, 9, 0) + Swap(0, 1, -1, 1, 0, 0)},
    {"a put replacing key colours", Changed(Swap(0, 0, 1, 1, 2, 3), 2, "Put,0,0,2,3,-1")},
    {"a put with replace 2", Changed(Swap(0, 0, 1, 1, 2, 3), 3, "Put,0,1,1,1,2")},
    {"clears the other way round", Changed(Changed(Swap(0, 0, 1, 1, 2, 3), 4, "Cls,1"), 5, "Cls,0")},
    {"one buffer only", Changed(Swap(0, 0, 1, 1, 2, 3), 1, "Get,0,0,2,3")},
    {"the second tile from the other pane", Changed(Swap(0, 0, 1, 1, 2, 3), 1, "Get,1,1,2,3")},
    {"typed by hand", {"get,0,0,1,1", "GET,0,1,2,3", " Put,0,0,2,3,0", "Put,0,1,1,1, 0.4", "cls,0", "Cls,1,7"}},
    {"read leniently", {"Get,0,0,1,1", "Get,0,1,2,3", "Put,0,0,2,3,0", "Put,0,1,1,1, 0.4", "cls,0", "Cls,1,7"}},
    {"an unknown line inside", Changed(Swap(0, 0, 1, 1, 2, 3), 4, "Rem,0")},
    {"ends half-way", Swap(0, 0, 0, 0, 0, 2) + Swap(0, 0, 1, 0, 1, 2).mid(0, 4)},
    {"halts at a pane", Swap(0, 0, 0, 0, 0, 2) + Changed(Swap(0, 0, 1, 0, 1, 2), 3, "Put,2,1,1,0,0")},
    {"halts at a buffer", Changed(Swap(0, 0, 1, 1, 2, 3), 1, "Get,0,-1,2,3")},
    {"halts at a number too big", Swap(0, 0, 0, 0, 0, 2) + Changed(Swap(0, 0, 1, 0, 1, 2), 1, "Get,0,1,1,3e10")},
    {"halts at a tile past 32 bits", Changed(Swap(0, 0, 1, 1, 2, 3), 0, "Get,0,0,99999999,1")},
    {"halts at a missing number", Swap(0, 0, 0, 0, 0, 2) + Changed(Swap(0, 0, 1, 0, 1, 2), 5, "Cls")},
};

class SwapLinesPlay : public ::testing::TestWithParam<SwapCase> {};

void Load(Workspace &workspace)
{
    workspace.setSheet(0, test::PatternSheet(1, 4 * 32 + 16)); // tile row 4 cut short
    workspace.setSheet(1, test::PatternSheet(2, 4 * 32));
}

std::vector<std::optional<TileOrigins::Origin>> OriginsOf(const TileOrigins &origins)
{
    std::vector<std::optional<TileOrigins::Origin>> all;
    for (int pane = 0; pane < 2; ++pane)
        for (int tile = 0; tile < 8 * 5; ++tile)
            all.push_back(origins.ofTile(pane, tile % 8, tile / 8));
    return all;
}

TEST_P(SwapLinesPlay, GivesWhatPlayingLineByLineGives)
{
    const SwapCase &given = GetParam();
    Workspace lineByLine;
    Load(lineByLine);
    TileOrigins expectedOrigins(lineByLine);
    PlayResult expected;
    for (qsizetype at = 0; at < given.lines.size() && expected.outcome == PlayResult::Outcome::Played; ++at) {
        lineByLine.setMacroLines({given.lines[at]}); // one line alone: nothing to play at once
        expected = PlayMacroLines(lineByLine, &expectedOrigins);
        expected.line = expected.line < 0 ? -1 : at;
    }
    test::SessionState expectedState = test::StateOf(lineByLine);
    expectedState.macro = given.lines;
    Workspace fresh;
    Load(fresh);
    fresh.setMacroLines(given.lines);
    const test::SessionState start = test::StateOf(fresh);

    for (const bool followed : {false, true}) {
        Workspace played;
        Load(played);
        played.setMacroLines(given.lines);
        TileOrigins origins(played);
        const PlayResult result = followed ? PlayMacroLines(played, &origins) : PlayMacro(played);
        EXPECT_EQ(result.outcome, expected.outcome) << given.name;
        EXPECT_EQ(result.line, expected.line) << given.name;
        EXPECT_EQ(result.description, expected.description) << given.name;
        const test::SessionState after = test::StateOf(played);
        EXPECT_TRUE(SameState(after, expectedState)) << given.name;
        if (followed) {
            EXPECT_EQ(OriginsOf(origins), OriginsOf(expectedOrigins)) << given.name;
            continue;
        }
        if (!played.undoStack().canUndo())
            continue; // the lines changed nothing
        played.undoStack().undo();
        EXPECT_TRUE(SameState(test::StateOf(played), start)) << given.name << ", undone";
        played.undoStack().redo();
        EXPECT_TRUE(SameState(test::StateOf(played), after)) << given.name << ", redone";
    }
}

INSTANTIATE_TEST_SUITE_P(Cases, SwapLinesPlay, ::testing::ValuesIn(kCases));

} // namespace
} // namespace vexlo
