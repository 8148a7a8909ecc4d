#pragma once

#include <QDialog>

#include <array>
#include <cstdint>

class QPushButton;

namespace vexlo {

class FileList;
class Workspace;

// The macro file dialog: saves the macro as a ".vmi" file in the program's
// folder, or replaces the macro with one loaded from there. It has no cancel
// button; the frame's close box dismisses it.
class FrmMacroFile : public QDialog {
    Q_OBJECT

public:
    explicit FrmMacroFile(Workspace &workspace, QWidget *parent = nullptr);

    // Lists the program folder's macro files again, so files saved since the
    // last showing are there.
    void Form_Activate();
    // Load and save fail (vexlo::Failure) when nothing is selected or the
    // file cannot be read or written; the buttons' glue shows the failure.
    void BtnLoad_Click();
    // Index 0 "Save: Over" writes the selected file, 1 "Save: New" asks for a name.
    void BtnSave_Click(std::int16_t Index);

    // Selects a listed file as a click on it does: false when it is not listed.
    bool chooseFile(const QString &name);
    // The names the list shows, in its order.
    QStringList listedFiles() const;

    // The dialog's controls, for reading only: their places and looks.
    struct Controls {
        const FileList *File1;
        const QPushButton *BtnLoad;
        std::array<const QPushButton *, 2> BtnSave;
    };
    Controls controls() const;

protected:
    void showEvent(QShowEvent *event) override;

private:
    FileList *File1 = nullptr;
    QPushButton *BtnLoad = nullptr;
    std::array<QPushButton *, 2> BtnSave{};

    // Folder plus the selected name; fails when nothing is selected.
    QString selectedPath() const;

    Workspace &workspace_;
};

} // namespace vexlo
