// The workspace's undo steps: gathering one action's changes, then keeping
// them as a step, forgetting a step that changed nothing, or putting them
// back.
#include "model/workspace.h"

#include "model/step_record.h"

#include <utility>

namespace vexlo {

void Workspace::beginStep(const QString &text)
{
    endStep();
    history_.gather(std::make_unique<StepRecord>(*this), text);
}

void Workspace::endStep()
{
    StepRecord *record = openStep();
    if (!record)
        return;
    if (record->changesNothing()) {
        // Nothing to undo and nothing to lose: as though it never happened.
        revisions_ = record->revisionsBefore();
        forgetStep();
        emit savedStateChanged();
        return;
    }
    record->finish();
    history_.push();
    if (std::exchange(workPending_, false))
        emit workChanged();
    emit savedStateChanged();
}

void Workspace::rollBackStep()
{
    StepRecord *record = openStep();
    if (!record)
        return;
    try {
        record->undo(); // still open: what it puts back is not told as work
    } catch (...) {
        forgetStep(); // never left open half put back, for a later action to keep
        emit savedStateChanged();
        throw;
    }
    forgetStep();
    emit savedStateChanged();
}

void Workspace::forgetStep()
{
    history_.drop();
    workPending_ = false;
}

} // namespace vexlo
