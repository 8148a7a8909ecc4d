#pragma once

#include "common/colour.h"
#include "model/work_revisions.h"
#include "tiles/replace_colour.h"

#include <QImage>
#include <QRect>
#include <QStringList>

#include <array>
#include <cstdint>
#include <unordered_set>
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
    explicit StepRecord(const WorkRevisions &before) : before_(before)
    {
        changes_.reserve(4); // a drop keeps four things at most
    }
    // The revisions the step left, put back by its redo.
    void finish(const WorkRevisions &after) { after_ = after; }

    // Called by the workspace just before it changes what they name; each
    // thing is kept once, as the step found it.
    void keepTile(int pane, const QImage &sheet, QRect area);
    void keepChip(int buffer, const QImage &chip);
    void keepSheet(int pane, const QImage &sheet);
    // Before the sheet becomes `pixels` high: its height and the rows cut off.
    void keepHeight(int pane, const QImage &sheet, int pixels);
    void keepKeys(int pane, Colour transparent, Colour translucent);
    void keepScroll(int pane, int value);
    void keepMarks(int pane, Colour find, Colour replace, PixelMarks marks);
    void keepMacro(const QStringList &lines);
    void keepAppendedLine(qsizetype at, const QString &line);

    // A kept whole sheet covers every later change of that pane in the step.
    bool keepsSheet(int pane) const { return sheetKept_[pane]; }
    bool empty() const { return changes_.empty() && lines_.isEmpty(); }
    qint64 bytes() const { return bytes_; }

    // Both announce every change through the workspace.
    void undo(Workspace &workspace);
    void redo(Workspace &workspace);

private:
    struct Tile {
        int pane;
        QRect area;
        std::vector<QRgb> pixels;
    };
    struct Chip {
        int buffer;
        std::vector<QRgb> pixels;
    };
    struct Sheet {
        int pane;
        QImage image;
    };
    struct Height {
        int pane;
        int pixels;
        QImage rowsBelow; // the rows past the other height, null when none
    };
    struct Keys {
        int pane;
        Colour transparent;
        Colour translucent;
    };
    struct Scroll {
        int pane;
        int value;
    };
    struct Marks {
        int pane;
        Colour find;
        Colour replace;
        PixelMarks marks;
    };
    struct Macro {
        QStringList lines;
    };
    using Change = std::variant<Tile, Chip, Sheet, Height, Keys, Scroll, Marks, Macro>;

    void add(Change change);
    void put(Workspace &workspace, Change &change, bool undoing);
    static qint64 bytesOf(const Change &change);
    static qint64 bytesOf(const QStringList &lines);
    bool firstTouch(int pane, QRect area);

    std::vector<Change> changes_;
    // Macro lines the step recorded: where they went, and whether an undo
    // took them out (only while recording; redo puts back what it took).
    qsizetype linesAt_ = 0;
    QStringList lines_;
    bool linesTaken_ = false;

    std::vector<std::uint64_t> tiles_; // searched in turn while few
    std::unordered_set<std::uint64_t> manyTiles_;
    std::array<bool, 2> chipKept_{};
    std::array<bool, 2> sheetKept_{};
    std::array<bool, 2> keysKept_{};
    std::array<bool, 2> scrollKept_{};
    bool macroKept_ = false;
    WorkRevisions before_;
    WorkRevisions after_;
    qint64 bytes_ = 0;
};

} // namespace vexlo
