#include "model/undo_step.h"

#include "model/step_record.h"
#include "model/workspace.h"

namespace vexlo {

UndoStep::UndoStep(Workspace &workspace, std::shared_ptr<StepRecord> record, const QString &text, bool done)
    : QUndoCommand(text), workspace_(workspace), record_(std::move(record)), done_(done)
{
    workspace_.undoBytes_ += record_->bytes();
}

UndoStep::~UndoStep()
{
    workspace_.undoBytes_ -= record_->bytes();
}

void UndoStep::undo()
{
    apply(true);
}

void UndoStep::redo()
{
    apply(false);
}

void UndoStep::apply(bool undoing)
{
    // Pushing a finished action, or refilling the stack, changes nothing.
    if (workspace_.refilling_ || done_ != undoing)
        return;
    done_ = !undoing;
    const qint64 before = record_->bytes();
    if (undoing)
        record_->undo();
    else
        record_->redo();
    workspace_.undoBytes_ += record_->bytes() - before;
    emit workspace_.stepPutBack();
    // A whole sheet swapped back may be larger than the one it replaced.
    if (workspace_.undoBytes_ > Workspace::kUndoBudgetBytes)
        QMetaObject::invokeMethod(&workspace_, &Workspace::trimUndo, Qt::QueuedConnection);
}

} // namespace vexlo
