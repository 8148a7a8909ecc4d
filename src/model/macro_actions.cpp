#include "model/macro_actions.h"

#include "model/step_transaction.h"
#include "model/workspace.h"

namespace vexlo {

void ClearMacro(Workspace &workspace)
{
    StepTransaction step(workspace, QStringLiteral("Clear macro"));
    workspace.setMacroLines({});
    step.commit();
}

void LoadMacro(Workspace &workspace, const QStringList &lines)
{
    StepTransaction step(workspace, QStringLiteral("Load macro"));
    workspace.setMacroLines(lines);
    step.commit();
    workspace.markMacroSaved();
}

} // namespace vexlo
