#include "model/macro_list.h"

namespace vexlo {

void MacroList::checkFits(qsizetype count)
{
    CheckMacroLineCount(count);
}

void MacroList::append(const QString &line)
{
    insert(lines_.size(), {line});
}

void MacroList::setLines(const QStringList &lines)
{
    checkFits(lines.size());
    beginResetModel();
    lines_ = lines;
    endResetModel();
}

void MacroList::insert(qsizetype at, const QStringList &lines)
{
    if (lines.isEmpty())
        return;
    checkFits(lines_.size() + lines.size());
    beginInsertRows({}, int(at), int(at + lines.size() - 1));
    for (qsizetype i = 0; i < lines.size(); ++i)
        lines_.insert(at + i, lines[i]);
    endInsertRows();
}

QStringList MacroList::take(qsizetype at, qsizetype count)
{
    if (count <= 0)
        return {};
    const QStringList taken = lines_.mid(at, count);
    beginRemoveRows({}, int(at), int(at + count - 1));
    lines_.remove(at, count);
    endRemoveRows();
    return taken;
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
