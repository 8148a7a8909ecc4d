#pragma once

#include "settings/options.h"

#include <QDialog>
#include <QRect>
#include <QString>

class QCheckBox;
class QLabel;
class QPushButton;

namespace vexlo {

// A control of the options dialog as the user sees it.
struct ShownControl {
    QString text;
    QString tip;
    QRect geometry;
    int neededWidth = 0; // to show its text on one line
    int state = 0;       // a check box's: 0 clear, 1 ticked, 2 greyed
};

// The options dialog. It shows the settings record: a click on a check box
// changes the record at once, and a change of the record shows in the
// controls. The record itself is read and written by its owner. There is no
// Cancel: OK only hides the dialog.
class Opt : public QDialog {
    Q_OBJECT

public:
    explicit Opt(Options &options, QWidget *parent = nullptr);

    // Fills the version label.
    void Form_Load();
    void BtnOK_Click();
    void BtnAbout_Click();
    void ChkRepTrans_Click();
    void ChkRepTransL_Click();
    void ChkRememberDirs_Click();
    void ChkStartWiz_Click();

    // A click on the switch's box, as the user gives it.
    void clickSwitch(OptSwitch which);
    // The control of that object name ("ChkRepTrans", "Label2", "BtnOK" ...);
    // all empty for no such control.
    ShownControl shown(const QString &name) const;

private:
    void buildControls();
    // The box of a switch; null for one this dialog does not show.
    QCheckBox *switchBox(OptSwitch which) const;
    void switchClicked(OptSwitch which);
    void showSwitch(OptSwitch which);

    Options &options_;
    QCheckBox *ChkRepTrans = nullptr;
    QCheckBox *ChkRepTransL = nullptr;
    QCheckBox *ChkRememberDirs = nullptr;
    QCheckBox *ChkStartWiz = nullptr;
    QLabel *Label1 = nullptr;
    QLabel *Label2 = nullptr;
    QPushButton *BtnAbout = nullptr;
    QPushButton *BtnOK = nullptr;
};

} // namespace vexlo
