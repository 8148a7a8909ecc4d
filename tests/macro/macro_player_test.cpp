// Playing macros back: refusals, keywords, number conversion, halting.
#include "macro/macro_player.h"
#include "macro/play_result_box.h"
#include "model/workspace.h"
#include "support/pixels.h"
#include "support/scripted_prompt.h"
#include "support/test_colours.h"

#include <gtest/gtest.h>

namespace vexlo {
namespace {

using test::kCyan;
using test::kMagenta;

using test::PatternSheet;
using test::SamePixels;
using test::SheetTile;


class MacroPlayer : public ::testing::Test {
protected:
    void SetUp() override
    {
        workspace.setSheet(0, PatternSheet(1, 256));
        workspace.setSheet(1, PatternSheet(2, 256));
        workspace.setKeyColours(0, kMagenta, kBlack);
        workspace.setKeyColours(1, kCyan, kBlack);
    }

    void play(const QStringList &lines)
    {
        workspace.setMacroLines(lines);
        TellPlayResult(PlayMacroLines(workspace));
    }

    // The right sheet as it was before, with the left tile (c, r) copied to (c2, r2).
    QImage rightWithCopied(int c, int r, int c2, int r2, const QImage &right) const
    {
        QImage expected = right;
        const QImage tile = SheetTile(workspace.sheet(0), c, r);
        for (int y = 0; y < 32; ++y)
            for (int x = 0; x < 32; ++x)
                expected.setPixel(c2 * 32 + x, r2 * 32 + y, tile.pixel(x, y));
        return expected;
    }

    const test::ScriptedPrompt::Box &onlyBox()
    {
        EXPECT_EQ(prompt->boxes().size(), 1);
        return prompt->boxes().first();
    }

    test::ScopedScriptedPrompt prompt;
    Workspace workspace;
};

TEST_F(MacroPlayer, RefusesWhileRecordingAndForAnEmptyMacro)
{
    const QImage right = workspace.sheet(1);
    workspace.setRecording(true);
    play({QStringLiteral("Get,0,0,2,5"), QStringLiteral("Put,1,0,0,1,-1")});
    EXPECT_EQ(onlyBox().icon, Prompt::Icon::Exclamation);
    EXPECT_EQ(onlyBox().title, QStringLiteral("Vexlo"));
    EXPECT_EQ(onlyBox().text, QStringLiteral("Stop macro recording first."));
    EXPECT_TRUE(SamePixels(workspace.sheet(1), right));
    EXPECT_EQ(workspace.macro().count(), 2) << "nothing recorded by the refusal";

    prompt->forget();
    workspace.setRecording(false);
    play({});
    EXPECT_EQ(onlyBox().text, QStringLiteral("No macro to play."));
    EXPECT_EQ(onlyBox().icon, Prompt::Icon::Exclamation);
}

TEST_F(MacroPlayer, ACopyMacroCopiesWithTheReplacementInForceNow)
{
    QImage left = workspace.sheet(0);
    left.setPixel(2 * 32 + 3, 5 * 32 + 4, QRgbFromColour(kMagenta));
    workspace.setSheet(0, left);
    const QImage right = workspace.sheet(1);

    play({QStringLiteral("Get,0,0,2,5"), QStringLiteral("Put,1,0,0,1,-1"), QStringLiteral("Cls,0")});
    EXPECT_TRUE(prompt->boxes().isEmpty());
    QImage expected = rightWithCopied(2, 5, 0, 1, right);
    expected.setPixel(3, 32 + 4, QRgbFromColour(kCyan));
    EXPECT_TRUE(SamePixels(workspace.sheet(1), expected));
    EXPECT_TRUE(test::Uniform(workspace.buffer(0), test::kLightGrey));
    EXPECT_EQ(workspace.macro().count(), 3) << "playback leaves the list alone";

    // The same macro with transparent replacement switched off now.
    workspace.setSheet(1, right);
    workspace.options().setState(OptSwitch::ChkRepTrans, 0);
    TellPlayResult(PlayMacroLines(workspace));
    EXPECT_TRUE(SamePixels(workspace.sheet(1), rightWithCopied(2, 5, 0, 1, right)));
}

TEST_F(MacroPlayer, KeywordsInAnyCaseAndUnknownOnesSkipped)
{
    const QImage right = workspace.sheet(1);
    play({QStringLiteral("get,0,0,1,1"), QStringLiteral("Copy,1,2"), QStringLiteral(" Get,0,0,0,0"),
          QStringLiteral("pUT,1,0,3,3,0"), QStringLiteral("GET ,0,0,0,0")});
    EXPECT_TRUE(prompt->boxes().isEmpty());
    EXPECT_TRUE(SamePixels(workspace.sheet(1), rightWithCopied(1, 1, 3, 3, right)));
    EXPECT_TRUE(SamePixels(workspace.buffer(0), SheetTile(workspace.sheet(0), 1, 1)))
        << "the lines with blanks round the keyword did nothing";
}

TEST_F(MacroPlayer, FieldsAreReadLenientlyAndRoundedHalfToEven)
{
    const QImage right = workspace.sheet(1);
    play({QStringLiteral("Get,0,0,2.5,3.5"), QStringLiteral("Put,1,0,&H1,1E0 tiles,0")});
    EXPECT_TRUE(SamePixels(workspace.sheet(1), rightWithCopied(2, 4, 1, 1, right)));

    // Extra fields are ignored; a field with no number reads 0.
    workspace.setSheet(1, right);
    play({QStringLiteral("Get,0,0,abc,1,extra"), QStringLiteral("PUT,1,0,,,0,9,9")});
    EXPECT_TRUE(SamePixels(workspace.sheet(1), rightWithCopied(0, 1, 0, 0, right)));
}

TEST_F(MacroPlayer, TheReplaceFieldIsTrueForAnyNumberButZero)
{
    QImage left = workspace.sheet(0);
    left.setPixel(0, 0, QRgbFromColour(kMagenta));
    workspace.setSheet(0, left);
    const QImage right = workspace.sheet(1);
    auto replaced = [&](const QString &field) {
        workspace.setSheet(1, right);
        play({QStringLiteral("Get,0,0,0,0"), QStringLiteral("Put,1,0,0,0,") + field});
        return workspace.sheet(1).pixel(0, 0) == QRgbFromColour(kCyan);
    };
    EXPECT_TRUE(replaced(QStringLiteral("-1")));
    EXPECT_TRUE(replaced(QStringLiteral("1")));
    EXPECT_TRUE(replaced(QStringLiteral("2")));
    EXPECT_FALSE(replaced(QStringLiteral("0")));
    EXPECT_FALSE(replaced(QString()));
    EXPECT_FALSE(replaced(QStringLiteral("abc")));
    EXPECT_TRUE(prompt->boxes().isEmpty());
}

struct HaltCase {
    const char *line;
};

class MacroPlayerHalts : public MacroPlayer, public ::testing::WithParamInterface<HaltCase> {};

TEST_P(MacroPlayerHalts, AtTheFailingLineWithLinesBeforeItDone)
{
    const QImage right = workspace.sheet(1);
    play({QStringLiteral("Get,0,0,1,0"), QStringLiteral("Put,1,0,2,0,0"), QString::fromLatin1(GetParam().line),
          QStringLiteral("Put,1,0,5,5,0")});
    EXPECT_EQ(onlyBox().icon, Prompt::Icon::Critical);
    EXPECT_EQ(onlyBox().title, QStringLiteral("Play Macro Halted"));
    EXPECT_FALSE(onlyBox().text.isEmpty());
    EXPECT_TRUE(SamePixels(workspace.sheet(1), rightWithCopied(1, 0, 2, 0, right)))
        << "the lines before took effect; the failing and later ones did not";
    EXPECT_TRUE(SamePixels(workspace.buffer(0), SheetTile(workspace.sheet(0), 1, 0)));
}

INSTANTIATE_TEST_SUITE_P(Lines, MacroPlayerHalts,
                         ::testing::Values(HaltCase{""}, HaltCase{"Get,0,0,3"}, HaltCase{"Get,2,0,0,0"},
                                           HaltCase{"Put,1,2,0,0,0"}, HaltCase{"Cls,-32769"},
                                           HaltCase{"Cls"}, HaltCase{"Put,1,0,99999999,0,-1"},
                                           HaltCase{"Get,0,0,&H7FFFFFFF,0"}, HaltCase{"Get,40000,0,0,0"},
                                           HaltCase{"Get,0,0,0,1E400"}));

TEST_F(MacroPlayer, HaltingReportsTheLineAndTheDescription)
{
    workspace.setMacroLines({QStringLiteral("Cls,0"), QStringLiteral("Get,0,0,3")});
    const PlayResult result = PlayMacroLines(workspace);
    EXPECT_EQ(result.outcome, PlayResult::Outcome::Halted);
    EXPECT_EQ(result.line, 1);
    EXPECT_EQ(result.description, QStringLiteral("Subscript out of range"));

    workspace.setMacroLines({QStringLiteral("Cls,5")});
    EXPECT_EQ(PlayMacroLines(workspace).description, QStringLiteral("Control array element '5' doesn't exist"));
    workspace.setMacroLines({QStringLiteral("Cls,32768")});
    EXPECT_EQ(PlayMacroLines(workspace).description, QStringLiteral("Overflow"));
}

TEST_F(MacroPlayer, CoordinatesOutsideTheSheetAreNoFailure)
{
    const QImage right = workspace.sheet(1);
    play({QStringLiteral("Get,0,0,-1,-1"), QStringLiteral("Put,1,0,-1,-1,0"), QStringLiteral("Put,1,0,100,100,0")});
    EXPECT_TRUE(prompt->boxes().isEmpty());
    EXPECT_TRUE(test::Uniform(workspace.buffer(0), test::kBlackPixel)) << "outside the sheet reads black";
    EXPECT_TRUE(SamePixels(workspace.sheet(1), right));
}

TEST_F(MacroPlayer, PlayingTwiceRepeatsTheSameOperations)
{
    // A swap played twice puts the two tiles back where they were.
    const QImage left = workspace.sheet(0);
    play({QStringLiteral("Get,0,0,1,0"), QStringLiteral("Get,0,1,3,1"), QStringLiteral("Put,0,0,3,1,0"),
          QStringLiteral("Put,0,1,1,0,0"), QStringLiteral("Cls,0"), QStringLiteral("Cls,1")});
    EXPECT_TRUE(SamePixels(SheetTile(workspace.sheet(0), 3, 1), SheetTile(left, 1, 0)));
    TellPlayResult(PlayMacroLines(workspace));
    EXPECT_TRUE(SamePixels(workspace.sheet(0), left));
    EXPECT_EQ(workspace.macro().count(), 6);
}

} // namespace
} // namespace vexlo
