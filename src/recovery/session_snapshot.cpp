#include "recovery/session_snapshot.h"

#include "model/workspace.h"

namespace vexlo {

SessionSnapshot TakeSnapshot(const Workspace &workspace)
{
    SessionSnapshot snapshot;
    for (PaneIndex pane = 0; pane < 2; ++pane) {
        snapshot.sheets[pane] = workspace.sheet(pane);
        snapshot.transparent[pane] = workspace.transparentKey(pane);
        snapshot.translucent[pane] = workspace.translucentKey(pane);
        snapshot.scroll[pane] = workspace.scrollValue(pane);
    }
    snapshot.macro = workspace.macro().lines();
    return snapshot;
}

void RestoreSnapshot(Workspace &workspace, const SessionSnapshot &snapshot)
{
    workspace.setMacroLines(snapshot.macro);
    for (PaneIndex pane = 0; pane < 2; ++pane) {
        workspace.setSheet(pane, snapshot.sheets[pane]);
        workspace.setKeyColours(pane, snapshot.transparent[pane], snapshot.translucent[pane]);
        workspace.setScrollValue(pane, snapshot.scroll[pane]);
    }
}

} // namespace vexlo
