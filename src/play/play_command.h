#pragma once

#include <QStringList>

#include <cstdio>

namespace vexlo {

// vexlo-play: replays a macro file on two sheet files without a window, the
// way Play does in Vexlo, and writes the resulting sheets as bitmap files.
// Returns the process's exit code: 0 done, 1 refused or halted (nothing
// written), 2 wrong arguments. Messages go to `out` (help, version) and
// `err` (everything else).
int RunPlayCommand(const QStringList &arguments, std::FILE *out, std::FILE *err);

} // namespace vexlo
