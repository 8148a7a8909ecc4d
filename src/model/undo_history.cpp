#include "model/undo_history.h"

#include "model/step_record.h"

#include <QAction>

namespace vexlo {

UndoHistory::UndoHistory(QObject *parent) : QObject(parent) {}

UndoHistory::~UndoHistory() = default;

void UndoHistory::undo()
{
    if (!canUndo())
        return;
    putBack(steps_[done_ - 1], true);
    --done_;
    emit stepsChanged();
}

void UndoHistory::redo()
{
    if (!canRedo())
        return;
    putBack(steps_[done_], false);
    ++done_;
    emit stepsChanged();
}

void UndoHistory::putBack(Step &step, bool undoing)
{
    const qint64 before = step.record->bytes();
    if (undoing)
        step.record->undo();
    else
        step.record->redo();
    bytes_ += step.record->bytes() - before;
    emit stepPutBack();
    // A whole sheet swapped back may be larger than the one it replaced.
    if (bytes_ > kBudgetBytes)
        QMetaObject::invokeMethod(this, &UndoHistory::makeRoom, Qt::QueuedConnection);
}

QAction *UndoHistory::createUndoAction(QObject *parent, const QString &prefix)
{
    return createAction(parent, prefix, true);
}

QAction *UndoHistory::createRedoAction(QObject *parent, const QString &prefix)
{
    return createAction(parent, prefix, false);
}

QAction *UndoHistory::createAction(QObject *parent, const QString &prefix, bool undoing)
{
    auto *action = new QAction(parent);
    const auto show = [this, action, prefix, undoing] {
        const QString step = undoing ? undoText() : redoText();
        action->setText(step.isEmpty() ? prefix : prefix + u' ' + step);
        action->setEnabled(undoing ? canUndo() : canRedo());
    };
    show();
    connect(this, &UndoHistory::stepsChanged, action, show);
    connect(action, &QAction::triggered, this, undoing ? &UndoHistory::undo : &UndoHistory::redo);
    return action;
}

void UndoHistory::gather(std::unique_ptr<StepRecord> record, const QString &text)
{
    gathering_ = std::move(record);
    text_ = text;
}

void UndoHistory::push()
{
    for (; steps_.size() > done_; steps_.pop_back())
        bytes_ -= bytesOf(steps_.back());
    Step &step = steps_.emplace_back(); // may fail: the step stays open, to be put back
    step.record = std::move(gathering_);
    step.text = text_;
    bytes_ += bytesOf(step);
    ++done_;
    makeRoom();
    emit stepsChanged();
}

void UndoHistory::drop()
{
    gathering_.reset();
}

qint64 UndoHistory::bytesOf(const Step &step)
{
    // The entry itself lies in blocks of 512 bytes, each with a header and a
    // pointer in the list's map.
    return step.record->bytes() + qint64(sizeof(Step)) + 2;
}

void UndoHistory::makeRoom()
{
    // The step being gathered counts too, so room is made while it grows:
    // what the dropped steps give back is reused at once instead of a whole
    // step piling up on top of the budget.
    const qint64 open = gathering_ ? gathering_->bytes() : 0;
    if (bytes_ + open <= kBudgetBytes)
        return;
    // Down to half the budget, which makes this rare. The oldest done step
    // goes first; with none done, the newest undone one, so every step kept
    // can still be undone or redone in turn. A gathered step's push drops
    // the undone ones anyway: they go first.
    const std::size_t least = gathering_ ? 0 : 1; // a pushed step stays, however large
    const std::size_t before = steps_.size();
    while (bytes_ + open > kBudgetBytes / 2 && steps_.size() > least) {
        const bool undoneFirst = gathering_ && canRedo();
        if (canUndo() && !undoneFirst) {
            bytes_ -= bytesOf(steps_.front());
            steps_.pop_front();
            --done_;
        } else {
            bytes_ -= bytesOf(steps_.back());
            steps_.pop_back();
        }
    }
    if (steps_.size() != before)
        emit stepsChanged();
}

} // namespace vexlo
