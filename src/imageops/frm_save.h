#pragma once

#include "common/pane_index.h"
#include "widgets/file_browser.h"

#include <QDialog>

#include <array>
#include <cstdint>

class QCheckBox;
class QPushButton;

namespace vexlo {

class Workspace;

// The save dialog: the user picks a folder with the drive and folder lists,
// then overwrites a listed bitmap or PNG file ("Save") or types a path ("New
// name"); the pane's whole sheet is written as a PNG when the name ends in
// ".png", otherwise as a Windows bitmap; a PNG file with the pane's key
// colours as transparency when "Keys as alpha" is ticked (available for a
// PNG name, or none selected yet, for New name). The folder shown is
// remembered per pane. Save and Cancel end a use Accepted, so its owner
// keeps it and its lists keep their folder for the next use; the frame's
// close box writes nothing and ends it Rejected: its owner drops it and
// makes a new one.
class FrmSave : public QDialog, public FileBrowser {
    Q_OBJECT

public:
    explicit FrmSave(Workspace &workspace, QWidget *parent = nullptr);

    // Runs the dialog modally for the sheet of a pane (0 left, 1 right).
    void SaveImage(PaneIndex pane);

    // Index 0 "Save": overwrite the selected file; 1 "New name": ask for a path.
    // Fails (vexlo::Failure) when nothing is selected or the write fails; the
    // buttons' glue shows the failure and the dialog stays open.
    void BtnSave_Click(std::int16_t Index);
    void BtnCancel_Click();

    // The pane whose sheet the current (or last) use saves.
    PaneIndex SavePane = 0;

    // The dialog's controls, for reading only: their places and looks.
    struct Controls {
        const DriveList *Drive1;
        const FolderList *Dir1;
        const FileList *File1;
        const QPushButton *BtnCancel;
        std::array<const QPushButton *, 2> BtnSave;
        const QCheckBox *ChkKeysToAlpha;
    };
    Controls controls() const;

public slots:
    // Escape: as Cancel.
    void reject() override;

protected:
    void closeEvent(QCloseEvent *event) override;
    void rememberFolder(const QString &folder) override;

private:
    QPushButton *BtnCancel = nullptr;
    std::array<QPushButton *, 2> BtnSave{};
    QCheckBox *ChkKeysToAlpha = nullptr;

    void buildControls();
    void showKeysToAlpha();
    void write(const QString &path);

    Workspace &workspace_;
};

} // namespace vexlo
