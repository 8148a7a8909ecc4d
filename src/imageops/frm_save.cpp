// The save dialog: its controls at their design places, its entry point and
// its event handlers.
#include "imageops/frm_save.h"

#include "common/drive_list.h"
#include "common/event_codes.h"
#include "common/failure_trap.h"
#include "common/file_list.h"
#include "common/folder_list.h"
#include "common/prompt.h"
#include "common/replace_question.h"
#include "imageops/sheet_writer.h"
#include "model/workspace.h"
#include "settings/app_path.h"

#include <QCloseEvent>
#include <QPushButton>

namespace vexlo {
namespace {

constexpr int kClientWidth = 362;
constexpr int kClientHeight = 323;
const QString kProgramName = QStringLiteral("Vexlo");

QPushButton *Button(QWidget *parent, const QString &caption, QRect geometry)
{
    auto *button = new QPushButton(caption, parent);
    button->setGeometry(geometry);
    button->setAutoDefault(false); // Enter in a list must not overwrite a file
    return button;
}

} // namespace

FrmSave::FrmSave(Workspace &workspace, QWidget *parent) : QDialog(parent), workspace_(workspace)
{
    setWindowTitle(QStringLiteral("Save image"));
    setFixedSize(kClientWidth, kClientHeight);
    buildControls();
}

void FrmSave::buildControls()
{
    Drive1 = new DriveList(this);
    Drive1->setGeometry(8, 8, 169, 21);
    connect(Drive1, &DriveList::driveChanged, this, &FrmSave::Drive1_Change);

    Dir1 = new FolderList(this);
    Dir1->setGeometry(8, 32, 169, 246);
    connect(Dir1, &FolderList::pathChanged, this, &FrmSave::Dir1_Change);
    connect(Dir1, &FolderList::keyDown, this, [this](int key, Qt::KeyboardModifiers modifiers) {
        Dir1_KeyDown(KeyCode(key), ShiftCode(modifiers));
    });

    File1 = new FileList(QStringLiteral("*.bmp;*.png"), Dir1->path(), this);
    File1->setGeometry(184, 8, 169, 266);

    BtnCancel = Button(this, QStringLiteral("Cancel"), QRect(96, 288, 81, 25));
    connect(BtnCancel, &QPushButton::clicked, this, &FrmSave::BtnCancel_Click);
    BtnSave[1] = Button(this, QStringLiteral("New name"), QRect(184, 288, 81, 25));
    BtnSave[0] = Button(this, QStringLiteral("Save"), QRect(272, 288, 81, 25));
    for (int index = 0; index < 2; ++index)
        connect(BtnSave[index], &QPushButton::clicked, this, [this, index] { BtnSave_Click(std::int16_t(index)); });

    QWidget *const order[] = {Drive1, Dir1, File1, BtnSave[0], BtnCancel, BtnSave[1]};
    for (std::size_t i = 0; i + 1 < std::size(order); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
}

void FrmSave::SaveImage(std::int16_t pane)
{
    SavePane = pane;
    closedByFrame_ = false;
    const Options &options = workspace_.options();
    if (options.isOn(OptSwitch::ChkRememberDirs) && Workspace::isIndex(pane) && !options.DefDirS(pane).isEmpty())
        Dir1->setPath(options.DefDirS(pane)); // a folder that is gone leaves the lists where they were
    File1->relist(); // the last save, for one, may have added a file
    exec();
}

void FrmSave::Drive1_Change()
{
    if (!Dir1->setPath(Drive1->drive()))
        Drive1->showDriveOf(Dir1->path()); // an unreadable drive: stay where we were
}

void FrmSave::Dir1_Change()
{
    if (Workspace::isIndex(SavePane))
        workspace_.options().setDefDirS(SavePane, Dir1->path());
    File1->setFolder(Dir1->path());
    Drive1->showDriveOf(Dir1->path());
}

void FrmSave::Dir1_KeyDown(std::int16_t KeyCode, std::int16_t)
{
    if (KeyCode == 13)
        Dir1->openSelected();
}

void FrmSave::BtnSave_Click(std::int16_t Index)
{
    const QString selected = File1->selectedName();
    const QString folder = AddBackslash(File1->folder());
    if (Index == 0) {
        if (selected.isEmpty()) {
            Prompt::current().message(Prompt::Icon::Critical, kProgramName, QStringLiteral("No file selected."));
            return;
        }
        write(folder + selected); // replaced without a question
        return;
    }
    const QString offered = folder + (selected.isEmpty() ? QStringLiteral("TileSet.bmp") : selected);
    // The answer is a whole path, used as typed: no extension is added.
    const QString path =
        Prompt::current().inputText(QStringLiteral("Enter filename: (.BMP or .PNG)"), kProgramName, offered);
    // A new name may be an old file's: replaced only when the user says so.
    if (!path.isEmpty() && MayReplace(path))
        write(path);
}

void FrmSave::write(const QString &path)
{
    // A failed write is shown and the dialog stays open for another try.
    RunTrapped([&] {
        WriteSheetFile(workspace_.sheet(SavePane), path);
        if (Workspace::isIndex(SavePane))
            workspace_.markPaneSaved(SavePane);
        hide();
    });
}

void FrmSave::BtnCancel_Click()
{
    hide();
}

void FrmSave::reject()
{
    BtnCancel_Click();
}

void FrmSave::closeEvent(QCloseEvent *event)
{
    closedByFrame_ = true;
    hide();
    event->accept();
}

} // namespace vexlo
