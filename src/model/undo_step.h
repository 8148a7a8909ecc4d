#pragma once

#include "model/undo_history.h"

#include <QUndoCommand>

#include <memory>

namespace vexlo {

// One user action on the undo stack: its text names the action ("Copy
// tile"), its record holds what the action changed. Pushed once the action
// is done, so its first redo does nothing; `done` false makes it one that
// waits to be redone.
class UndoHistory::Step : public QUndoCommand {
public:
    Step(UndoHistory &history, std::shared_ptr<StepRecord> record, const QString &text, bool done = true);
    ~Step() override;

    void undo() override;
    void redo() override;

    const std::shared_ptr<StepRecord> &record() const { return record_; }

private:
    void apply(bool undoing);

    UndoHistory &history_;
    std::shared_ptr<StepRecord> record_;
    bool done_;
};

} // namespace vexlo
