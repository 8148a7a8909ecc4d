// The workspace's undo steps: gathering one action's changes, pushing them,
// and keeping the stack within its budget.
#include "model/workspace.h"

#include "model/step_record.h"
#include "model/undo_step.h"

#include <vector>

namespace vexlo {

void Workspace::beginStep(const QString &text)
{
    endStep();
    open_ = std::make_shared<StepRecord>(*this);
    openText_ = text;
}

void Workspace::setStepText(const QString &text)
{
    openText_ = text;
}

void Workspace::endStep()
{
    if (!open_)
        return;
    std::shared_ptr<StepRecord> record = std::move(open_);
    if (record->empty())
        return;
    record->finish();
    undoStack_.push(new UndoStep(*this, std::move(record), openText_));
    trimUndo();
}

void Workspace::rollBackStep()
{
    if (const std::shared_ptr<StepRecord> record = std::move(open_))
        record->undo();
}

void Workspace::trimUndo()
{
    // The open step counts too, so room is made while it grows: what the
    // dropped steps give back is reused at once instead of a whole step
    // piling up on top of the budget.
    const qint64 open = open_ ? open_->bytes() : 0;
    if (undoBytes_ + open <= kUndoBudgetBytes)
        return;
    // QUndoStack drops no single step, so the steps kept are taken out and
    // pushed again into an emptied stack, quietly, and the actions told once
    // at the end. Trimming to half the budget makes that rare.
    struct Kept {
        std::shared_ptr<StepRecord> record;
        QString text;
    };
    std::vector<Kept> steps;
    for (int i = 0; i < undoStack_.count(); ++i) {
        const auto *step = static_cast<const UndoStep *>(undoStack_.command(i));
        steps.push_back({step->record(), step->text()});
    }
    const std::size_t index = std::size_t(undoStack_.index());
    std::size_t first = 0;
    std::size_t last = steps.size();
    qint64 total = undoBytes_ + open;
    const std::size_t least = open_ ? 0 : 1; // a pushed step stays, however large
    while (total > kUndoBudgetBytes / 2 && last - first > least) {
        // The oldest done step goes first; with none done, the newest undone
        // one, so every step kept can still be undone or redone in turn. An
        // open step's push drops the undone ones anyway: they go first.
        const bool undoneFirst = open_ && last > index;
        if (first < index && !undoneFirst)
            total -= steps[first++].record->bytes();
        else
            total -= steps[--last].record->bytes();
    }
    if (first == 0 && last == steps.size())
        return; // an open step larger than the budget, alone
    refilling_ = true;
    undoStack_.blockSignals(true);
    undoStack_.clear();
    for (std::size_t i = first; i < last; ++i)
        undoStack_.push(new UndoStep(*this, steps[i].record, steps[i].text, i < index));
    undoStack_.setIndex(int(index - first));
    undoStack_.blockSignals(false);
    refilling_ = false;
    emit undoStack_.indexChanged(undoStack_.index());
    emit undoStack_.canUndoChanged(undoStack_.canUndo());
    emit undoStack_.canRedoChanged(undoStack_.canRedo());
    emit undoStack_.undoTextChanged(undoStack_.undoText());
    emit undoStack_.redoTextChanged(undoStack_.redoText());
}

} // namespace vexlo
