#include "widgets/file_list.h"

#include "widgets/folder_list.h"

#include <QDir>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSignalBlocker>

namespace vexlo {

FileList::FileList(const QString &patterns, const QString &folder, QWidget *parent)
    : QListWidget(parent), patterns_(patterns.split(u';', Qt::SkipEmptyParts))
{
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemSelectionChanged, this, [this] {
        selectedByPress_ = true;
        if (!selectedName().isEmpty())
            emit fileChosen();
    });
    // A click on the file already selected chooses it again.
    connect(this, &QListWidget::itemClicked, this, [this](QListWidgetItem *item) {
        if (!selectedByPress_ && item->isSelected())
            emit fileChosen();
    });
    setFolder(folder);
}

void FileList::mousePressEvent(QMouseEvent *event)
{
    selectedByPress_ = false;
    QListWidget::mousePressEvent(event);
}

void FileList::keyPressEvent(QKeyEvent *event)
{
    const int key = event->key();
    const bool choosing = key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Space;
    const bool plain = (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    if (choosing && plain && !selectedName().isEmpty()) {
        emit fileChosen(); // the selected file, chosen again
        event->accept();
        return;
    }
    QListWidget::keyPressEvent(event);
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

bool FileList::choose(const QString &name)
{
    const QList<QListWidgetItem *> found = findItems(name, Qt::MatchExactly);
    if (found.isEmpty())
        return false;
    setCurrentItem(found.first());
    return true;
}

QStringList FileList::names() const
{
    QStringList listed;
    for (int row = 0; row < count(); ++row)
        listed << item(row)->text();
    return listed;
}

} // namespace vexlo
