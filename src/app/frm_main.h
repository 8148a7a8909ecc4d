#pragma once

#include "common/pane_index.h"
#include "common/colour.h"
#include "widgets/sheet_scroll.h"

#include <QMainWindow>
#include <QPoint>
#include <QRect>

#include <array>
#include <cstdint>
#include <memory>

class QAction;
class QFrame;
class QLabel;
class QListView;
class QMenu;
class QPainter;
class QPushButton;
class QScrollBar;
class QToolButton;

namespace vexlo {

class BufferPreview;
class ClientArea;
class FrmColour;
class FrmKeyCheck;
class FrmMacroFile;
class FrmLoadImage;
class FrmSave;
class KeySwatch;
class Opt;
class RecoveryKeeper;
class SheetSurface;
class Workspace;

// The work window: two panes side by side, each a sheet with its scroll bar,
// tile locator, coordinate labels, key-colour swatches and tile preview, the
// tool strip across the top, the macro list at the right, and the menus.
// Handlers carry the names of the events they serve and are public, so tests
// can call them with an event's arguments.
class FrmMain : public QMainWindow {
    Q_OBJECT

public:
    // `programFolder` is where the executable lives; the settings and macro
    // files go there when it can be written (see InitAppPath).
    FrmMain(Workspace &workspace, QString programFolder, QWidget *parent = nullptr);
    ~FrmMain() override;

    Workspace &workspace() { return workspace_; }

    // Files to offer in the load dialogs at the start (left, then right),
    // as `vexlo LEFT RIGHT` names them; set before Form_Load.
    void setStartFiles(const QStringList &files) { startFiles_ = files; }
    void Form_Load();
    void Form_Resize();
    void Form_Paint(QPainter &painter);
    void Form_Unload();
    // True once Form_Unload has run: the program is ending (a signal may end
    // it during Form_Load, before the window is ever shown).
    bool unloaded() const { return unloaded_; }
    void TileSetScroll_Change(PaneIndex Index);
    void BtnImageOps_Click(PaneIndex Index);
    void BtnMacro_Click();

    // "Left" for OpsPane 0, "Right" for anything else.
    QString ImageOpsT() const;

    // The pane the image commands act on; set only by BtnImageOps_Click.
    PaneIndex opsPane() const { return OpsPane; }

    // The window's controls, for reading only: their places and looks.
    struct Controls {
        const QWidget *ToolBox;
        std::array<const QToolButton *, 2> BtnImageOps;
        std::array<const QLabel *, 2> LblX;
        std::array<const QLabel *, 2> LblY;
        std::array<const QLabel *, 4> Label1;
        std::array<const KeySwatch *, 2> TransCol;
        std::array<const KeySwatch *, 2> TransLCol;
        std::array<const QFrame *, 4> NoTransp;
        std::array<const BufferPreview *, 2> Chip;
        const QPushButton *BtnMacro;
        const QPushButton *BtnOpt;
        std::array<const SheetSurface *, 2> TileSet;
        std::array<const QFrame *, 2> Locator;
        std::array<const QScrollBar *, 2> TileSetScroll;
        const QListView *List1;
    };
    Controls controls() const;

    // What the window shows of a pane and of the macro, as plain values.
    struct PaneView {
        bool transparentShown = false;
        Colour transparent;
        bool translucentShown = false;
        Colour translucent;
        QRect sheet; // where the sheet lies in the client area
        int scrollValue = 0;
        QPoint locator; // the locator's place on the sheet
        QString column; // the coordinate labels
        QString row;
    };
    struct View {
        std::array<PaneView, 2> panes;
        bool macroShown = false;
    };
    View view() const;

    // The client area (below the menu bar), whose coordinates the layout uses.
    QWidget *clientArea() const;

    // Pointer interaction on the panes (frm_main_pointer.cpp). Button: 1 left,
    // 2 right, 4 middle; Shift: 1 Shift, 2 Ctrl, 4 Alt; X, Y: sheet pixels.
    void TileSet_MouseDown(PaneIndex Index, std::int16_t Button, std::int16_t Shift, float X, float Y);
    void TileSet_MouseMove(PaneIndex Index, std::int16_t Button, std::int16_t Shift, float X, float Y);
    void TileSet_DragOver(PaneIndex Index, const SheetSurface *Source, float X, float Y, std::int16_t State);
    void TileSet_DragDrop(PaneIndex Index, const SheetSurface *Source, float X, float Y);
    void TileSet_MouseUp(PaneIndex Index, std::int16_t Button, std::int16_t Shift, float X, float Y);
    // Whether a drop of what is dragged from `Source` at this point would
    // change anything (a block that does not fit would not).
    bool TileSet_DropAllowed(PaneIndex Index, const SheetSurface *Source, float X, float Y) const;
    // The drag started on a pane is over, dropped or not.
    void TileSet_DragEnd();
    // A key pressed in the window: Escape clears the selection of tiles.
    void Form_KeyDown(int KeyCode);
    // Column and row of the tile picked up by the last left-button press.
    QPoint dragTile() const { return QPoint(DragTileX, DragTileY); }

    // Unsaved work kept across closing (a recovery folder of this window's
    // own); Form_Load offers what an earlier Vexlo left, Form_Unload keeps
    // or removes this one's.
    RecoveryKeeper &recovery() { return *recovery_; }

    // Settings: the options dialog, created with the window and kept for the
    // whole run; Form_Load restores the settings into it (and, in wizard mode,
    // guides the user through it and the load dialog), Form_Unload saves them.
    Opt &opt() { return *opt_; }
    void BtnOpt_Click();
    void moptions_Click();
    void mabout_Click();

    // The Macro menu (frm_main_macro.cpp).
    void mrecord_Click();
    void mplay_Click();
    void mclearmacro_Click();
    void msavemacro_Click();
    void mhidemacro_Click();
    // The macro file dialog while it exists: from its first use until its
    // frame's close box ends it.
    FrmMacroFile *frmMacroFile() const { return frmMacroFile_.get(); }

    // Image loading: the load dialog is made on its first use and kept for
    // the run; the image menu's Load runs it for OpsPane.
    FrmLoadImage &frmLoadImage();

    // Image commands on OpsPane (frm_main_imageops.cpp). The save and colour
    // dialogs are made on their first use and kept; a save dialog closed
    // with its frame's close box is made again at the next Save, as the
    // macro file dialog is.
    FrmSave &frmSave();
    FrmColour &frmColour();
    FrmKeyCheck &frmKeyCheck();
    void mclear_Click();
    void mload_Click();
    void msave_Click();
    // Writes the sheet back to its pane's file with no dialog; unavailable
    // (and doing nothing) while the pane has no file Vexlo can write.
    void msaveback_Click();
    void mrepcol_Click();
    void mresize_Click();
    void mcheckkeys_Click();

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildToolBox();
    void buildPanes();
    void buildMenus();
    void showKeyColours(PaneIndex pane);
    void showFilesInTitle();
    void fitPaneScroll(PaneIndex pane);
    void showSwatchesForOptions();
    void placeCentred();
    void connectPointerHandlers();
    void selectTo(PaneIndex pane, float x, float y);
    void buildSettings();
    void connectImageCommands();
    void connectMacroMenu();
    void connectModel();
    // The options and load dialogs the start shows: the wizard's (unless
    // `wizard` is false: work was restored) and those for start files.
    void runStartupDialogs(bool wizard);
    // A file dropped on a pane: its load dialog with the file chosen.
    void TileSet_FileDrop(PaneIndex Index, const QString &path);

    PaneIndex OpsPane = 0;
    std::int32_t DragTileX = 0;
    std::int32_t DragTileY = 0;
    // The block being dragged (in tiles), empty while a single tile is.
    QRect draggedBlock_;
    // While a Shift drag selects: its pane and the tile where it began.
    bool selecting_ = false;
    PaneIndex selectingPane_ = 0;
    QPoint selectionAnchor_;

    // Tool strip.
    QWidget *ToolBox = nullptr;
    std::array<QToolButton *, 2> BtnImageOps{};
    std::array<QLabel *, 2> LblX{};
    std::array<QLabel *, 2> LblY{};
    std::array<QLabel *, 4> Label1{};
    std::array<KeySwatch *, 2> TransCol{};
    std::array<KeySwatch *, 2> TransLCol{};
    std::array<QFrame *, 4> NoTransp{};
    std::array<BufferPreview *, 2> Chip{};
    QPushButton *BtnMacro = nullptr;
    QPushButton *BtnOpt = nullptr;

    // Panes and macro list.
    std::array<SheetSurface *, 2> TileSet{};
    std::array<QFrame *, 2> Locator{};
    std::array<QScrollBar *, 2> TileSetScroll{};
    QListView *List1 = nullptr;

    // Menus.
    QMenu *mimageops = nullptr;
    QAction *mclear = nullptr;
    QAction *mload = nullptr;
    QAction *msave = nullptr;
    QAction *msaveback = nullptr;
    QAction *mrepcol = nullptr;
    QAction *mresize = nullptr;
    QAction *mcheckkeys = nullptr;
    QMenu *mmacro = nullptr;
    QAction *mrecord = nullptr;
    QAction *mplay = nullptr;
    QAction *mclearmacro = nullptr;
    QAction *msavemacro = nullptr;
    QAction *mhidemacro = nullptr;
    QMenu *medit = nullptr;
    QAction *mundo = nullptr; // the undo stack's own actions
    QAction *mredo = nullptr;
    QMenu *mview = nullptr;
    QAction *moptions = nullptr;
    QAction *mabout = nullptr;

    Workspace &workspace_;
    QString programFolder_;
    ClientArea *client_ = nullptr;
    Opt *opt_ = nullptr;
    RecoveryKeeper *recovery_ = nullptr;
    std::unique_ptr<FrmMacroFile> frmMacroFile_;
    FrmLoadImage *frmLoadImage_ = nullptr;
    std::unique_ptr<FrmSave> frmSave_;
    FrmColour *frmColour_ = nullptr;
    FrmKeyCheck *frmKeyCheck_ = nullptr;
    std::array<WheelSteps, 2> wheelSteps_;
    bool unloaded_ = false;
    QStringList startFiles_;
};

} // namespace vexlo
