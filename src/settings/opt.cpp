#include "settings/opt.h"

#include "about/frm_about.h"
#include "common/version_label.h"

#include <QCheckBox>
#include <QLabel>
#include <QPushButton>

namespace vexlo {
namespace {

constexpr int kClientWidth = 327;
constexpr int kClientHeight = 160;

QCheckBox *SwitchBox(QWidget *parent, const char *name, const QString &caption, const QString &tip,
                     QRect geometry)
{
    auto *box = new QCheckBox(caption, parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setToolTip(tip);
    box->setGeometry(geometry);
    return box;
}

// The small grey labels at the top right.
QLabel *CornerLabel(QWidget *parent, const char *name, const QString &text, int top)
{
    auto *label = new QLabel(text, parent);
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(206, top, 113, 13);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    QFont font = label->font();
    font.setPointSizeF(6);
    label->setFont(font);
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, QColor(128, 128, 128));
    label->setPalette(palette);
    return label;
}

// A box's state as the record keeps it: 0 clear, 1 ticked, 2 greyed.
std::int16_t CheckBoxValue(const QCheckBox &box)
{
    switch (box.checkState()) {
    case Qt::Unchecked:
        return 0;
    case Qt::Checked:
        return 1;
    case Qt::PartiallyChecked:
        break;
    }
    return 2;
}

// A state outside 0..2 leaves the box as it is.
void SetCheckBoxValue(QCheckBox &box, std::int16_t value)
{
    static constexpr Qt::CheckState kStates[] = {Qt::Unchecked, Qt::Checked, Qt::PartiallyChecked};
    if (value >= 0 && value <= 2)
        box.setCheckState(kStates[value]);
}

} // namespace

Opt::Opt(Options &options, QWidget *parent) : QDialog(parent), options_(options)
{
    setObjectName(QStringLiteral("Opt"));
    setWindowTitle(QStringLiteral("Options"));
    setFixedSize(kClientWidth, kClientHeight);
    // The layout's widths are made for a narrow 8-point font; a semi-condensed
    // default sans keeps every caption on its line.
    QFont narrow = font();
    narrow.setPointSizeF(8.25);
    narrow.setStretch(QFont::SemiCondensed);
    setFont(narrow);
    buildControls();

    for (OptSwitch which : {OptSwitch::ChkRepTrans, OptSwitch::ChkRepTransL, OptSwitch::ChkRememberDirs,
                            OptSwitch::ChkStartWiz})
        showSwitch(which);
    connect(&options_, &Options::stateChanged, this, &Opt::showSwitch);

    connect(ChkRepTrans, &QCheckBox::stateChanged, this, &Opt::ChkRepTrans_Click);
    connect(ChkRepTransL, &QCheckBox::stateChanged, this, &Opt::ChkRepTransL_Click);
    connect(ChkRememberDirs, &QCheckBox::stateChanged, this, &Opt::ChkRememberDirs_Click);
    connect(ChkStartWiz, &QCheckBox::stateChanged, this, &Opt::ChkStartWiz_Click);
    connect(BtnOK, &QPushButton::clicked, this, &Opt::BtnOK_Click);
    connect(BtnAbout, &QPushButton::clicked, this, &Opt::BtnAbout_Click);
}

// The tab order is set separately from the order of creation.
void Opt::buildControls()
{
    ChkStartWiz = SwitchBox(this, "ChkStartWiz",
                            QStringLiteral("Wizard mode - show options and load dialogue at startup"),
                            QStringLiteral("Options / load left / load right auto at startup"),
                            QRect(8, 80, 313, 17));
    ChkRememberDirs = SwitchBox(this, "ChkRememberDirs", QStringLiteral("Remember load/save directories"),
                                QStringLiteral("The directories for load/save and right/left last used will be "
                                               "saved when the program is closed and recalled when it is restarted."),
                                QRect(8, 56, 193, 17));
    ChkRepTransL = SwitchBox(this, "ChkRepTransL", QStringLiteral("Replace translucent colour"),
                             QStringLiteral("When copying tiles the translucent colour of the source image will be "
                                            "changed to the translucent colour of the second."),
                             QRect(8, 32, 193, 17));
    ChkRepTrans = SwitchBox(this, "ChkRepTrans", QStringLiteral("Replace transparent colour"),
                            QStringLiteral("When copying tiles the transpatent colour of the source image will be "
                                           "changed to the transparent colour of the second."),
                            QRect(8, 8, 193, 17));

    Label1 = CornerLabel(this, "Label1", QStringLiteral("Vexlo by the Vexlo developers"), 8);
    Label2 = CornerLabel(this, "Label2", QStringLiteral("Version $M.$I.$R."), 24);

    BtnAbout = new QPushButton(QStringLiteral("About"), this);
    BtnAbout->setObjectName(QStringLiteral("BtnAbout"));
    BtnAbout->setGeometry(152, 128, 81, 25);
    BtnAbout->setAutoDefault(false);
    BtnOK = new QPushButton(QStringLiteral("OK"), this);
    BtnOK->setObjectName(QStringLiteral("BtnOK"));
    BtnOK->setGeometry(240, 128, 81, 25);
    BtnOK->setDefault(true);

    QWidget *const tabOrder[] = {BtnAbout, BtnOK, ChkRepTrans, ChkRepTransL, ChkRememberDirs, ChkStartWiz};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

void Opt::Form_Load()
{
    Label2->setText(FillVersionLabel(Label2->text()));
}

void Opt::BtnOK_Click()
{
    hide();
}

void Opt::BtnAbout_Click()
{
    FrmAbout::ShowModal(this);
}

// The main window follows the record with its key-colour swatches, so a
// click here shows or hides them at once.
void Opt::ChkRepTrans_Click()
{
    switchClicked(OptSwitch::ChkRepTrans);
}

void Opt::ChkRepTransL_Click()
{
    switchClicked(OptSwitch::ChkRepTransL);
}

void Opt::ChkRememberDirs_Click()
{
    switchClicked(OptSwitch::ChkRememberDirs);
}

void Opt::ChkStartWiz_Click()
{
    switchClicked(OptSwitch::ChkStartWiz);
}

QCheckBox *Opt::switchBox(OptSwitch which) const
{
    switch (which) {
    case OptSwitch::ChkRepTrans:
        return ChkRepTrans;
    case OptSwitch::ChkRepTransL:
        return ChkRepTransL;
    case OptSwitch::ChkRememberDirs:
        return ChkRememberDirs;
    case OptSwitch::ChkStartWiz:
        return ChkStartWiz;
    case OptSwitch::ChkAlphaToKeys:
        break; // the load dialog's
    }
    return nullptr;
}

void Opt::switchClicked(OptSwitch which)
{
    QCheckBox *box = switchBox(which);
    // A greyed state comes only from an edited settings file; once changed,
    // the box goes back to plain ticking and clearing.
    if (box->checkState() != Qt::PartiallyChecked)
        box->setTristate(false);
    options_.setState(which, CheckBoxValue(*box));
}

void Opt::clickSwitch(OptSwitch which)
{
    if (QCheckBox *box = switchBox(which))
        box->click();
}

ShownControl Opt::shown(const QString &name) const
{
    ShownControl shown;
    const auto *control = findChild<QWidget *>(name);
    if (!control)
        return shown;
    shown.tip = control->toolTip();
    shown.geometry = control->geometry();
    shown.neededWidth = control->sizeHint().width();
    if (const auto *button = qobject_cast<const QAbstractButton *>(control))
        shown.text = button->text();
    else if (const auto *label = qobject_cast<const QLabel *>(control))
        shown.text = label->text();
    if (const auto *box = qobject_cast<const QCheckBox *>(control))
        shown.state = CheckBoxValue(*box);
    return shown;
}

void Opt::showSwitch(OptSwitch which)
{
    if (QCheckBox *box = switchBox(which))
        SetCheckBoxValue(*box, options_.state(which));
}

} // namespace vexlo
