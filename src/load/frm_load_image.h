#pragma once

#include "common/pane_index.h"
#include "common/colour.h"
#include "widgets/file_browser.h"
#include "widgets/sheet_scroll.h"
#include "load/load_selection.h"

#include <QDialog>

#include <array>
#include <cstdint>

class QCheckBox;
class QLabel;
class QPushButton;
class QScrollBar;

namespace vexlo {

class KeySwatch;
class PreviewBox;
class Workspace;

// The load dialog: the user finds a picture file, sees it checked against
// the sheet rules and previewed, picks its two key colours on the preview and
// ends with Load (the sheet and its key colours go into a pane) or Cancel.
// It is made once and only hidden between uses, so everything in it carries
// over from one use to the next.
class FrmLoadImage : public QDialog, public FileBrowser {
    Q_OBJECT

public:
    // Where the preview's picture starts, below the file name line.
    static constexpr int kPreviewTop = 32;

    explicit FrmLoadImage(Workspace &workspace, QWidget *parent = nullptr);

    // Runs the dialog modally for a pane (0 left, anything else is captioned
    // right). result: -1 when the use ended with Load and the pane was
    // filled, 0 when it ended with Cancel or the frame's close box. A `file`
    // given (from the command line or a drop) is chosen first, as a click on
    // it in the file list would, its folder shown; a folder is opened.
    void LoadImage(PaneIndex pane, std::int16_t &result, const QString &file = {});

    void File1_Click();
    void BtnExplore_Click();
    void TileSetScroll_Change();
    void BtnLoad_Click();
    void BtnCancel_Click();
    // Button: 1 left, 2 right, 4 middle; X, Y in the preview's own pixels.
    void TileSet_MouseDown(std::int16_t Button, std::int16_t Shift, int X, int Y);
    void BtnDefTrans_Click(std::int16_t Index);
    // The "transparency as key colours" check box; remembered in the settings.
    void ChkAlphaToKeys_Click(bool on);

    // The pane of the current (or last) use, and how the last use ended:
    // -1 after Cancel, 0 after Load.
    PaneIndex LoadPane = 0;
    std::int16_t LoadCancelled = 0;

    const LoadSelection &selection() const { return selection_; }

    // Moves the preview's scroll bar, as letting go of its thumb there does.
    void scrollPreview(int value);

    // What the dialog shows, as plain values.
    struct View {
        QString fileName; // the path chosen, or why it was refused
        bool previewShown = false;
        QRect preview; // where the preview lies in the dialog
        int scrollValue = 0;
        bool transparentShown = false;
        Colour transparent;
        bool translucentShown = false;
        Colour translucent;
        bool loadEnabled = false;
        bool alphaToKeysEnabled = false; // the picture has transparency
        bool alphaToKeys = false;
    };
    View view() const;

    // The dialog's controls, for reading only: their places and looks.
    struct Controls {
        const DriveList *Drive1;
        const FolderList *Dir1;
        const FileList *File1;
        const QPushButton *BtnExplore;
        const QLabel *FileName;
        const PreviewBox *TileSet;
        const QScrollBar *TileSetScroll;
        std::array<const QLabel *, 2> Label1;
        const KeySwatch *TransCol;
        const KeySwatch *TransLCol;
        std::array<const QPushButton *, 2> BtnDefTrans;
        const QCheckBox *ChkAlphaToKeys;
        const QPushButton *BtnCancel;
        const QPushButton *BtnLoad;
    };
    Controls controls() const;

public slots:
    // The frame's close box (and any other rejection) counts as Cancel.
    void reject() override;

protected:
    void keyPressEvent(QKeyEvent *event) override;
    void rememberFolder(const QString &folder) override;

private:
    QPushButton *BtnExplore = nullptr;
    QLabel *FileName = nullptr;
    PreviewBox *TileSet = nullptr;
    QScrollBar *TileSetScroll = nullptr;
    std::array<QLabel *, 2> Label1{};
    KeySwatch *TransCol = nullptr;
    KeySwatch *TransLCol = nullptr;
    std::array<QPushButton *, 2> BtnDefTrans{};
    QCheckBox *ChkAlphaToKeys = nullptr;
    QPushButton *BtnCancel = nullptr;
    QPushButton *BtnLoad = nullptr;

    void buildBrowser();
    void buildPreview();
    void buildKeyColours();
    void buildButtons();
    void orderTabs();
    void showSelection();
    void chooseGivenFile(const QString &path);
    void readFile(const QString &folder, const QString &name);

    Workspace &workspace_;
    LoadSelection selection_;
    WheelSteps wheelSteps_;
};

} // namespace vexlo
