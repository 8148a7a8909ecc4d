#pragma once

#include "common/pane_index.h"
#include "common/colour.h"
#include "model/pane_file.h"
#include "model/tile_blocks.h"
#include "model/tile_selection.h"
#include "model/work_revisions.h"
#include "tiles/replace_colour.h"

#include <QImage>
#include <QRect>
#include <QStringList>

#include <array>
#include <cstdint>
#include <variant>
#include <vector>

namespace vexlo {

class Workspace;

// What one undo step changed, kept as it was before its first change: the
// tiles and buffers a drop or a macro run touched, a whole sheet only for the
// commands that replace one, the pixels a colour replacement changed as
// marks, the macro lines. Undo and redo swap what is kept with what the
// workspace holds, so one copy serves both.
class StepRecord {
public:
    // Pixels a step keeps, at most a tile's: in a block of their own, or,
    // when they all have one colour (a cleared buffer, an empty stretch of
    // sheet), as that colour alone, which halves what a drag keeps.
    struct Pixels {
        Pixels(TileBlocks &blocks, QRgb colour) : blocks(&blocks), colour(colour) {}
        Pixels(Pixels &&other) noexcept;
        Pixels &operator=(Pixels &&other) noexcept;
        ~Pixels();

        TileBlocks *blocks;
        QRgb *block = nullptr; // null: every pixel is `colour`
        QRgb colour;
    };

    explicit StepRecord(Workspace &workspace);
    // Takes the revisions the step left, put back by its redo, and lets go
    // of what only gathering needed.
    void finish();

    // Called by the workspace just before it changes what they name; each
    // thing is kept once, as the step found it.
    void keepTile(PaneIndex pane, const QImage &sheet, QRect area);
    // `clear`: the buffer is known to hold only its light grey.
    void keepBuffer(int buffer, const QImage &held, bool clear);
    void keepSheet(PaneIndex pane, const QImage &sheet);
    // Before the sheet becomes `pixels` high: its height and the rows cut off.
    void keepHeight(PaneIndex pane, const QImage &sheet, int pixels);
    void keepKeys(PaneIndex pane, Colour transparent, Colour translucent);
    void keepScroll(PaneIndex pane, int value);
    void keepFile(PaneIndex pane, const PaneFile &file);
    void keepMarks(PaneIndex pane, Colour find, Colour replace, PixelMarks marks);
    // A block of tiles rearranged on its pane (Workspace::rearrangeTiles):
    // kept as what was done, which undo does the other way round.
    void keepRearranged(PaneIndex pane, QRect block, QPoint to);
    void keepSelection(const TileSelection &selection);
    void keepMacro(const QStringList &lines);
    void keepAppendedLine(qsizetype at, const QString &line);

    // A kept whole sheet covers every later change of that pane in the step.
    bool keepsSheet(PaneIndex pane) const { return sheetKept_[pane]; }
    // Whether putting the step back would change nothing: everything kept is
    // as it is now and no macro line was recorded.
    bool changesNothing() const;
    const WorkRevisions &revisionsBefore() const { return before_; }
    // Every byte the record takes: each heap block with the heap's own
    // overhead, each container at its capacity, each tile block whole.
    qint64 bytes() const;

    // Both announce every change through the workspace.
    void undo();
    void redo();

private:
    struct Tile {
        PaneIndex pane;
        QRect area;
        Pixels pixels;
    };
    struct Buffer {
        int buffer;
        Pixels pixels;
    };
    struct Sheet {
        PaneIndex pane;
        QImage image;
    };
    struct Height {
        PaneIndex pane;
        int pixels;
        QImage rowsBelow; // the rows past the other height, null when none
    };
    struct Keys {
        PaneIndex pane;
        Colour transparent;
        Colour translucent;
    };
    struct Scroll {
        PaneIndex pane;
        int value;
    };
    struct Marks {
        PaneIndex pane;
        Colour find;
        Colour replace;
        PixelMarks marks;
    };
    struct Macro {
        QStringList lines;
    };
    struct File {
        PaneIndex pane;
        PaneFile file;
    };
    struct Rearranged {
        PaneIndex pane;
        QRect block;
        QPoint to;
    };
    struct Selection {
        TileSelection selection;
    };
    using Change = std::variant<Tile, Buffer, Sheet, Height, Keys, Scroll, Marks, Macro, File, Rearranged, Selection>;

    void add(Change change);
    void put(Change &change, bool undoing);
    static qint64 bytesOf(const Change &change);
    bool unchanged(const Change &change) const;
    bool firstTouch(PaneIndex pane, QRect area);

    Workspace &workspace_;
    std::vector<Change> changes_;
    qint64 heldBytes_ = 0; // the blocks the changes and lines_ point to
    // Macro lines the step recorded: where they went, and whether an undo
    // took them out (only while recording; redo puts back what it took).
    qsizetype linesAt_ = 0;
    QStringList lines_;
    bool linesTaken_ = false;

    // The tiles kept so far, while gathering: an open-addressing table at
    // most half full, 0 marking a free slot.
    std::vector<std::uint64_t> tiles_;
    std::size_t tileCount_ = 0;
    std::array<bool, 2> bufferKept_{};
    std::array<bool, 2> sheetKept_{};
    std::array<bool, 2> keysKept_{};
    std::array<bool, 2> scrollKept_{};
    std::array<bool, 2> fileKept_{};
    bool macroKept_ = false;
    bool selectionKept_ = false;
    WorkRevisions before_;
    WorkRevisions after_;
};

} // namespace vexlo
