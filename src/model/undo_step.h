#pragma once

#include <QUndoCommand>

#include <memory>

namespace vexlo {

class StepRecord;
class Workspace;

// One user action on the undo stack: its text names the action ("Copy
// tile"), its record holds what the action changed. Pushed once the action
// is done, so its first redo does nothing; `done` false makes it one that
// waits to be redone.
class UndoStep : public QUndoCommand {
public:
    UndoStep(Workspace &workspace, std::shared_ptr<StepRecord> record, const QString &text, bool done = true);
    ~UndoStep() override;

    void undo() override;
    void redo() override;

    const std::shared_ptr<StepRecord> &record() const { return record_; }

private:
    void apply(bool undoing);

    Workspace &workspace_;
    std::shared_ptr<StepRecord> record_;
    bool done_;
};

} // namespace vexlo
