#include "model/undo_history.h"

#include "model/step_record.h"
#include "model/undo_step.h"

#include <vector>

namespace vexlo {

UndoHistory::UndoHistory(QObject *parent) : QObject(parent) {}

UndoHistory::~UndoHistory() = default;

void UndoHistory::gather(std::shared_ptr<StepRecord> record, const QString &text)
{
    gathering_ = std::move(record);
    text_ = text;
}

void UndoHistory::push()
{
    stack_.push(new Step(*this, std::move(gathering_), text_));
    makeRoom();
}

void UndoHistory::makeRoom()
{
    // The step being gathered counts too, so room is made while it grows:
    // what the dropped steps give back is reused at once instead of a whole
    // step piling up on top of the budget.
    const qint64 open = gathering_ ? gathering_->bytes() : 0;
    if (bytes_ + open <= kBudgetBytes)
        return;
    // QUndoStack drops no single step, so the steps kept are taken out and
    // pushed again into an emptied stack, quietly, and the actions told once
    // at the end. Trimming to half the budget makes that rare.
    struct Kept {
        std::shared_ptr<StepRecord> record;
        QString text;
    };
    std::vector<Kept> steps;
    for (int i = 0; i < stack_.count(); ++i) {
        const auto *step = static_cast<const Step *>(stack_.command(i));
        steps.push_back({step->record(), step->text()});
    }
    const std::size_t index = std::size_t(stack_.index());
    std::size_t first = 0;
    std::size_t last = steps.size();
    qint64 total = bytes_ + open;
    const std::size_t least = gathering_ ? 0 : 1; // a pushed step stays, however large
    while (total > kBudgetBytes / 2 && last - first > least) {
        // The oldest done step goes first; with none done, the newest undone
        // one, so every step kept can still be undone or redone in turn. A
        // gathered step's push drops the undone ones anyway: they go first.
        const bool undoneFirst = gathering_ && last > index;
        if (first < index && !undoneFirst)
            total -= steps[first++].record->bytes();
        else
            total -= steps[--last].record->bytes();
    }
    if (first == 0 && last == steps.size())
        return; // a step being gathered larger than the budget, alone
    refilling_ = true;
    stack_.blockSignals(true);
    stack_.clear();
    for (std::size_t i = first; i < last; ++i)
        stack_.push(new Step(*this, steps[i].record, steps[i].text, i < index));
    stack_.setIndex(int(index - first));
    stack_.blockSignals(false);
    refilling_ = false;
    emit stack_.indexChanged(stack_.index());
    emit stack_.canUndoChanged(stack_.canUndo());
    emit stack_.canRedoChanged(stack_.canRedo());
    emit stack_.undoTextChanged(stack_.undoText());
    emit stack_.redoTextChanged(stack_.redoText());
}

} // namespace vexlo
