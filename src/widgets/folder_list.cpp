#include "widgets/folder_list.h"

#include <QDir>
#include <QFileInfo>
#include <QKeyEvent>
#include <QStyle>
#include <QStyledItemDelegate>

namespace vexlo {
namespace {

constexpr int kPathRole = Qt::UserRole;
constexpr int kDepthRole = Qt::UserRole + 1;
constexpr int kIndentPerLevel = 8;

// Indents each line by its depth in the folder tree.
class IndentingDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option,
               const QModelIndex &index) const override
    {
        QStyleOptionViewItem indented(option);
        indented.rect.setLeft(option.rect.left() + index.data(kDepthRole).toInt() * kIndentPerLevel);
        QStyledItemDelegate::paint(painter, indented, index);
    }
};

} // namespace

bool CanListFolder(const QString &folder)
{
    const QFileInfo info(folder);
    return info.isDir() && info.isReadable() && info.isExecutable();
}

FolderList::FolderList(QWidget *parent) : QListWidget(parent)
{
    setItemDelegate(new IndentingDelegate(this));
    setSelectionMode(QAbstractItemView::SingleSelection);
    connect(this, &QListWidget::itemDoubleClicked, this, [this] { openSelected(); });
    path_ = QDir::currentPath();
    fill();
}

bool FolderList::setPath(const QString &folder)
{
    const QString absolute = QDir::cleanPath(QDir(folder).absolutePath());
    if (!CanListFolder(absolute))
        return false;
    if (absolute == path_)
        return true;
    path_ = absolute;
    fill();
    emit pathChanged(path_);
    return true;
}

QString FolderList::selectedPath() const
{
    const QListWidgetItem *item = currentItem();
    return item ? item->data(kPathRole).toString() : path_;
}

void FolderList::openSelected()
{
    if (!setPath(selectedPath()))
        fill(); // gone or closed to us: show the current folder as it is now
}

void FolderList::keyPressEvent(QKeyEvent *event)
{
    emit keyDown(event->key(), event->modifiers());
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        event->accept(); // the owner's to handle; never passed on to the dialog
    else
        QListWidget::keyPressEvent(event);
}

void FolderList::fill()
{
    clear();
    QStringList chain; // from the current folder up to the root
    for (QDir dir(path_);; ) {
        chain.prepend(dir.absolutePath());
        if (!dir.cdUp())
            break;
    }
    for (int depth = 0; depth < chain.size(); ++depth) {
        const QString name = depth == 0 ? chain[0] : QFileInfo(chain[depth]).fileName();
        addFolderLine(chain[depth], name, depth, true);
    }
    const int current = count() - 1;
    const QDir dir(path_);
    // QDir::Dirs lets through what is neither file nor folder, a link to a
    // FIFO for one: only folders (and links to folders) are listed.
    const QFileInfoList children =
        dir.entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase);
    for (const QFileInfo &child : children)
        if (child.isDir())
            addFolderLine(child.filePath(), child.fileName(), int(chain.size()), false);
    setCurrentRow(current);
}

void FolderList::addFolderLine(const QString &folder, const QString &name, int depth, bool open)
{
    auto *item = new QListWidgetItem(
        style()->standardIcon(open ? QStyle::SP_DirOpenIcon : QStyle::SP_DirClosedIcon), name, this);
    item->setData(kPathRole, folder);
    item->setData(kDepthRole, depth);
    item->setToolTip(folder);
}

} // namespace vexlo
