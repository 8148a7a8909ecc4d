#pragma once

#include <QListWidget>
#include <QString>
#include <QStringList>

namespace vexlo {

// The file list of the file dialogs: the files of one folder whose names
// match one of the patterns (without regard to case), hidden files left out,
// sorted by name. fileChosen is raised whenever a file is chosen: when one
// becomes selected, by mouse or keyboard, and also when the selected one is
// clicked again or Enter or Space is pressed on it.
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
    // Selects a listed file as a click on it does; false when it is not listed.
    bool choose(const QString &name);
    // The names listed, in their order.
    QStringList names() const;

signals:
    void fileChosen();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QStringList patterns_;
    QString folder_;
    bool selectedByPress_ = false; // the press of the click now under way chose a file already
};

} // namespace vexlo
