#include "model/step_record.h"

#include "common/sheet_limits.h"
#include "model/sheet_rows.h"
#include "model/workspace.h"

#include <algorithm>
#include <utility>

namespace vexlo {
namespace {

// Kept tiles of a step are searched in turn up to this many, then hashed:
// a drop keeps two, a long macro run thousands.
constexpr std::size_t kFewTiles = 32;

// A tile buffer's pixels, which lie in one block (32 pixels of 4 bytes make
// a row with no padding).
QRgb *ChipPixels(QImage &chip)
{
    return reinterpret_cast<QRgb *>(WritableBits(chip));
}

} // namespace

qint64 StepRecord::bytesOf(const QStringList &lines)
{
    qint64 bytes = 0;
    for (const QString &line : lines)
        bytes += line.size() * qint64(sizeof(QChar));
    return bytes;
}

qint64 StepRecord::bytesOf(const Change &change)
{
    struct Size {
        qint64 operator()(const Tile &tile) const { return qint64(tile.pixels.size() * sizeof(QRgb)); }
        qint64 operator()(const Chip &chip) const { return qint64(chip.pixels.size() * sizeof(QRgb)); }
        qint64 operator()(const Sheet &sheet) const { return sheet.image.sizeInBytes(); }
        qint64 operator()(const Height &height) const { return height.rowsBelow.sizeInBytes(); }
        qint64 operator()(const Keys &) const { return 0; }
        qint64 operator()(const Scroll &) const { return 0; }
        qint64 operator()(const Marks &marks) const { return qint64(marks.marks.size() * sizeof(std::uint32_t)); }
        qint64 operator()(const Macro &macro) const { return bytesOf(macro.lines); }
    };
    return std::visit(Size{}, change);
}

void StepRecord::add(Change change)
{
    bytes_ += bytesOf(change);
    changes_.push_back(std::move(change));
}

bool StepRecord::firstTouch(int pane, QRect area)
{
    const std::uint64_t key = (std::uint64_t(pane) << 40) | (std::uint64_t(area.y()) << 20) | std::uint64_t(area.x());
    if (!manyTiles_.empty())
        return manyTiles_.insert(key).second;
    if (std::find(tiles_.begin(), tiles_.end(), key) != tiles_.end())
        return false;
    tiles_.push_back(key);
    if (tiles_.size() > kFewTiles)
        manyTiles_.insert(tiles_.begin(), tiles_.end());
    return true;
}

void StepRecord::keepTile(int pane, const QImage &sheet, QRect area)
{
    if (sheetKept_[pane] || !firstTouch(pane, area))
        return;
    Tile tile{pane, area, {}};
    tile.pixels.reserve(std::size_t(area.width()) * std::size_t(area.height()));
    const qsizetype stride = sheet.bytesPerLine() / qsizetype(sizeof(QRgb));
    const QRgb *row = reinterpret_cast<const QRgb *>(sheet.constBits()) + area.y() * stride + area.x();
    for (int y = 0; y < area.height(); ++y, row += stride)
        tile.pixels.insert(tile.pixels.end(), row, row + area.width());
    add(std::move(tile));
}

void StepRecord::keepChip(int buffer, const QImage &chip)
{
    if (std::exchange(chipKept_[buffer], true))
        return;
    const auto *pixels = reinterpret_cast<const QRgb *>(chip.constBits());
    add(Chip{buffer, std::vector<QRgb>(pixels, pixels + chip.width() * chip.height())});
}

void StepRecord::keepSheet(int pane, const QImage &sheet)
{
    if (std::exchange(sheetKept_[pane], true))
        return;
    add(Sheet{pane, sheet}); // shared, not copied: the workspace gets a new image
}

void StepRecord::keepHeight(int pane, const QImage &sheet, int pixels)
{
    if (!sheetKept_[pane])
        add(Height{pane, sheet.height(), SheetRowsFrom(sheet, pixels)});
}

void StepRecord::keepKeys(int pane, Colour transparent, Colour translucent)
{
    if (!std::exchange(keysKept_[pane], true))
        add(Keys{pane, transparent, translucent});
}

void StepRecord::keepScroll(int pane, int value)
{
    if (!std::exchange(scrollKept_[pane], true))
        add(Scroll{pane, value});
}

void StepRecord::keepMarks(int pane, Colour find, Colour replace, PixelMarks marks)
{
    add(Marks{pane, find, replace, std::move(marks)});
}

void StepRecord::keepMacro(const QStringList &lines)
{
    if (!std::exchange(macroKept_, true))
        add(Macro{lines});
}

void StepRecord::keepAppendedLine(qsizetype at, const QString &line)
{
    if (macroKept_)
        return; // the whole list is kept already
    if (lines_.isEmpty())
        linesAt_ = at;
    lines_.append(line);
    bytes_ += line.size() * qint64(sizeof(QChar));
}

void StepRecord::put(Workspace &workspace, Change &change, bool undoing)
{
    const qint64 before = bytesOf(change);
    if (auto *tile = std::get_if<Tile>(&change)) {
        QImage &sheet = workspace.panes_[tile->pane].sheet;
        WritableBits(sheet); // one checked detach, before any pixel changes
        QRgb *kept = tile->pixels.data();
        for (int y = tile->area.top(); y <= tile->area.bottom(); ++y, kept += tile->area.width()) {
            auto *row = reinterpret_cast<QRgb *>(sheet.scanLine(y)) + tile->area.x();
            std::swap_ranges(row, row + tile->area.width(), kept);
        }
        workspace.sheetPixelsChanged(tile->pane);
    } else if (auto *chip = std::get_if<Chip>(&change)) {
        std::swap_ranges(chip->pixels.begin(), chip->pixels.end(), ChipPixels(workspace.chips_[chip->buffer]));
        workspace.chipPixelsChanged(chip->buffer);
    } else if (auto *sheet = std::get_if<Sheet>(&change)) {
        QImage &current = workspace.panes_[sheet->pane].sheet;
        std::swap(current, sheet->image);
        workspace.sheetPixelsChanged(sheet->pane);
    } else if (auto *height = std::get_if<Height>(&change)) {
        QImage &current = workspace.panes_[height->pane].sheet;
        QImage resized = SheetWithHeight(current, height->pixels, height->rowsBelow);
        height->rowsBelow = SheetRowsFrom(current, height->pixels);
        height->pixels = current.height();
        current = std::move(resized);
        workspace.sheetPixelsChanged(height->pane);
    } else if (auto *keys = std::get_if<Keys>(&change)) {
        auto &pane = workspace.panes_[keys->pane];
        std::swap(pane.transparent, keys->transparent);
        std::swap(pane.translucent, keys->translucent);
        workspace.keysChanged(keys->pane);
    } else if (auto *scroll = std::get_if<Scroll>(&change)) {
        std::swap(workspace.panes_[scroll->pane].scroll, scroll->value);
        workspace.scrollChanged(scroll->pane);
    } else if (auto *marks = std::get_if<Marks>(&change)) {
        QImage &current = workspace.panes_[marks->pane].sheet;
        PaintMarked(current, marks->marks, undoing ? marks->find : marks->replace);
        workspace.sheetPixelsChanged(marks->pane);
    } else if (auto *macro = std::get_if<Macro>(&change)) {
        QStringList current = workspace.macro_.lines();
        workspace.macro_.setLines(macro->lines);
        macro->lines = std::move(current);
        workspace.macroChanged();
    }
    bytes_ += bytesOf(change) - before;
}

void StepRecord::undo(Workspace &workspace)
{
    for (auto change = changes_.rbegin(); change != changes_.rend(); ++change)
        put(workspace, *change, true);
    // Recorded lines leave the macro with their step only while recording,
    // so the macro keeps replaying what the sheets show.
    const bool linesInPlace = linesAt_ + lines_.size() <= workspace.macro_.count();
    if (!lines_.isEmpty() && workspace.recording_ && linesInPlace) {
        workspace.macro_.take(linesAt_, lines_.size());
        linesTaken_ = true;
        workspace.macroChanged();
    }
    workspace.revisions_.panes = before_.panes;
    // Lines left in place keep the macro as the step left it.
    if (lines_.isEmpty() || linesTaken_)
        workspace.revisions_.macro = before_.macro;
}

void StepRecord::redo(Workspace &workspace)
{
    for (Change &change : changes_)
        put(workspace, change, false);
    const bool fits = workspace.macro_.count() + lines_.size() <= MacroList::kMaxLines;
    const bool taken = std::exchange(linesTaken_, false);
    if (taken && fits) {
        workspace.macro_.insert(linesAt_, lines_);
        workspace.macroChanged();
    }
    workspace.revisions_.panes = after_.panes;
    if (!taken || fits)
        workspace.revisions_.macro = after_.macro;
}

} // namespace vexlo
