#include "widgets/failure_trap.h"
#include "support/scripted_prompt.h"

#include <gtest/gtest.h>

namespace vexlo {
namespace {

TEST(FailureTrap, AFailureInAHandlerIsShownAsACriticalBoxAndGoesNoFurther)
{
    test::ScopedScriptedPrompt prompt;
    bool finished = false;
    EXPECT_NO_THROW(RunTrapped([&] {
        throw Failure(QStringLiteral("Macro too long"));
        finished = true;
    }));
    EXPECT_FALSE(finished);
    ASSERT_EQ(prompt->boxes().size(), 1);
    EXPECT_EQ(prompt->boxes()[0].icon, Prompt::Icon::Critical);
    EXPECT_EQ(prompt->boxes()[0].title, QStringLiteral("Vexlo"));
    EXPECT_EQ(prompt->boxes()[0].text, QStringLiteral("Macro too long"));

    RunTrapped([&] { finished = true; });
    EXPECT_TRUE(finished);
    EXPECT_EQ(prompt->boxes().size(), 1) << "no box when nothing fails";
}

} // namespace
} // namespace vexlo
