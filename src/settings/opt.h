#pragma once

#include "settings/options.h"

#include <QDialog>

#include <array>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace vexlo {

// The options dialog. It shows the settings record: a click on a check box
// changes the record at once, and a change of the record (the load and save
// dialogs keep the folders up to date) shows in the controls. It restores
// every setting from the settings file when it is loaded and writes them all
// back when it is unloaded. There is no Cancel: OK only hides the dialog.
class Opt : public QDialog {
    Q_OBJECT

public:
    explicit Opt(Options &options, QWidget *parent = nullptr);

    // Fills the version label and restores the settings.
    void Form_Load();
    // Writes every setting to the settings file.
    void Form_Unload();
    void BtnOK_Click();
    void BtnAbout_Click();
    void ChkRepTrans_Click();
    void ChkRepTransL_Click();
    void ChkRememberDirs_Click();
    void ChkStartWiz_Click();

    QCheckBox *ChkRepTrans = nullptr;
    QCheckBox *ChkRepTransL = nullptr;
    QCheckBox *ChkRememberDirs = nullptr;
    QCheckBox *ChkStartWiz = nullptr;
    // Never visible: the folders last used in the load (DefDir) and save
    // (DefDirS) dialogs, per pane.
    std::array<QLineEdit *, 2> DefDir{};
    std::array<QLineEdit *, 2> DefDirS{};
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QPushButton *BtnAbout = nullptr;
    QPushButton *BtnOK = nullptr;

private:
    void buildControls();
    QCheckBox *switchBox(OptSwitch which) const;
    void switchClicked(OptSwitch which);
    void showSwitch(OptSwitch which);
    void showFolders();

    Options &options_;
};

} // namespace vexlo
