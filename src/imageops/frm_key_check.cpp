#include "imageops/frm_key_check.h"

#include "model/sheet_actions.h"
#include "model/workspace.h"
#include "widgets/failure_trap.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace vexlo {
namespace {

QString Found(std::int64_t pixels, int tiles, const QString &key, Colour colour)
{
    return QStringLiteral("Near the %1 key %2: %3 pixels in %4 tiles").arg(key, HexTriplet(colour)).arg(pixels).arg(tiles);
}

} // namespace

FrmKeyCheck::FrmKeyCheck(Workspace &workspace, QWidget *parent) : QDialog(parent), workspace_(workspace)
{
    setWindowTitle(QStringLiteral("Check key colours"));
    auto *grid = new QGridLayout(this);
    grid->addWidget(new QLabel(QStringLiteral("Distance (largest channel difference):"), this), 0, 0);
    Distance = new QSpinBox(this);
    Distance->setRange(kMinKeyDistance, kMaxKeyDistance);
    Distance->setValue(kDefaultKeyDistance);
    grid->addWidget(Distance, 0, 1);
    BtnCheck = new QPushButton(QStringLiteral("Check"), this);
    grid->addWidget(BtnCheck, 0, 2);
    Result = new QLabel(this);
    Result->setMinimumWidth(360);
    Result->setWordWrap(true); // the snap's sentence and the counts under it
    grid->addWidget(Result, 1, 0, 1, 3);
    BtnSnap = new QPushButton(QStringLiteral("Snap to keys"), this);
    BtnSnap->setToolTip(QStringLiteral("Set every pixel found to its key colour (one undo step)"));
    grid->addWidget(BtnSnap, 2, 1);
    BtnClose = new QPushButton(QStringLiteral("Close"), this);
    grid->addWidget(BtnClose, 2, 2);
    connect(BtnCheck, &QPushButton::clicked, this, [this] { RunTrapped([this] { BtnCheck_Click(); }); });
    connect(BtnSnap, &QPushButton::clicked, this, [this] { RunTrapped([this] { BtnSnap_Click(); }); });
    connect(BtnClose, &QPushButton::clicked, this, &QDialog::accept);
}

void FrmKeyCheck::CheckKeys(PaneIndex pane)
{
    pane_ = pane;
    setWindowTitle(pane == 0 ? QStringLiteral("Check key colours: left") : QStringLiteral("Check key colours: right"));
    BtnCheck_Click();
    exec();
}

void FrmKeyCheck::BtnCheck_Click()
{
    show(CheckSheetKeys(workspace_, pane_, Distance->value()));
}

void FrmKeyCheck::BtnSnap_Click()
{
    const auto snapped = SnapSheetToKeys(workspace_, pane_, Distance->value());
    show(CheckSheetKeys(workspace_, pane_, Distance->value()));
    Result->setText(QStringLiteral("Snapped %1 pixels to the transparent key and %2 to the translucent key.\n")
                        .arg(snapped[0]).arg(snapped[1])
                    + Result->text());
}

void FrmKeyCheck::show(const KeyCheck &check)
{
    const Colour keys[2] = {workspace_.transparentKey(pane_), workspace_.translucentKey(pane_)};
    Result->setText(check.clean() ? QStringLiteral("No pixel is near a key colour.")
                                  : Found(check.pixels[0], check.tiles[0], QStringLiteral("transparent"), keys[0])
                                        + u'\n'
                                        + Found(check.pixels[1], check.tiles[1], QStringLiteral("translucent"), keys[1]));
    BtnSnap->setEnabled(!check.clean());
}

} // namespace vexlo
