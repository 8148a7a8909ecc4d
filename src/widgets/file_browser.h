#pragma once

#include <QRect>
#include <QString>

#include <cstdint>

class QWidget;

namespace vexlo {

class DriveList;
class FileList;
class FolderList;

// The drive, folder and file lists that the load and save dialogs share,
// wired to each other the same way in both: a drive picked opens its root,
// Enter in the folder list opens the selected folder, and each folder opened
// lists its files, shows its drive and is remembered by the dialog.
class FileBrowser {
public:
    DriveList *Drive1 = nullptr;
    FolderList *Dir1 = nullptr;
    FileList *File1 = nullptr;

    void Drive1_Change();
    void Dir1_Change();
    void Dir1_KeyDown(std::int16_t KeyCode, std::int16_t Shift);

protected:
    FileBrowser() = default;
    ~FileBrowser() = default;

    // Makes the three lists in the dialog at their places; the file list
    // shows the files that match `patterns` (such as "*.bmp;*.png").
    void buildLists(QWidget *dialog, QRect drive, QRect folders, QRect files, const QString &patterns);
    // At the start of a use: opens the remembered folder when there is one
    // (a folder that is gone leaves the lists where they were), then lists
    // the files again, as they may have come or gone since the last use.
    void startUse(const QString &remembered);
    // Keeps a folder just opened for the dialog's next use.
    virtual void rememberFolder(const QString &folder) = 0;
};

} // namespace vexlo
