// The main window's start-up, placement, resize, paint, popup and closing handlers.
#include "app/frm_main.h"

#include "app/client_area.h"
#include "app/sheet_surface.h"
#include "app/window_title.h"
#include "imageops/sheet_save.h"
#include "common/colour.h"
#include "common/failure.h"
#include "widgets/key_swatch.h"
#include "common/pane_placement.h"
#include "common/program_name.h"
#include "common/prompt.h"
#include "model/workspace.h"
#include "recovery/recovery_keeper.h"
#include "settings/app_path.h"
#include "settings/opt.h"

#include <QApplication>
#include <QCloseEvent>
#include <QListView>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QStyle>
#include <QToolButton>

#include <cmath>

namespace vexlo {

void FrmMain::Form_Load()
{
    mimageops->menuAction()->setVisible(false); // reached only through the arrow buttons
    InitAppPath(programFolder_);
    TileSetScroll_Change(0);
    TileSetScroll_Change(1);
    // Every setting is restored before anything reads it; the swatches follow.
    workspace_.options().load(IniPath());
    opt_->Form_Load();
    // Work left by an earlier Vexlo comes first; restored, it is where the
    // user goes on, so the wizard does not start.
    const bool restored = recovery_->offerLeftWork();
    if (restored && workspace_.macro().count() > 0)
        List1->show(); // a macro that came back is seen to be back
    runStartupDialogs(!restored);
}

void FrmMain::TileSetScroll_Change(PaneIndex Index)
{
    SheetSurface *sheet = TileSet.at(Index);
    const int maximum = ScrollMaximum(sheet->height(), client_->height());
    const double top = PlacedSheetTop(sheet->height(), client_->height(), workspace_.scrollValue(Index), maximum);
    sheet->move(sheet->x(), int(std::lround(top)));
}

// The scroll bar shows the workspace's value in the range of the pane's
// sheet. Quietly: a value the bar cannot show yet (an undo may put a tall
// sheet's value back before the sheet itself) stays in the workspace.
void FrmMain::fitPaneScroll(PaneIndex pane)
{
    QScrollBar *bar = TileSetScroll.at(pane);
    FitScrollBar(*bar, TileSet.at(pane)->height(), client_->height());
    const QSignalBlocker quiet(bar);
    bar->setValue(workspace_.scrollValue(pane));
}

void FrmMain::Form_Resize()
{
    const int height = client_->height() - List1->y() - 8;
    if (height >= 0) // a negative height is refused, and the list keeps its old one
        List1->resize(List1->width(), height);
    // The panes are placed again by their values in the new height, so the
    // last row stays within reach of the bar's end.
    for (const PaneIndex pane : {0, 1}) {
        fitPaneScroll(pane);
        TileSetScroll_Change(pane);
    }
}

void FrmMain::Form_Paint(QPainter &painter)
{
    const int stripLeft = ToolBox->width();
    if (client_->width() > stripLeft)
        painter.fillRect(QRect(QPoint(stripLeft, 0), QPoint(client_->width(), client_->height())),
                         QColor::fromRgb(kWorkspaceGrey));
}

QString FrmMain::ImageOpsT() const
{
    return OpsPane == 0 ? QStringLiteral("Left") : QStringLiteral("Right");
}

void FrmMain::BtnImageOps_Click(PaneIndex Index)
{
    OpsPane = Index;
    msaveback->setEnabled(CanSaveBack(workspace_, Index));
    const QWidget *button = BtnImageOps.at(Index);
    mimageops->popup(ToolBox->mapToGlobal(QPoint(button->x(), button->y() + button->height())));
}

void FrmMain::BtnMacro_Click()
{
    mmacro->popup(ToolBox->mapToGlobal(QPoint(BtnMacro->x(), BtnMacro->y() + BtnMacro->height())));
}

void FrmMain::Form_Unload()
{
    unloaded_ = true;
    workspace_.options().save(IniPath()); // writes every setting
    // Closing is never refused; what cannot be kept is at least not lost silently.
    try {
        recovery_->keep();
    } catch (const Failure &failure) {
        Prompt::current().message(Prompt::Icon::Critical, ProgramName(),
                                  QStringLiteral("The unsaved work could not be kept: %1").arg(failure.description()));
    }
    QCoreApplication::quit();
}

void FrmMain::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

void FrmMain::connectModel()
{
    showKeyColours(0);
    showKeyColours(1);
    showSwatchesForOptions();
    connect(&workspace_, &Workspace::keyColoursChanged, this, &FrmMain::showKeyColours);
    connect(&workspace_.options(), &Options::stateChanged, this, &FrmMain::showSwatchesForOptions);
    // A pane is placed by its scroll value, whoever changed it; undo and redo
    // place both panes once a whole step is back, its heights and values
    // together.
    connect(&workspace_, &Workspace::scrollValueChanged, this, [this](PaneIndex pane) {
        fitPaneScroll(pane);
        TileSetScroll_Change(pane);
    });
    connect(&workspace_, &Workspace::stepPutBack, this, [this] {
        TileSetScroll_Change(0);
        TileSetScroll_Change(1);
    });
    showFilesInTitle();
    connect(&workspace_, &Workspace::savedStateChanged, this, &FrmMain::showFilesInTitle);
}

void FrmMain::showKeyColours(PaneIndex pane)
{
    const Colour transparent = workspace_.transparentKey(pane);
    const Colour translucent = workspace_.translucentKey(pane);
    TransCol.at(pane)->setColour(transparent);
    TransCol.at(pane)->setToolTip(QStringLiteral("Transparent colour ") + HexTriplet(transparent));
    TransLCol.at(pane)->setColour(translucent);
    TransLCol.at(pane)->setToolTip(QStringLiteral("Translucent (shadow) colour ") + HexTriplet(translucent));
}

void FrmMain::showFilesInTitle()
{
    std::array<PaneTitle, 2> panes;
    for (PaneIndex pane = 0; pane < 2; ++pane)
        panes[pane] = {workspace_.paneFile(pane).path, workspace_.paneUnsaved(pane)};
    setWindowTitle(WindowTitle(panes));
}

// A hidden swatch uncovers its placeholder; the swatches show exactly the
// replacements that are switched on.
void FrmMain::showSwatchesForOptions()
{
    const Options &options = workspace_.options();
    for (PaneIndex pane = 0; pane < 2; ++pane) {
        TransCol[pane]->setVisible(options.isOn(OptSwitch::ChkRepTrans));
        TransLCol[pane]->setVisible(options.isOn(OptSwitch::ChkRepTransL));
    }
}

void FrmMain::placeCentred()
{
    if (const QScreen *screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
}

} // namespace vexlo
