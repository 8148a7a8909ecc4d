#pragma once

#include "model/tile_blocks.h"

#include <QObject>
#include <QString>

#include <deque>
#include <memory>

class QAction;

namespace vexlo {

class StepRecord;

// The undo steps of a session: the one being gathered, then those done,
// the newest last, and those undone, the next to redo first; all within a
// budget of bytes, the oldest given up first. The window's Undo and Redo
// are its own actions.
class UndoHistory : public QObject {
    Q_OBJECT

public:
    // What the steps may keep in all, the one being gathered included.
    static constexpr qint64 kBudgetBytes = qint64(256) << 20;

    explicit UndoHistory(QObject *parent = nullptr);
    ~UndoHistory() override;

    int count() const { return int(steps_.size()); }
    bool canUndo() const { return done_ > 0; }
    bool canRedo() const { return done_ < steps_.size(); }
    QString undoText() const { return canUndo() ? steps_[done_ - 1].text : QString(); }
    QString redoText() const { return canRedo() ? steps_[done_].text : QString(); }
    void undo();
    void redo();
    // Actions that undo or redo, enabled while there is a step for them,
    // named by it after the prefix ("&Undo Copy tile").
    QAction *createUndoAction(QObject *parent, const QString &prefix);
    QAction *createRedoAction(QObject *parent, const QString &prefix);

    // What the steps pushed keep; at most kBudgetBytes once one was pushed.
    qint64 bytes() const { return bytes_; }

    // The step being gathered, null when none.
    StepRecord *gathering() const { return gathering_.get(); }
    void gather(std::unique_ptr<StepRecord> record, const QString &text);
    void setText(const QString &text) { text_ = text; }
    // The step gathered becomes the newest done one; the steps undone go.
    void push();
    // Forgets the step gathered, which keeps nothing the session needs.
    void drop();
    // Gives up old steps while the one being gathered grows past the budget.
    void makeRoom();
    // Where the steps keep whole tiles.
    TileBlocks &tileBlocks() { return tileBlocks_; }
    const TileBlocks &tileBlocks() const { return tileBlocks_; }

signals:
    // A whole step was undone or redone.
    void stepPutBack();
    // What can be undone or redone changed.
    void stepsChanged();

private:
    struct Step {
        std::unique_ptr<StepRecord> record;
        QString text;
    };

    static qint64 bytesOf(const Step &step);
    void putBack(Step &step, bool undoing);
    QAction *createAction(QObject *parent, const QString &prefix, bool undoing);

    TileBlocks tileBlocks_; // outlives every step below, which give their blocks back
    std::unique_ptr<StepRecord> gathering_;
    QString text_;
    std::deque<Step> steps_;
    std::size_t done_ = 0;
    qint64 bytes_ = 0;
};

} // namespace vexlo
