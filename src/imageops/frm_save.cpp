// The save dialog: its controls at their design places, its entry point and
// its event handlers.
#include "imageops/frm_save.h"

#include "widgets/drive_list.h"
#include "common/failure.h"
#include "widgets/failure_trap.h"
#include "widgets/file_list.h"
#include "widgets/folder_list.h"
#include "widgets/form_controls.h"
#include "common/program_name.h"
#include "common/prompt.h"
#include "widgets/replace_question.h"
#include "io/path_join.h"
#include "imageops/sheet_save.h"
#include "io/sheet_writer.h"
#include "model/workspace.h"
#include "settings/app_path.h"

#include <QCheckBox>
#include <QCloseEvent>
#include <QPushButton>

namespace vexlo {
namespace {

constexpr int kClientWidth = 362;
constexpr int kClientHeight = 323;

} // namespace

FrmSave::FrmSave(Workspace &workspace, QWidget *parent) : QDialog(parent), workspace_(workspace)
{
    setWindowTitle(QStringLiteral("Save image"));
    setFixedSize(kClientWidth, kClientHeight);
    buildControls();
}

void FrmSave::buildControls()
{
    buildLists(this, QRect(8, 8, 169, 21), QRect(8, 32, 169, 246), QRect(184, 8, 169, 266),
                 QStringLiteral("*.bmp;*.png"));

    BtnCancel = Button(this, QStringLiteral("Cancel"), QRect(96, 288, 81, 25));
    connect(BtnCancel, &QPushButton::clicked, this, &FrmSave::BtnCancel_Click);
    BtnSave[1] = Button(this, QStringLiteral("New name"), QRect(184, 288, 81, 25));
    BtnSave[0] = Button(this, QStringLiteral("Save"), QRect(272, 288, 81, 25));
    for (int index = 0; index < 2; ++index)
        connect(BtnSave[index], &QPushButton::clicked, this,
                [this, index] { RunTrapped([&] { BtnSave_Click(std::int16_t(index)); }); });

    ChkKeysToAlpha = new QCheckBox(QStringLiteral("Keys as alpha"), this);
    ChkKeysToAlpha->setFont(SmallFont(6.75));
    ChkKeysToAlpha->setGeometry(8, 292, 86, 17);
    ChkKeysToAlpha->setToolTip(QStringLiteral(
        "Write the transparent key colour as fully transparent and the translucent one as black at half "
        "transparency (PNG files only)"));
    connect(File1, &QListWidget::itemSelectionChanged, this, &FrmSave::showKeysToAlpha);

    QWidget *const order[] = {Drive1, Dir1, File1, ChkKeysToAlpha, BtnSave[0], BtnCancel, BtnSave[1]};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
}

FrmSave::Controls FrmSave::controls() const
{
    return {Drive1, Dir1, File1, BtnCancel, ReadOnly(BtnSave), ChkKeysToAlpha};
}

void FrmSave::showKeysToAlpha()
{
    const QString selected = File1->selectedName();
    ChkKeysToAlpha->setEnabled(selected.isEmpty() || NamesPngFile(selected));
}

void FrmSave::SaveImage(PaneIndex pane)
{
    SavePane = pane;
    startUse(workspace_.options().startFolder(FileDialog::Save, pane));
    showKeysToAlpha();
    exec();
}

void FrmSave::rememberFolder(const QString &folder)
{
    workspace_.options().rememberFolder(FileDialog::Save, SavePane, folder);
}

void FrmSave::BtnSave_Click(std::int16_t Index)
{
    const QString selected = File1->selectedName();
    const QString folder = JoinPath(File1->folder(), {});
    if (Index == 0) {
        if (selected.isEmpty())
            throw Failure(QStringLiteral("No file selected."));
        write(folder + selected); // replaced without a question
        return;
    }
    const QString offered = folder + (selected.isEmpty() ? QStringLiteral("TileSet.bmp") : selected);
    // The answer is a whole path, used as typed: no extension is added.
    const QString path =
        Prompt::current().inputText(QStringLiteral("Enter filename: (.BMP or .PNG)"), ProgramName(), offered);
    // A new name may be an old file's: replaced only when the user says so.
    if (!path.isEmpty() && MayReplace(path))
        write(path);
}

void FrmSave::write(const QString &path)
{
    // A failed or declined write leaves the dialog open for another try.
    if (SaveSheet(workspace_, SavePane, PaneFile{path, ChkKeysToAlpha->isChecked()}))
        accept();
}

void FrmSave::BtnCancel_Click()
{
    accept(); // kept, with its lists, for the next use
}

void FrmSave::reject()
{
    BtnCancel_Click();
}

void FrmSave::closeEvent(QCloseEvent *event)
{
    QDialog::reject(); // not Escape's Cancel: the close box ends this dialog's life
    event->accept();
}

} // namespace vexlo
