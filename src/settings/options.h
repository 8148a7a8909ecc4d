#pragma once

#include <QObject>
#include <QString>

#include <array>
#include <cstdint>

namespace vexlo {

// The four switches of the settings, each holding a check-box state:
// 0 clear, 1 ticked, 2 greyed (only an edited settings file gives 2).
enum class OptSwitch { ChkRepTrans, ChkRepTransL, ChkRememberDirs, ChkStartWiz };

// The file dialogs that remember a folder per pane.
enum class FileDialog { Load, Save };

// The program's one set of settings, for the whole run. The options dialog
// shows it and persists it; everything else reads and writes it here.
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
    QString DefDir(int pane) const { return defDir_.at(std::size_t(pane)); }
    QString DefDirS(int pane) const { return defDirS_.at(std::size_t(pane)); }
    void setDefDir(int pane, const QString &folder);
    void setDefDirS(int pane, const QString &folder);

    // The folder a file dialog starts a use in for a pane: the one it showed
    // last while folders are remembered; empty otherwise, and for no pane.
    QString startFolder(FileDialog dialog, int pane) const;
    // Keeps the folder a file dialog shows for a pane; no pane keeps none.
    void rememberFolder(FileDialog dialog, int pane, const QString &folder);

signals:
    void stateChanged(vexlo::OptSwitch which);
    void folderChanged();

private:
    static bool isPane(int pane) { return pane == 0 || pane == 1; }
    void setFolder(std::array<QString, 2> &folders, int pane, const QString &folder);

    // New-installation values: ChkRepTrans ticked, ChkRepTransL clear,
    // ChkRememberDirs ticked, ChkStartWiz ticked.
    std::array<std::int16_t, 4> states_{1, 0, 1, 1};
    std::array<QString, 2> defDir_;
    std::array<QString, 2> defDirS_;
};

} // namespace vexlo
