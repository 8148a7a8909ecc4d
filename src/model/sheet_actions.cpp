#include "model/sheet_actions.h"

#include "model/step_transaction.h"
#include "model/workspace.h"

namespace vexlo {

void LoadSheet(Workspace &workspace, PaneIndex pane, const QImage &sheet, Colour transparent, Colour translucent,
               const PaneFile &file)
{
    StepTransaction step(workspace, QStringLiteral("Load image"));
    // From the top: a short sheet loaded where a tall one was scrolled down
    // would lie above the window, out of sight.
    workspace.setScrollValue(pane, 0);
    workspace.setKeyColours(pane, transparent, translucent);
    workspace.setSheet(pane, sheet);
    workspace.setPaneFile(pane, file);
    step.commit();
    workspace.markPaneSaved(pane); // as in its file: nothing to lose yet
}

void ClearSheet(Workspace &workspace, PaneIndex pane, const std::function<void()> &offerResize)
{
    StepTransaction step(workspace, QStringLiteral("Clear image"));
    workspace.setSheet(pane, Workspace::blankSheet(workspace.sheet(pane).height()));
    offerResize();
    step.commit();
}

void ResizeSheet(Workspace &workspace, PaneIndex pane, int pixels)
{
    StepTransaction step(workspace, QStringLiteral("Resize image"));
    workspace.setSheetHeight(pane, pixels);
    workspace.setScrollValue(pane, 0);
    step.commit();
}

void ReplaceSheetColour(Workspace &workspace, PaneIndex pane, Colour find, Colour replace)
{
    StepTransaction step(workspace, QStringLiteral("Replace colour"));
    workspace.replaceColour(pane, find, replace);
    step.commit();
}

KeyCheck CheckSheetKeys(Workspace &workspace, PaneIndex pane, int distance)
{
    KeyCheck check = CheckKeys(workspace.sheet(pane),
                               {workspace.transparentKey(pane), workspace.translucentKey(pane)}, distance);
    workspace.setMarkedTiles(pane, check.marked);
    return check;
}

std::array<std::int64_t, 2> SnapSheetToKeys(Workspace &workspace, PaneIndex pane, int distance)
{
    StepTransaction step(workspace, QStringLiteral("Snap to keys"));
    const auto snapped = workspace.snapToKeys(pane, distance);
    step.commit();
    return snapped;
}

} // namespace vexlo
