#include "widgets/drive_list.h"

#include <QDir>
#include <QSignalBlocker>
#include <QStorageInfo>

#include <algorithm>

namespace vexlo {

DriveList::DriveList(QWidget *parent) : QComboBox(parent)
{
    listVolumes();
    showDriveOf(QDir::currentPath());
    connect(this, &QComboBox::currentIndexChanged, this, [this] { emit driveChanged(drive()); });
}

void DriveList::listVolumes()
{
    const QString shown = currentText();
    QStringList roots;
    for (const QStorageInfo &volume : QStorageInfo::mountedVolumes())
        if (volume.isValid() && volume.isReady() && volume.rootPath() != QStringLiteral("/"))
            roots << volume.rootPath();
    roots.sort();
    roots.removeDuplicates();
    roots.prepend(QStringLiteral("/"));

    const QSignalBlocker quiet(this);
    clear();
    addItems(roots);
    setCurrentIndex(std::max(0, findText(shown)));
}

void DriveList::showDriveOf(const QString &folder)
{
    const QSignalBlocker quiet(this);
    const int index = findText(QStorageInfo(folder).rootPath());
    setCurrentIndex(std::max(0, index));
}

void DriveList::showPopup()
{
    listVolumes(); // volumes mounted since the last look show up
    QComboBox::showPopup();
}

} // namespace vexlo
