#include "common/file_list.h"

#include "common/folder_list.h"

#include <QDir>
#include <QSignalBlocker>

namespace vexlo {

FileList::FileList(const QString &patterns, const QString &folder, QWidget *parent)
    : QListWidget(parent), patterns_(patterns.split(u';', Qt::SkipEmptyParts))
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
        if (!selectedName().isEmpty())
            emit fileChosen();
    });
    setFolder(folder);
}

bool FileList::setFolder(const QString &folder)
{
    if (!CanListFolder(folder))
        return false;
    folder_ = folder;
    clear();
    // Without QDir::CaseSensitive the patterns match regardless of case.
    addItems(QDir(folder).entryList(patterns_, QDir::Files, QDir::Name | QDir::IgnoreCase));
    return true;
}

void FileList::relist()
{
    const QString selected = selectedName();
    const QSignalBlocker quiet(this);
    setFolder(folder_);
    const QList<QListWidgetItem *> found = findItems(selected, Qt::MatchExactly);
    if (!selected.isEmpty() && !found.isEmpty())
        setCurrentItem(found.first());
}

QString FileList::selectedName() const
{
    const QList<QListWidgetItem *> selected = selectedItems();
    return selected.isEmpty() ? QString() : selected.first()->text();
}

} // namespace vexlo
