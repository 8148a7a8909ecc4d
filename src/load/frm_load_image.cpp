// The load dialog's entry point and event handlers.
#include "load/frm_load_image.h"

#include "common/failure.h"
#include "widgets/busy_pointer.h"
#include "widgets/file_list.h"
#include "widgets/folder_list.h"
#include "widgets/key_swatch.h"
#include "common/pane_placement.h"
#include "common/program_name.h"
#include "common/prompt.h"
#include "widgets/sheet_scroll.h"
#include "load/preview_box.h"
#include "model/sheet_actions.h"
#include "model/workspace.h"

#include <QCheckBox>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QUrl>

#include <algorithm>
#include <cmath>

namespace vexlo {

void FrmLoadImage::LoadImage(PaneIndex pane, std::int16_t &result, const QString &file)
{
    // Nothing in here reports a failure: a step that cannot be done is left out.
    setWindowTitle(pane == 0 ? QStringLiteral("Load left") : QStringLiteral("Load right"));
    LoadPane = pane;
    selection_.setAlphaToKeys(workspace_.options().isOn(OptSwitch::ChkAlphaToKeys));
    showSelection();
    startUse(workspace_.options().startFolder(FileDialog::Load, pane));
    if (!file.isEmpty())
        chooseGivenFile(file);

    exec();

    if (LoadCancelled == -1) {
        result = 0;
        return;
    }
    try {
        const BusyPointer busy;
        LoadSheet(workspace_, pane, selection_.preview(), selection_.transparent().colour,
                  selection_.translucent().colour,
                  PaneFile{selection_.fileName(), selection_.alphaToKeys() && selection_.hasTransparency()});
    } catch (const Failure &) {
        // the use still ended with Load
    }
    result = -1;
}

void FrmLoadImage::File1_Click()
{
    const QString name = File1->selectedName();
    if (!name.isEmpty())
        readFile(File1->folder(), name);
}

void FrmLoadImage::chooseGivenFile(const QString &path)
{
    const QFileInfo info(path);
    if (info.isDir()) {
        openFolder(info.absoluteFilePath());
        return;
    }
    openFolder(info.absolutePath()); // a folder that cannot be listed leaves the lists where they were
    File1->clearSelection(); // so choosing the file chosen last reads it afresh too
    // One the list does not show (gone, or a name it leaves out) is read all
    // the same, so the reason it is no sheet is shown.
    if (!chooseFile(info.fileName()))
        readFile(info.absolutePath(), info.fileName());
}

void FrmLoadImage::readFile(const QString &folder, const QString &name)
{
    TileSetScroll->setValue(0); // moves the previous preview to the top first
    {
        const BusyPointer busy;
        selection_.chooseFile(folder, name);
    }
    showSelection();
    FitScrollBar(*TileSetScroll, selection_.previewShown() ? TileSet->height() : 0, height());
}

void FrmLoadImage::rememberFolder(const QString &folder)
{
    workspace_.options().rememberFolder(FileDialog::Load, LoadPane, folder);
}

void FrmLoadImage::BtnExplore_Click()
{
    const QString folder = Dir1->path();
    if (!Prompt::current().openUrl(QUrl::fromLocalFile(folder)))
        Prompt::current().message(Prompt::Icon::None, ProgramName(),
                                  QStringLiteral("Could not open the folder %1 in the file manager.").arg(folder));
}

void FrmLoadImage::TileSetScroll_Change()
{
    const double top = PlacedSheetTop(TileSet->height(), height(), TileSetScroll->value(), TileSetScroll->maximum());
    TileSet->move(TileSet->x(), int(std::lround(top)));
    // Scrolled up, the picture goes on below the file name line, not over it.
    const int hidden = std::max(0, kPreviewTop - TileSet->y());
    if (hidden > 0)
        TileSet->setMask(QRect(0, hidden, TileSet->width(), std::max(1, TileSet->height() - hidden)));
    else
        TileSet->clearMask();
}

void FrmLoadImage::BtnLoad_Click()
{
    const QString refusal = selection_.loadRefusal();
    if (!refusal.isEmpty()) {
        Prompt::current().message(Prompt::Icon::Exclamation, ProgramName(), refusal);
        return;
    }
    LoadCancelled = 0;
    hide();
}

void FrmLoadImage::BtnCancel_Click()
{
    LoadCancelled = -1;
    hide();
}

void FrmLoadImage::reject()
{
    BtnCancel_Click();
}

void FrmLoadImage::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Escape)
        return; // Escape presses no Cancel here
    QDialog::keyPressEvent(event);
}

void FrmLoadImage::TileSet_MouseDown(std::int16_t Button, std::int16_t, int X, int Y)
{
    selection_.pick(Button, X, Y);
    showSelection();
}

void FrmLoadImage::BtnDefTrans_Click(std::int16_t Index)
{
    selection_.preset(Index);
    showSelection();
}

void FrmLoadImage::ChkAlphaToKeys_Click(bool on)
{
    workspace_.options().setState(OptSwitch::ChkAlphaToKeys, on ? 1 : 0);
    selection_.setAlphaToKeys(on);
    showSelection();
}

void FrmLoadImage::showSelection()
{
    FileName->setText(selection_.fileName());
    FileName->adjustSize();
    if (selection_.previewShown())
        TileSet->resize(selection_.preview().size());
    TileSet->setVisible(selection_.previewShown());
    TileSet->update();
    TransCol->setColour(selection_.transparent().colour);
    TransCol->setVisible(selection_.transparent().chosen);
    TransLCol->setColour(selection_.translucent().colour);
    TransLCol->setVisible(selection_.translucent().chosen);
    BtnLoad->setEnabled(selection_.loadEnabled());
    ChkAlphaToKeys->setChecked(selection_.alphaToKeys());
    ChkAlphaToKeys->setEnabled(selection_.hasTransparency());
}

} // namespace vexlo
