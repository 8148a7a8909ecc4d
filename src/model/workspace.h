#pragma once

#include "common/pane_index.h"
#include "common/colour.h"
#include "common/sheet_limits.h"
#include "model/macro_list.h"
#include "model/pane_file.h"
#include "model/tile_selection.h"
#include "model/undo_history.h"
#include "model/work_revisions.h"
#include "settings/options.h"

#include <QImage>
#include <QObject>

#include <array>
#include <cstdint>
#include <map>
#include <vector>

class QAbstractItemModel;

namespace vexlo {

class StepRecord;

// Everything a Vexlo session works on, in one place: the two panes' sheets
// with their key colours and scroll values, the two tile buffers, the macro
// and its recording switch, the dropper colours and the settings. The windows
// show this state; they keep no copy of it and change it only through the
// operations below, each of which announces what it changed and, while a
// step is open, keeps what was there before, so the step can be undone. A
// user action that changes work is one step (sheet_actions.h,
// macro_actions.h, tile_drop.h, PlayMacro).
class Workspace : public QObject {
    Q_OBJECT

public:
    static constexpr int kTileSize = vexlo::kTileSize;
    static constexpr int kSheetWidth = vexlo::kSheetWidth;
    static constexpr QRgb kBufferClear = 0xFFC0C0C0; // light grey RGB(192, 192, 192)
    static constexpr qint64 kUndoBudgetBytes = UndoHistory::kBudgetBytes; // see there

    explicit Workspace(QObject *parent = nullptr);
    ~Workspace() override;

    // Pane and buffer indices are 0 or 1; anything else names no element and
    // fails before anything is touched.
    static bool isIndex(int index) { return index == 0 || index == 1; }
    static int checkedIndex(int index);
    static QImage blankSheet(int height = kTileSize);

    const QImage &sheet(PaneIndex pane) const { return panes_.at(checkedIndex(pane)).sheet; }
    Colour transparentKey(PaneIndex pane) const { return panes_.at(checkedIndex(pane)).transparent; }
    Colour translucentKey(PaneIndex pane) const { return panes_.at(checkedIndex(pane)).translucent; }
    // The file the pane's sheet was last loaded from or saved to; empty for
    // none (a new, cleared-from-start or restored sheet).
    const PaneFile &paneFile(PaneIndex pane) const { return panes_.at(checkedIndex(pane)).file; }
    // The pane's scroll bar value, 0 to the bar's maximum (see
    // pane_placement.h): where the sheet is placed.
    int scrollValue(PaneIndex pane) const { return panes_.at(checkedIndex(pane)).scroll; }
    const QImage &buffer(int index) const { return buffers_.at(checkedIndex(index)); }
    const MacroList &macro() const { return macro_; }
    // The macro list for a view to show; views do not edit it.
    QAbstractItemModel *macroModel() { return &macro_; }
    bool recording() const { return recording_; }

    // Whole sheets and their keys.
    void setSheet(PaneIndex pane, const QImage &sheet);
    // The sheet at a new height (see SheetWithHeight); an undo step keeps
    // only the rows it cuts off.
    void setSheetHeight(PaneIndex pane, int pixels);
    void setKeyColours(PaneIndex pane, Colour transparent, Colour translucent);
    void replaceColour(PaneIndex pane, Colour find, Colour replace);
    // Every pixel near a key colour set to it (see SnapToKeys); the numbers
    // changed, by KeyRole. Changes nothing when there are none.
    std::array<std::int64_t, 2> snapToKeys(PaneIndex pane, int distance);

    // The tiles a key check found near-key pixels in (see KeyCheck::marked),
    // shown marked on the pane until its sheet or keys next change.
    const std::vector<int> &markedTiles(PaneIndex pane) const { return panes_.at(checkedIndex(pane)).marked; }
    void setMarkedTiles(PaneIndex pane, std::vector<int> tiles);
    void setScrollValue(PaneIndex pane, int value);
    // Part of the open step, so an undone load names the file before it again.
    void setPaneFile(PaneIndex pane, const PaneFile &file);

    // Tile work, at pixel origins of any size; what falls outside is left out.
    // The buffer becomes the sheet's block there, black where it has none.
    void copyTileToBuffer(PaneIndex pane, int buffer, std::int64_t x, std::int64_t y);
    void replaceBufferColours(int buffer, Colour find1, Colour replace1, Colour find2, Colour replace2);
    void pasteBuffer(int buffer, PaneIndex pane, std::int64_t x, std::int64_t y);
    void clearBuffer(int buffer);
    void setBuffer(int buffer, const QImage &tile);
    // What a Get of each tile into `buffer` and the other buffer, a Put of
    // each onto the other's place and a Cls of buffer 0 and 1 leave, with the
    // same changes kept by an open step, without the four tile copies; for
    // `count` such pairs side by side (first + (i, 0) with second + (i, 0)),
    // done in turn. The tiles (in tiles) lie wholly inside the sheet, the two
    // runs of tiles apart or the same single tile; `buffer` is 0 or 1.
    void swapTilesThroughBuffers(PaneIndex pane, int buffer, QPoint first, QPoint second, int count);

    // Blocks of whole tiles (rectangles in tiles), each tile wholly inside
    // its sheet. The block at `to` on its own pane swaps with it, or, when
    // the two overlap, slides there (see BlockMoves).
    void rearrangeTiles(PaneIndex pane, QRect block, QPoint to);
    // The block of `source` copied onto `pane` with its top left tile at
    // `to`, the two colour replacements made on the way (see ReplaceColours).
    void copyTiles(PaneIndex source, QRect block, PaneIndex pane, QPoint to, Colour find1, Colour replace1,
                   Colour find2, Colour replace2);

    const TileSelection &selection() const { return selection_; }
    void setSelection(const TileSelection &selection);

    // The macro; both fail and change nothing at the line limit.
    void appendMacroLine(const QString &line);
    void appendMacroLines(const QStringList &lines);
    void setMacroLines(const QStringList &lines);
    void setRecording(bool on);

    Colour dropperColour(PaneIndex pane) const { return dropper_.at(checkedIndex(pane)); }
    void setDropperColour(PaneIndex pane, Colour colour) { dropper_.at(checkedIndex(pane)) = colour; }
    Options &options() { return options_; }
    const Options &options() const { return options_; }

    // Undo steps (workspace_steps.cpp). A step gathers the changes of one
    // user action; it is pushed onto the undo stack when it ends, if putting
    // it back would change anything. Steps do not nest: a step begun while
    // another is open ends that one first (see StepTransaction for joining
    // an open one).
    UndoHistory &undoStack() { return history_; }
    const UndoHistory &undoStack() const { return history_; }
    void beginStep(const QString &text);
    bool stepOpen() const { return history_.gathering() != nullptr; }
    // For a workspace whose actions are never undone nor rolled back
    // (vexlo-play writes nothing after a failure): they keep nothing to put
    // back, which spares copying every tile they change.
    void keepNoUndo() { keepsUndo_ = false; }
    void setStepText(const QString &text) { history_.setText(text); }
    void endStep();
    // Puts back what the open step changed and forgets it.
    void rollBackStep();
    // What the steps pushed keep, in bytes (see UndoHistory::bytes).
    qint64 undoBytes() const { return history_.bytes(); }

    // What changed since the last load or save (or the start).
    bool paneUnsaved(PaneIndex pane) const;
    bool macroUnsaved() const { return revisions_.macro != savedMacro_; }
    bool unsaved() const { return paneUnsaved(0) || paneUnsaved(1) || macroUnsaved(); }
    void markPaneSaved(PaneIndex pane);
    void markMacroSaved();

signals:
    void sheetChanged(PaneIndex pane);
    void bufferChanged(int buffer);
    void keyColoursChanged(PaneIndex pane);
    void markedTilesChanged(PaneIndex pane);
    void scrollValueChanged(PaneIndex pane);
    void recordingChanged(bool on);
    void selectionChanged();
    // A sheet, its keys or the macro changed: something the user would lose.
    // Told once a step is pushed, not for a step that changed nothing.
    void workChanged();
    // A whole step was undone or redone.
    void stepPutBack();
    // A pane's file, or whether a pane or the macro is unsaved, may have
    // changed: told once a step ends, is dropped or put back, after a
    // change outside a step, and when something is marked saved.
    void savedStateChanged();

private:
    friend class StepRecord;

    struct Pane {
        QImage sheet;
        Colour transparent = kWhite;
        Colour translucent = kWhite;
        int scroll = 0;
        PaneFile file;
        std::vector<int> marked;
    };

    // Announcing, after a change (also an undone or redone one).
    void sheetPixelsChanged(PaneIndex pane);
    // The buffer about to change, kept first by an open step.
    QImage &bufferToChange(int buffer);
    void bufferPixelsChanged(int buffer);
    void keysChanged(PaneIndex pane);
    void macroChanged();
    void scrollChanged(PaneIndex pane) { emit scrollValueChanged(pane); }
    void fileChanged(PaneIndex pane);
    // A sheet's new size may leave the selection outside it.
    void fitSelection(PaneIndex pane);
    void workChangedOrPending();
    StepRecord *openStep() const { return history_.gathering(); }
    // The open step, when this workspace keeps what its actions change.
    StepRecord *recordToKeep() const { return keepsUndo_ ? openStep() : nullptr; }
    void forgetStep();
    // Where a pane's saved version is found: its file, or the pane itself
    // while it has none.
    QString savedKey(PaneIndex pane) const;

    std::array<Pane, 2> panes_;
    std::array<QImage, 2> buffers_;
    // Buffers known to be clear, which a step keeps without looking.
    std::array<bool, 2> bufferClear_{true, true};
    std::array<Colour, 2> dropper_{kBlack, kBlack};
    MacroList macro_;
    bool recording_ = false;
    TileSelection selection_;
    Options options_;

    WorkRevisions revisions_;
    // The version of the sheet each file holds, as far as Vexlo loaded or
    // wrote it (see savedKey).
    std::map<QString, std::uint64_t> savedIn_;
    std::uint64_t savedMacro_ = 0;
    bool keepsUndo_ = true;
    std::uint64_t lastRevision_ = 0;

    bool workPending_ = false; // a change in the open step not told yet
    UndoHistory history_;
};

} // namespace vexlo
