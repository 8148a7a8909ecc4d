#include "load/load_selection.h"

#include <gtest/gtest.h>

namespace vexlo {
namespace {

TEST(KeyChoice, PresetsGiveBlackFirstAndTheAlternateOnlyAfterAChosenBlack)
{
    const struct {
        KeyChoice before;
        Colour after;
    } cases[] = {
        {{kWhite, false}, kBlack},        // hidden
        {{kBlack, false}, kBlack},        // hidden, though it still holds black
        {{kBlack, true}, kPresetTeal},    // black, picked or preset
        {{kPresetTeal, true}, kBlack},    // the alternate goes back to black
        {{0xFF00FF, true}, kBlack},       // a colour picked from the sheet
    };
    for (const auto &c : cases) {
        const KeyChoice next = NextPreset(c.before, kPresetTeal);
        EXPECT_TRUE(next.chosen);
        EXPECT_EQ(next.colour, c.after) << c.before.colour << " chosen " << c.before.chosen;
    }
    EXPECT_EQ(kPresetTeal, 8421376);
    EXPECT_EQ(kPresetPurple, 8388736);
}

TEST(KeyChoice, PickingNeedsASheetAndAPointOnIt)
{
    LoadSelection selection;
    selection.pick(1, 0, 0);
    EXPECT_FALSE(selection.transparent().chosen) << "no sheet";
    EXPECT_EQ(selection.loadRefusal(), QStringLiteral("Please load a valid image file first."));
    selection.preset(1);
    EXPECT_TRUE(selection.translucent().chosen);
    EXPECT_FALSE(selection.transparent().chosen);
    EXPECT_TRUE(selection.loadEnabled());
}

} // namespace
} // namespace vexlo
