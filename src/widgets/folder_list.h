#pragma once

#include <QListWidget>
#include <QString>

namespace vexlo {

// True when the folder exists and its entries can be listed.
bool CanListFolder(const QString &folder);

// The folder list of the file dialogs: the current folder's ancestors from
// the root down, the current folder itself, then its sub-folders (hidden
// ones left out, sorted by name), each indented by its depth. A double click
// opens a folder; what keys do is up to the owner, which gets keyDown and
// calls openSelected for Enter.
class FolderList : public QListWidget {
    Q_OBJECT

public:
    // Starts in the process's current folder.
    explicit FolderList(QWidget *parent = nullptr);

    const QString &path() const { return path_; }
    // Shows the folder and raises pathChanged when it differs from the one
    // shown. A folder that cannot be listed changes nothing: false.
    bool setPath(const QString &folder);
    // The folder of the selected line; the current folder when none is.
    QString selectedPath() const;
    // Makes the selected folder the current one. When it cannot be listed,
    // the current folder is listed again and selected.
    void openSelected();

signals:
    void pathChanged(const QString &folder);
    void keyDown(int key, Qt::KeyboardModifiers modifiers);

protected:
    void keyPressEvent(QKeyEvent *event) override;

private:
    void fill();
    void addFolderLine(const QString &folder, const QString &name, int depth, bool open);

    QString path_;
};

} // namespace vexlo
