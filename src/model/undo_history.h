#pragma once

#include "model/tile_blocks.h"

#include <QObject>
#include <QString>
#include <QUndoStack>

#include <memory>

namespace vexlo {

class StepRecord;

// The undo steps of a session: the one being gathered and those done and
// undone, within a budget of bytes; the oldest steps are given up first.
// The window's Undo and Redo are the stack's own actions.
class UndoHistory : public QObject {
    Q_OBJECT

public:
    // What the steps may keep in all, the one being gathered included.
    static constexpr qint64 kBudgetBytes = qint64(256) << 20;
    // A step on the stack (undo_step.h).
    class Step;

    explicit UndoHistory(QObject *parent = nullptr);
    ~UndoHistory() override;

    QUndoStack &stack() { return stack_; }
    // What the pushed steps keep; at most kBudgetBytes once one was pushed.
    qint64 bytes() const { return bytes_; }

    // The step being gathered, null when none.
    StepRecord *gathering() const { return gathering_.get(); }
    void gather(std::shared_ptr<StepRecord> record, const QString &text);
    void setText(const QString &text) { text_ = text; }
    // The step gathered becomes the newest done one; the steps undone go.
    void push();
    // Forgets the step gathered, which keeps nothing the session needs.
    void drop() { gathering_.reset(); }
    // Gives up old steps while the one being gathered grows past the budget.
    void makeRoom();
    // Where the steps keep whole tiles.
    TileBlocks &tileBlocks() { return tileBlocks_; }
    const TileBlocks &tileBlocks() const { return tileBlocks_; }

signals:
    // A whole step was undone or redone.
    void stepPutBack();

private:
    TileBlocks tileBlocks_; // outlives every step below, which give their blocks back
    std::shared_ptr<StepRecord> gathering_;
    QString text_;
    qint64 bytes_ = 0;
    bool refilling_ = false; // the stack is being refilled: its steps do nothing
    QUndoStack stack_;
};

} // namespace vexlo
