#pragma once

#include "common/failure.h"
#include "common/program_name.h"
#include "common/prompt.h"

namespace vexlo {

// Runs an event handler on behalf of Qt's event loop, which must never see a
// Failure: one that escapes the handler is shown in a critical box titled
// "Vexlo" and the event ends there.
template <typename Handler>
void RunTrapped(Handler &&handler)
{
    try {
        handler();
    } catch (const Failure &failure) {
        Prompt::current().message(Prompt::Icon::Critical, ProgramName(), failure.description());
    }
}

} // namespace vexlo
