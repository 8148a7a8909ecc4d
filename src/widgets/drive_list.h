#pragma once

#include <QComboBox>
#include <QString>

namespace vexlo {

// The drive list of the file dialogs: the root folders of the mounted
// volumes that are ready, "/" first. driveChanged is raised when the user
// picks one.
class DriveList : public QComboBox {
    Q_OBJECT

public:
    // Starts on the volume that holds the process's current folder.
    explicit DriveList(QWidget *parent = nullptr);

    // Root folder of the volume shown.
    QString drive() const { return currentText(); }
    // Shows the volume that holds the folder, without raising driveChanged.
    void showDriveOf(const QString &folder);

    void showPopup() override;

signals:
    void driveChanged(const QString &root);

private:
    void listVolumes();
};

} // namespace vexlo
