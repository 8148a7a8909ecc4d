#pragma once

namespace vexlo {

struct PlayResult;

// Tells the user how a playback went, in a message box (none when it played).
void TellPlayResult(const PlayResult &result);

} // namespace vexlo
