#pragma once

#include "common/macro_limit.h"

#include <QAbstractListModel>
#include <QStringList>

namespace vexlo {

class StepRecord;
class Workspace;

// The macro: the one store of its lines, in the order they were added. The
// main window's list shows it through this model; only the workspace
// changes it, so every change is announced and kept for undo.
class MacroList : public QAbstractListModel {
    Q_OBJECT

public:
    // Lines are counted and played with 16-bit indices, so a macro never
    // grows past this; what would go past it is refused whole.
    static constexpr qsizetype kMaxLines = kMaxMacroLines;

    using QAbstractListModel::QAbstractListModel;

    const QStringList &lines() const { return lines_; }
    qsizetype count() const { return lines_.size(); }

    // The failure for a macro that would pass the limit.
    static void checkFits(qsizetype count);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    friend class StepRecord;
    friend class Workspace;

    // All fail (vexlo::Failure) and change nothing when the limit would be passed.
    void append(const QString &line);
    void setLines(const QStringList &lines);
    void insert(qsizetype at, const QStringList &lines);
    // The lines from `at` on, `count` of them, taken out.
    QStringList take(qsizetype at, qsizetype count);

    QStringList lines_;
};

} // namespace vexlo
