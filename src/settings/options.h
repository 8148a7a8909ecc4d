#pragma once

#include "common/pane_index.h"
#include <QObject>
#include <QString>

#include <array>
#include <cstdint>

namespace vexlo {

// The switches of the settings, each holding a check-box state: 0 clear,
// 1 ticked, 2 greyed (only an edited settings file gives 2). ChkAlphaToKeys
// is the load dialog's "transparency as key colours".
enum class OptSwitch { ChkRepTrans, ChkRepTransL, ChkRememberDirs, ChkStartWiz, ChkAlphaToKeys };

// The file dialogs that remember a folder per pane.
enum class FileDialog { Load, Save };

// The program's one set of settings, for the whole run. The options dialog
// shows and edits it, the main window reads it from the settings file at the
// start and writes it back at closing; everything else reads and writes it here.
class Options : public QObject {
    Q_OBJECT

public:
    explicit Options(QObject *parent = nullptr) : QObject(parent) {}

    std::int16_t state(OptSwitch which) const { return states_[std::size_t(which)]; }
    void setState(OptSwitch which, std::int16_t state);

    // A switch counts as on when its state is not 0 ...
    bool isOn(OptSwitch which) const { return state(which) != 0; }
    // ... except wizard mode, which needs exactly 1.
    bool wizardMode() const { return state(OptSwitch::ChkStartWiz) == 1; }

    // Folder last shown in the load (DefDir) and save (DefDirS) dialog, per pane.
    QString DefDir(PaneIndex pane) const { return folder(FileDialog::Load, pane); }
    QString DefDirS(PaneIndex pane) const { return folder(FileDialog::Save, pane); }
    void setDefDir(PaneIndex pane, const QString &folder) { setFolder(FileDialog::Load, pane, folder); }
    void setDefDirS(PaneIndex pane, const QString &folder) { setFolder(FileDialog::Save, pane, folder); }

    // The folder a file dialog starts a use in for a pane: the one it showed
    // last while folders are remembered; empty otherwise, and for no pane.
    QString startFolder(FileDialog dialog, PaneIndex pane) const;
    // Keeps the folder a file dialog shows for a pane; no pane keeps none.
    void rememberFolder(FileDialog dialog, PaneIndex pane, const QString &folder);

    // The section [Opt] of a settings file holds the whole record, key by
    // key: ChkStartWiz, ChkRememberDirs, DefDirS1, DefDirS0, DefDir1, DefDir0,
    // ChkRepTransL, ChkRepTrans, ChkAlphaToKeys, in that order in a new file
    // (a file from before ChkAlphaToKeys gets it added at the end). A switch is
    // stored as its state, a folder as its text.
    //
    // Reading: a missing file, section or key keeps the value in the record.
    // A switch takes the stored number rounded half to even when that is
    // 0, 1 or 2 and keeps its state otherwise ("True" reads as -1, a text
    // without a number as 0). A folder keeps at most 2047 characters.
    void load(const QString &file);
    // Writes every key in one update of the file, each replaced where it
    // stands. False when nothing could be written; the program ignores that.
    bool save(const QString &file) const;

signals:
    void stateChanged(vexlo::OptSwitch which);

private:
    static bool isPane(PaneIndex pane) { return pane == 0 || pane == 1; }
    QString folder(FileDialog dialog, PaneIndex pane) const;
    void setFolder(FileDialog dialog, PaneIndex pane, const QString &folder);

    // New-installation values: ChkRepTrans ticked, ChkRepTransL clear,
    // ChkRememberDirs ticked, ChkStartWiz ticked, ChkAlphaToKeys clear, no folders.
    std::array<std::int16_t, 5> states_{1, 0, 1, 1, 0};
    std::array<std::array<QString, 2>, 2> folders_; // by FileDialog, then pane
};

} // namespace vexlo
