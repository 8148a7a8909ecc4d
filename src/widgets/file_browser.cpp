#include "widgets/file_browser.h"

#include "widgets/drive_list.h"
#include "widgets/event_codes.h"
#include "widgets/file_list.h"
#include "widgets/folder_list.h"

namespace vexlo {

void FileBrowser::buildLists(QWidget *dialog, QRect drive, QRect folders, QRect files, const QString &patterns)
{
    Drive1 = new DriveList(dialog);
    Drive1->setGeometry(drive);
    QObject::connect(Drive1, &DriveList::driveChanged, dialog, [this] { Drive1_Change(); });

    Dir1 = new FolderList(dialog);
    Dir1->setGeometry(folders);
    QObject::connect(Dir1, &FolderList::pathChanged, dialog, [this] { Dir1_Change(); });
    QObject::connect(Dir1, &FolderList::keyDown, dialog, [this](int key, Qt::KeyboardModifiers modifiers) {
        Dir1_KeyDown(KeyCode(key), ShiftCode(modifiers));
    });

    File1 = new FileList(patterns, Dir1->path(), dialog);
    File1->setGeometry(files);
}

void FileBrowser::startUse(const QString &remembered)
{
    if (!remembered.isEmpty())
        Dir1->setPath(remembered);
    File1->relist(); // the choice made stays
}

void FileBrowser::Drive1_Change()
{
    if (!Dir1->setPath(Drive1->drive()))
        Drive1->showDriveOf(Dir1->path()); // an unreadable drive: stay where we were
}

void FileBrowser::Dir1_Change()
{
    File1->setFolder(Dir1->path());
    Drive1->showDriveOf(Dir1->path());
    rememberFolder(Dir1->path());
}

void FileBrowser::Dir1_KeyDown(std::int16_t KeyCode, std::int16_t)
{
    if (KeyCode == 13)
        Dir1->openSelected();
}

bool FileBrowser::openFolder(const QString &folder)
{
    return Dir1->setPath(folder);
}

void FileBrowser::pickDrive(const QString &root)
{
    if (Drive1->findText(root) < 0)
        Drive1->addItem(root); // a volume mounted since the list was made
    Drive1->setCurrentIndex(Drive1->findText(root));
}

void FileBrowser::listFilesAgain()
{
    File1->setFolder(File1->folder());
}

bool FileBrowser::chooseFile(const QString &name)
{
    return File1->choose(name);
}

FileBrowser::Lists FileBrowser::lists() const
{
    Lists shown;
    shown.drive = Drive1->drive();
    shown.folder = Dir1->path();
    shown.folderLines = Dir1->count();
    shown.filesFolder = File1->folder();
    shown.files = File1->names();
    shown.chosenFile = File1->selectedName();
    return shown;
}

} // namespace vexlo
