#include "model/macro_line.h"

#include <gtest/gtest.h>

#include <limits>

namespace vexlo {
namespace {

using Kind = MacroLine::Kind;

TEST(MacroLine, EveryKindOfLineIsReadBackAsTheOperationThatWroteIt)
{
    constexpr auto kMin = std::numeric_limits<std::int32_t>::min();
    constexpr auto kMax = std::numeric_limits<std::int32_t>::max();
    const std::pair<MacroLine, const char *> cases[] = {
        {{Kind::GetTile, 0, 0, 2, 5}, "Get,0,0,2,5"},
        {{Kind::GetTile, -32768, 32767, kMin, kMax}, "Get,-32768,32767,-2147483648,2147483647"},
        {{Kind::PutTile, 1, 0, 0, 1, true}, "Put,1,0,0,1,-1"},
        {{Kind::PutTile, 0, 1, -3, 10, false}, "Put,0,1,-3,10,0"},
        {{Kind::ClearChip, 0, 1}, "Cls,1"},
        {{Kind::ClearChip, 0, -1}, "Cls,-1"},
    };
    for (const auto &[operation, text] : cases) {
        EXPECT_EQ(operation.format(), QString::fromLatin1(text));
        EXPECT_EQ(MacroLine::parse(operation.format()), operation) << text;
    }
}

} // namespace
} // namespace vexlo
