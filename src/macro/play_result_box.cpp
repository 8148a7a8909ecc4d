#include "macro/play_result_box.h"

#include "common/program_name.h"
#include "common/prompt.h"
#include "macro/macro_player.h"

namespace vexlo {

void TellPlayResult(const PlayResult &result)
{
    switch (result.outcome) {
    case PlayResult::Outcome::RecordingOn:
    case PlayResult::Outcome::EmptyMacro:
        Prompt::current().message(Prompt::Icon::Exclamation, ProgramName(), result.description);
        break;
    case PlayResult::Outcome::Halted:
        Prompt::current().message(Prompt::Icon::Critical, QStringLiteral("Play Macro Halted"), result.description);
        break;
    case PlayResult::Outcome::Played:
        break;
    }
}

} // namespace vexlo
