#pragma once

#include <QListWidget>
#include <QString>
#include <QStringList>

namespace vexlo {

// The file list of the file dialogs: the files of one folder whose names
// match one of the patterns (without regard to case), hidden files left out,
// sorted by name. fileChosen is raised whenever a file becomes selected, by
// mouse or keyboard.
class FileList : public QListWidget {
    Q_OBJECT

public:
    // `patterns` is a semicolon-separated list such as "*.bmp;*.jpg".
    FileList(const QString &patterns, const QString &folder, QWidget *parent = nullptr);

    const QString &folder() const { return folder_; }
    // Lists the folder (again). A folder that cannot be listed changes
    // nothing: false.
    bool setFolder(const QString &folder);
    // Lists the same folder again, for files that came or went while the
    // list was not shown. The selected file stays selected while it is
    // there, without raising fileChosen.
    void relist();
    // Name of the selected file; empty when none is selected.
    QString selectedName() const;

signals:
    void fileChosen();

private:
    QStringList patterns_;
    QString folder_;
};

} // namespace vexlo
