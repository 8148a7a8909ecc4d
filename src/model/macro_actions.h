#pragma once

#include <QStringList>

namespace vexlo {

class Workspace;

// The Macro menu's changes of the list, each one undo step (playing it is
// PlayMacro, beside the player).

// "Clear macro": no lines; no step when there were none.
void ClearMacro(Workspace &workspace);

// "Load macro": the lines read from a macro file, as in that file.
void LoadMacro(Workspace &workspace, const QStringList &lines);

} // namespace vexlo
