#pragma once

#include <QAbstractListModel>
#include <QStringList>

namespace vexlo {

// The macro: the one store of its lines, in the order they were added. The
// main window's list shows it through this model.
class MacroList : public QAbstractListModel {
    Q_OBJECT

public:
    using QAbstractListModel::QAbstractListModel;

    const QStringList &lines() const { return lines_; }
    qsizetype count() const { return lines_.size(); }

    void append(const QString &line);
    void clear();
    void setLines(const QStringList &lines);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;

private:
    QStringList lines_;
};

} // namespace vexlo
