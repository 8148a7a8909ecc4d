#include "model/step_transaction.h"

#include "model/workspace.h"

namespace vexlo {

StepTransaction::StepTransaction(Workspace &workspace, const QString &text)
    : workspace_(workspace), began_(!workspace.stepOpen())
{
    if (began_)
        workspace_.beginStep(text);
}

StepTransaction::~StepTransaction()
{
    if (!began_ || committed_)
        return;
    try {
        workspace_.rollBackStep();
    } catch (...) {
        // Putting back can need memory as well; should that fail too, what
        // was not put back stays, rather than the program ending here.
    }
}

void StepTransaction::commit()
{
    if (began_)
        workspace_.endStep();
    committed_ = true;
}

} // namespace vexlo
