#include "settings/opt.h"

#include "about/frm_about.h"
#include "common/version_label.h"
#include "settings/mod_save_opts.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
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
    box->setProperty("Tag", QStringLiteral("C"));
    box->setToolTip(tip);
    box->setGeometry(geometry);
    return box;
}

QLineEdit *FolderField(QWidget *parent, const char *name, int index)
{
    auto *field = new QLineEdit(parent);
    field->setObjectName(QString::fromLatin1(name));
    field->setProperty("Index", index);
    field->setProperty("Tag", QStringLiteral("T"));
    field->hide();
    return field;
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
    showFolders();
    connect(&options_, &Options::stateChanged, this, &Opt::showSwitch);
    connect(&options_, &Options::folderChanged, this, &Opt::showFolders);

    connect(ChkRepTrans, &QCheckBox::stateChanged, this, &Opt::ChkRepTrans_Click);
    connect(ChkRepTransL, &QCheckBox::stateChanged, this, &Opt::ChkRepTransL_Click);
    connect(ChkRememberDirs, &QCheckBox::stateChanged, this, &Opt::ChkRememberDirs_Click);
    connect(ChkStartWiz, &QCheckBox::stateChanged, this, &Opt::ChkStartWiz_Click);
    for (int pane = 0; pane < 2; ++pane) {
        connect(DefDir[pane], &QLineEdit::textChanged, this,
                [this, pane](const QString &folder) { options_.setDefDir(pane, folder); });
        connect(DefDirS[pane], &QLineEdit::textChanged, this,
                [this, pane](const QString &folder) { options_.setDefDirS(pane, folder); });
    }
    connect(BtnOK, &QPushButton::clicked, this, &Opt::BtnOK_Click);
    connect(BtnAbout, &QPushButton::clicked, this, &Opt::BtnAbout_Click);
}

// The order of creation is the order in which the settings are written to a
// new file; the tab order is set separately.
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
    DefDirS[1] = FolderField(this, "DefDirS", 1);
    DefDirS[0] = FolderField(this, "DefDirS", 0);
    DefDir[1] = FolderField(this, "DefDir", 1);
    DefDir[0] = FolderField(this, "DefDir", 0);
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

    QWidget *const tabOrder[] = {BtnAbout,  BtnOK,      ChkRepTrans, ChkRepTransL,    DefDir[0],
                                 DefDir[1], DefDirS[0], DefDirS[1],  ChkRememberDirs, ChkStartWiz};
    for (std::size_t i = 1; i < std::size(tabOrder); ++i)
        setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

void Opt::Form_Load()
{
    Label2->setText(FillVersionLabel(Label2->text()));
    QString file; // the settings file
    LoadControls(*this, file);
}

void Opt::Form_Unload()
{
    QString file; // the settings file
    SaveControls(*this, file);
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
// change here shows or hides them at once, also while settings are restored.
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
        break;
    }
    return ChkStartWiz;
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

void Opt::showSwitch(OptSwitch which)
{
    SetCheckBoxValue(*switchBox(which), options_.state(which));
}

void Opt::showFolders()
{
    for (int pane = 0; pane < 2; ++pane) {
        if (DefDir[pane]->text() != options_.DefDir(pane))
            DefDir[pane]->setText(options_.DefDir(pane));
        if (DefDirS[pane]->text() != options_.DefDirS(pane))
            DefDirS[pane]->setText(options_.DefDirS(pane));
    }
}

} // namespace vexlo
