#pragma once

#include "common/pane_index.h"
#include "tiles/key_check.h"

#include <QDialog>

class QLabel;
class QPushButton;
class QSpinBox;

namespace vexlo {

class Workspace;

// The key-colour check of a pane's sheet: finds the pixels within the
// distance chosen of either key colour that are not exactly it, says how
// many for each key and in how many tiles, has those tiles marked on the
// pane (until the sheet next changes) and offers to snap them to their keys
// as one undo step. Made once; the distance carries over between uses.
class FrmKeyCheck : public QDialog {
    Q_OBJECT

public:
    explicit FrmKeyCheck(Workspace &workspace, QWidget *parent = nullptr);

    // Checks the pane's sheet at once and shows the dialog modally.
    void CheckKeys(PaneIndex pane);

    void BtnCheck_Click();
    void BtnSnap_Click();

private:
    void show(const KeyCheck &check);

    Workspace &workspace_;
    PaneIndex pane_ = 0;
    QSpinBox *Distance = nullptr;
    QLabel *Result = nullptr;
    QPushButton *BtnCheck = nullptr;
    QPushButton *BtnSnap = nullptr;
    QPushButton *BtnClose = nullptr;
};

} // namespace vexlo
