#include "model/undo_step.h"

#include "model/step_record.h"

namespace vexlo {

UndoHistory::Step::Step(UndoHistory &history, std::shared_ptr<StepRecord> record, const QString &text, bool done)
    : QUndoCommand(text), history_(history), record_(std::move(record)), done_(done)
{
    history_.bytes_ += record_->bytes();
}

UndoHistory::Step::~Step()
{
    history_.bytes_ -= record_->bytes();
}

void UndoHistory::Step::undo()
{
    apply(true);
}

void UndoHistory::Step::redo()
{
    apply(false);
}

void UndoHistory::Step::apply(bool undoing)
{
    // Pushing a finished action, or refilling the stack, changes nothing.
    if (history_.refilling_ || done_ != undoing)
        return;
    done_ = !undoing;
    const qint64 before = record_->bytes();
    if (undoing)
        record_->undo();
    else
        record_->redo();
    history_.bytes_ += record_->bytes() - before;
    emit history_.stepPutBack();
    // A whole sheet swapped back may be larger than the one it replaced.
    if (history_.bytes_ > kBudgetBytes)
        QMetaObject::invokeMethod(&history_, &UndoHistory::makeRoom, Qt::QueuedConnection);
}

} // namespace vexlo
