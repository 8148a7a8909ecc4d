#pragma once

#include <QDialog>

#include <array>
#include <cstdint>

class QPushButton;

namespace vexlo {

class DriveList;
class FileList;
class FolderList;
class Workspace;

// The save dialog: the user picks a folder with the drive and folder lists,
// then overwrites a listed bitmap or PNG file ("Save") or types a path ("New
// name"); the pane's whole sheet is written as a PNG when the name ends in
// ".png", otherwise as a Windows bitmap. The folder shown is
// remembered per pane. Save and Cancel only hide the dialog, so its lists
// keep their folder for the next use; the frame's close box writes nothing
// and ends this dialog's life (closedByFrame), so its owner makes a new one.
class FrmSave : public QDialog {
    Q_OBJECT

public:
    explicit FrmSave(Workspace &workspace, QWidget *parent = nullptr);

    // Runs the dialog modally for the sheet of a pane (0 left, 1 right).
    void SaveImage(std::int16_t pane);

    void Drive1_Change();
    void Dir1_Change();
    void Dir1_KeyDown(std::int16_t KeyCode, std::int16_t Shift);
    // Index 0 "Save": overwrite the selected file; 1 "New name": ask for a path.
    void BtnSave_Click(std::int16_t Index);
    void BtnCancel_Click();

    // The pane whose sheet the current (or last) use saves.
    std::int16_t SavePane = 0;
    // True when the last use ended with the frame's close box.
    bool closedByFrame() const { return closedByFrame_; }

    DriveList *Drive1 = nullptr;
    FolderList *Dir1 = nullptr;
    FileList *File1 = nullptr;
    QPushButton *BtnCancel = nullptr;
    std::array<QPushButton *, 2> BtnSave{};

public slots:
    // Escape: as Cancel.
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildControls();
    void write(const QString &path);

    Workspace &workspace_;
    bool closedByFrame_ = false;
};

} // namespace vexlo
