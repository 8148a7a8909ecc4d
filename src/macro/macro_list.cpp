#include "macro/macro_list.h"

#include "common/failure.h"

#include <QLocale>

namespace vexlo {

void MacroList::checkFits(qsizetype count)
{
    if (count > kMaxLines)
        throw Failure(QStringLiteral("A macro holds at most 32,767 lines; this one would have %1.")
                          .arg(QLocale(QLocale::English).toString(count)));
}

void MacroList::append(const QString &line)
{
    checkFits(lines_.size() + 1);
    const int row = int(lines_.size());
    beginInsertRows({}, row, row);
    lines_.append(line);
    endInsertRows();
}

void MacroList::clear()
{
    setLines({});
}

void MacroList::setLines(const QStringList &lines)
{
    checkFits(lines.size());
    beginResetModel();
    lines_ = lines;
    endResetModel();
}

int MacroList::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : int(lines_.size());
}

QVariant MacroList::data(const QModelIndex &index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= lines_.size())
        return {};
    return lines_.at(index.row());
}

} // namespace vexlo
