#pragma once

#include <QRect>
#include <QString>
#include <QStringList>

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
    void Drive1_Change();
    void Dir1_Change();
    void Dir1_KeyDown(std::int16_t KeyCode, std::int16_t Shift);

    // What the user does in the lists; each list raises its events as it
    // does in use. Opening a folder that cannot be listed changes nothing:
    // false. Choosing selects a listed file as a click on it does: false
    // when the file is not listed.
    bool openFolder(const QString &folder);
    void pickDrive(const QString &root);
    void listFilesAgain();
    bool chooseFile(const QString &name);

    // What the lists show, as plain values.
    struct Lists {
        QString drive;
        QString folder; // the folder list's current folder
        int folderLines = 0;
        QString filesFolder; // the folder whose files are listed
        QStringList files;
        QString chosenFile; // the selected file's name; empty for none
    };
    Lists lists() const;

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

    DriveList *Drive1 = nullptr;
    FolderList *Dir1 = nullptr;
    FileList *File1 = nullptr;
};

} // namespace vexlo
