#include "model/step_record.h"

#include "common/sheet_limits.h"
#include "model/block_geometry.h"
#include "model/sheet_rows.h"
#include "model/workspace.h"

#include <algorithm>
#include <cstring>
#include <utility>

namespace vexlo {
namespace {

// A block of an image's pixels: its first row, the distance from one row to
// the next, in pixels, and its size.
template <typename Pixel>
struct Rows {
    Pixel *first;
    qsizetype stride;
    int width;
    int height;

    Pixel *row(int y) const { return first + y * stride; }
};

// The area's rows of an image whose pixels start at `bits`.
template <typename Pixel>
Rows<Pixel> RowsAt(Pixel *bits, const QImage &image, QRect area)
{
    const qsizetype stride = image.bytesPerLine() / qsizetype(sizeof(QRgb));
    Pixel *first = bits + area.y() * stride + area.x();
    if (stride == area.width()) // whole rows with no gaps (a buffer): one long row
        return {first, stride, area.width() * area.height(), 1};
    return {first, stride, area.width(), area.height()};
}

Rows<const QRgb> RowsOf(const QImage &image, QRect area)
{
    return RowsAt(reinterpret_cast<const QRgb *>(image.constBits()), image, area);
}

// Whether every pixel has the first one's colour. Each row is compared
// whole, which the compiler turns into vector code, and the search ends at
// the first row that differs.
bool OneColour(Rows<const QRgb> rows)
{
    const QRgb colour = *rows.first;
    for (int y = 0; y < rows.height; ++y) {
        QRgb differs = 0;
        for (int x = 0; x < rows.width; ++x)
            differs |= rows.row(y)[x] ^ colour;
        if (differs != 0)
            return false;
    }
    return true;
}

// The rows one after the other into a block. A whole tile row has a size
// known here, which the compiler copies with vector moves instead of a call.
void CopyRows(Rows<const QRgb> rows, QRgb *block)
{
    if (rows.width == kTileSize) {
        for (int y = 0; y < rows.height; ++y)
            std::memcpy(block + y * kTileSize, rows.row(y), kTileSize * sizeof(QRgb));
        return;
    }
    for (int y = 0; y < rows.height; ++y)
        std::copy_n(rows.row(y), rows.width, block + y * qsizetype(rows.width));
}

// The pixels as a step keeps them, `oneColour` telling whether they all
// have the first one's colour; fails before any is kept.
StepRecord::Pixels KeptPixels(Rows<const QRgb> rows, TileBlocks &blocks, bool oneColour)
{
    StepRecord::Pixels kept(blocks, *rows.first);
    if (oneColour)
        return kept;
    kept.block = static_cast<QRgb *>(blocks.take());
    CopyRows(rows, kept.block);
    return kept;
}

// Whether the pixels are those kept.
bool SameAsKept(Rows<const QRgb> rows, const StepRecord::Pixels &kept)
{
    if (!kept.block)
        return *rows.first == kept.colour && OneColour(rows);
    for (int y = 0; y < rows.height; ++y) {
        if (!std::equal(rows.row(y), rows.row(y) + rows.width, kept.block + y * qsizetype(rows.width)))
            return false;
    }
    return true;
}

// Whether two images hold the same pixels, row by row.
bool SamePixels(const QImage &a, const QImage &b)
{
    if (a.size() != b.size() || a.format() != b.format())
        return false;
    const std::size_t rowBytes = std::size_t(a.width()) * sizeof(QRgb);
    for (int y = 0; y < a.height(); ++y) {
        if (std::memcmp(a.constScanLine(y), b.constScanLine(y), rowBytes) != 0)
            return false;
    }
    return true;
}

// Whether kept pixels are those of a clear buffer.
bool ClearBuffer(const StepRecord::Pixels &kept)
{
    return !kept.block && kept.colour == Workspace::kBufferClear;
}

// Swaps two runs of pixels a tile row at a time through a buffer, which the
// compiler does with vector moves where a swap goes pixel by pixel.
void SwapRuns(QRgb *a, QRgb *b, int count)
{
    QRgb held[kTileSize];
    int x = 0;
    for (; x + kTileSize <= count; x += kTileSize) {
        std::memcpy(held, a + x, sizeof held);
        std::memcpy(a + x, b + x, sizeof held);
        std::memcpy(b + x, held, sizeof held);
    }
    std::swap_ranges(a + x, a + count, b + x);
}

// Puts kept pixels back into the image and keeps what was there instead.
void SwapPixels(QImage &image, QRect area, StepRecord::Pixels &kept)
{
    // One checked detach, before any pixel changes.
    const Rows<QRgb> rows = RowsAt(reinterpret_cast<QRgb *>(WritableBits(image)), image, area);
    const Rows<const QRgb> was{rows.first, rows.stride, rows.width, rows.height};
    const bool oneColour = OneColour(was);
    if (kept.block && !oneColour) {
        for (int y = 0; y < rows.height; ++y)
            SwapRuns(rows.row(y), kept.block + y * qsizetype(rows.width), rows.width);
        return;
    }
    StepRecord::Pixels other = KeptPixels(was, *kept.blocks, oneColour); // may fail: nothing changed yet
    for (int y = 0; y < rows.height; ++y) {
        if (kept.block)
            std::copy_n(kept.block + y * qsizetype(rows.width), rows.width, rows.row(y));
        else
            std::fill_n(rows.row(y), rows.width, kept.colour);
    }
    kept = std::move(other);
}

// What the heap spends on a block of n bytes: glibc's malloc adds an 8-byte
// size field, rounds up to 16 and gives no less than 32; a block it maps on
// its own takes whole pages.
qint64 HeapBytes(std::size_t n)
{
    constexpr qint64 kPage = 4096;
    constexpr std::size_t kMapped = 128 * 1024; // malloc's least mapping size
    if (n == 0)
        return 0;
    if (n >= kMapped)
        return (qint64(n) + 16 + kPage - 1) / kPage * kPage;
    return std::max<qint64>(32, (qint64(n) + 8 + 15) / 16 * 16);
}

// Qt's array header (a count, flags and the capacity) before the elements.
constexpr std::size_t kArrayHeader = 16;

qint64 BytesOf(const QString &text)
{
    // Literals live in the program, not the heap; the rest end in a null.
    return text.capacity() == 0 ? 0 : HeapBytes(kArrayHeader + std::size_t(text.capacity() + 1) * sizeof(QChar));
}

qint64 ListBytes(const QStringList &lines)
{
    return lines.capacity() == 0 ? 0 : HeapBytes(kArrayHeader + std::size_t(lines.capacity()) * sizeof(QString));
}

qint64 BytesOf(const QStringList &lines)
{
    qint64 bytes = ListBytes(lines);
    for (const QString &line : lines)
        bytes += BytesOf(line);
    return bytes;
}

qint64 BytesOf(const QImage &image)
{
    // Qt keeps its image record (size, format, colour table, text...)
    // private; this is what it takes on this platform, rounded up.
    constexpr std::size_t kImageRecord = 192;
    return image.isNull() ? 0 : HeapBytes(kImageRecord) + HeapBytes(std::size_t(image.sizeInBytes()));
}

template <typename T>
qint64 BytesOf(const std::vector<T> &items)
{
    return HeapBytes(items.capacity() * sizeof(T));
}

qint64 BytesOf(const StepRecord::Pixels &pixels)
{
    return pixels.block ? qint64(TileBlocks::kBlockBytes) : 0; // a block has no header
}

// Puts a key into a table of kept tiles (a power of two long, never full)
// unless it is there already; false when it was. Keys start at the slot
// their hash names and move on to the next free one.
bool Insert(std::vector<std::uint64_t> &table, std::uint64_t key)
{
    const std::size_t mask = table.size() - 1;
    std::size_t slot = std::size_t((key * 0x9E3779B97F4A7C15ull) >> 32) & mask;
    for (; table[slot] != 0; slot = (slot + 1) & mask) {
        if (table[slot] == key)
            return false;
    }
    table[slot] = key;
    return true;
}

// A tile's key in that table, never 0.
std::uint64_t TileKey(PaneIndex pane, QRect area)
{
    return (std::uint64_t(pane + 1) << 40) | (std::uint64_t(area.y()) << 20) | std::uint64_t(area.x());
}

} // namespace

StepRecord::StepRecord(Workspace &workspace) : workspace_(workspace), before_(workspace.revisions_)
{
    changes_.reserve(4); // a drop keeps four things at most
}

void StepRecord::finish()
{
    after_ = workspace_.revisions_;
    tiles_ = std::vector<std::uint64_t>(); // `= {}` would keep the capacity
    tileCount_ = 0;
    // A long run's list may be half empty; a drop's few entries are left
    // as they are, sparing every drag a copy.
    if (changes_.capacity() - changes_.size() > 64)
        changes_.shrink_to_fit();
}

qint64 StepRecord::bytes() const
{
    // The record's own block; step texts are literals, which take no heap.
    static const qint64 kFixed = HeapBytes(sizeof(StepRecord));
    return kFixed + BytesOf(changes_) + BytesOf(tiles_) + ListBytes(lines_) + heldBytes_;
}

StepRecord::Pixels::Pixels(Pixels &&other) noexcept
    : blocks(other.blocks), block(std::exchange(other.block, nullptr)), colour(other.colour)
{
}

StepRecord::Pixels &StepRecord::Pixels::operator=(Pixels &&other) noexcept
{
    if (this != &other) {
        if (block)
            blocks->give(block);
        blocks = other.blocks;
        block = std::exchange(other.block, nullptr);
        colour = other.colour;
    }
    return *this;
}

StepRecord::Pixels::~Pixels()
{
    if (block)
        blocks->give(block);
}

qint64 StepRecord::bytesOf(const Change &change)
{
    struct Size {
        qint64 operator()(const Tile &tile) const { return BytesOf(tile.pixels); }
        qint64 operator()(const Buffer &held) const { return BytesOf(held.pixels); }
        qint64 operator()(const Sheet &sheet) const { return BytesOf(sheet.image); }
        qint64 operator()(const Height &height) const { return BytesOf(height.rowsBelow); }
        qint64 operator()(const Keys &) const { return 0; }
        qint64 operator()(const Scroll &) const { return 0; }
        qint64 operator()(const Marks &marks) const { return BytesOf(marks.marks); }
        qint64 operator()(const Macro &macro) const { return BytesOf(macro.lines); }
        qint64 operator()(const File &kept) const { return kept.file.path.capacity() * qint64(sizeof(QChar)); }
        qint64 operator()(const Rearranged &) const { return 0; }
        qint64 operator()(const Selection &) const { return 0; }
    };
    return std::visit(Size{}, change);
}

bool StepRecord::changesNothing() const
{
    if (!lines_.isEmpty())
        return false;
    // The latest changes first: a drop's tile differs in its first row.
    return std::all_of(changes_.rbegin(), changes_.rend(), [this](const Change &change) { return unchanged(change); });
}

bool StepRecord::unchanged(const Change &change) const
{
    const auto &panes = workspace_.panes_;
    if (const auto *tile = std::get_if<Tile>(&change))
        return SameAsKept(RowsOf(panes[tile->pane].sheet, tile->area), tile->pixels);
    if (const auto *held = std::get_if<Buffer>(&change)) {
        if (workspace_.bufferClear_[held->buffer])
            return ClearBuffer(held->pixels);
        const QImage &current = workspace_.buffers_[held->buffer];
        return SameAsKept(RowsOf(current, current.rect()), held->pixels);
    }
    if (const auto *sheet = std::get_if<Sheet>(&change))
        return SamePixels(panes[sheet->pane].sheet, sheet->image);
    if (const auto *height = std::get_if<Height>(&change))
        return panes[height->pane].sheet.height() == height->pixels;
    if (const auto *keys = std::get_if<Keys>(&change))
        return panes[keys->pane].transparent == keys->transparent && panes[keys->pane].translucent == keys->translucent;
    if (const auto *scroll = std::get_if<Scroll>(&change))
        return panes[scroll->pane].scroll == scroll->value;
    if (const auto *marks = std::get_if<Marks>(&change))
        return marks->find == marks->replace
            || std::all_of(marks->marks.begin(), marks->marks.end(), [](std::uint32_t word) { return word == 0; });
    if (const auto *file = std::get_if<File>(&change))
        return panes[file->pane].file == file->file;
    if (const auto *rearranged = std::get_if<Rearranged>(&change)) {
        // Each cycle of tiles that moved is unchanged when its tiles are alike.
        const QImage &sheet = panes[rearranged->pane].sheet;
        const std::vector<TileMove> moves = BlockMoves(rearranged->block, rearranged->to);
        return std::all_of(moves.begin(), moves.end(),
                           [&sheet](const TileMove &move) { return SameTiles(sheet, move.to, move.from); });
    }
    if (std::holds_alternative<Selection>(change))
        return true; // not work: alone it makes no step
    return workspace_.macro_.lines() == std::get<Macro>(change).lines;
}

void StepRecord::add(Change change)
{
    heldBytes_ += bytesOf(change);
    changes_.push_back(std::move(change));
    workspace_.history_.makeRoom(); // the open step counts against the budget as it grows
}

bool StepRecord::firstTouch(PaneIndex pane, QRect area)
{
    // A drop touches two tiles at most: the first few are looked up in the
    // list of changes itself, which spares every drag a table.
    constexpr std::size_t kListed = 4;
    if (tileCount_ < kListed) {
        for (const Change &change : changes_) {
            const auto *tile = std::get_if<Tile>(&change);
            if (tile && tile->pane == pane && tile->area.topLeft() == area.topLeft())
                return false;
        }
        ++tileCount_;
        return true;
    }
    if (2 * (tileCount_ + 1) > tiles_.size()) {
        std::vector<std::uint64_t> grown(std::max<std::size_t>(4 * kListed, 2 * tiles_.size()));
        for (const std::uint64_t kept : tiles_) {
            if (kept != 0)
                Insert(grown, kept);
        }
        if (tiles_.empty()) { // the tiles listed so far
            for (const Change &change : changes_) {
                if (const auto *tile = std::get_if<Tile>(&change))
                    Insert(grown, TileKey(tile->pane, tile->area));
            }
        }
        tiles_ = std::move(grown);
    }
    if (!Insert(tiles_, TileKey(pane, area)))
        return false;
    ++tileCount_;
    return true;
}

void StepRecord::keepTile(PaneIndex pane, const QImage &sheet, QRect area)
{
    if (sheetKept_[pane] || !firstTouch(pane, area))
        return;
    const Rows<const QRgb> rows = RowsOf(sheet, area);
    add(Tile{pane, area, KeptPixels(rows, workspace_.history_.tileBlocks(), OneColour(rows))});
}

void StepRecord::keepBuffer(int buffer, const QImage &held, bool clear)
{
    if (std::exchange(bufferKept_[buffer], true))
        return;
    const Rows<const QRgb> rows = RowsOf(held, held.rect());
    add(Buffer{buffer, KeptPixels(rows, workspace_.history_.tileBlocks(), clear || OneColour(rows))});
}

void StepRecord::keepSheet(PaneIndex pane, const QImage &sheet)
{
    if (std::exchange(sheetKept_[pane], true))
        return;
    add(Sheet{pane, sheet}); // shared, not copied: the workspace gets a new image
}

void StepRecord::keepHeight(PaneIndex pane, const QImage &sheet, int pixels)
{
    if (!sheetKept_[pane])
        add(Height{pane, sheet.height(), SheetRowsFrom(sheet, pixels)});
}

void StepRecord::keepKeys(PaneIndex pane, Colour transparent, Colour translucent)
{
    if (!std::exchange(keysKept_[pane], true))
        add(Keys{pane, transparent, translucent});
}

void StepRecord::keepFile(PaneIndex pane, const PaneFile &file)
{
    if (!std::exchange(fileKept_[pane], true))
        add(File{pane, file});
}

void StepRecord::keepScroll(PaneIndex pane, int value)
{
    if (!std::exchange(scrollKept_[pane], true))
        add(Scroll{pane, value});
}

void StepRecord::keepMarks(PaneIndex pane, Colour find, Colour replace, PixelMarks marks)
{
    add(Marks{pane, find, replace, std::move(marks)});
}

void StepRecord::keepRearranged(PaneIndex pane, QRect block, QPoint to)
{
    add(Rearranged{pane, block, to});
}

void StepRecord::keepSelection(const TileSelection &selection)
{
    if (!std::exchange(selectionKept_, true))
        add(Selection{selection});
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
    heldBytes_ += BytesOf(line);
    workspace_.history_.makeRoom();
}

void StepRecord::put(Change &change, bool undoing)
{
    const qint64 before = bytesOf(change);
    if (auto *tile = std::get_if<Tile>(&change)) {
        SwapPixels(workspace_.panes_[tile->pane].sheet, tile->area, tile->pixels);
        workspace_.sheetPixelsChanged(tile->pane);
    } else if (auto *held = std::get_if<Buffer>(&change)) {
        // A clear buffer put back as clear, as every drag's is, stays as it is.
        const bool clears = ClearBuffer(held->pixels);
        bool &clear = workspace_.bufferClear_[held->buffer];
        if (!clears || !clear) {
            QImage &current = workspace_.buffers_[held->buffer];
            clear = false;
            SwapPixels(current, current.rect(), held->pixels);
            clear = clears;
            workspace_.bufferPixelsChanged(held->buffer);
        }
    } else if (auto *sheet = std::get_if<Sheet>(&change)) {
        QImage &current = workspace_.panes_[sheet->pane].sheet;
        std::swap(current, sheet->image);
        workspace_.sheetPixelsChanged(sheet->pane);
    } else if (auto *height = std::get_if<Height>(&change)) {
        QImage &current = workspace_.panes_[height->pane].sheet;
        QImage resized = SheetWithHeight(current, height->pixels, height->rowsBelow);
        height->rowsBelow = SheetRowsFrom(current, height->pixels);
        height->pixels = current.height();
        current = std::move(resized);
        workspace_.sheetPixelsChanged(height->pane);
    } else if (auto *keys = std::get_if<Keys>(&change)) {
        auto &pane = workspace_.panes_[keys->pane];
        std::swap(pane.transparent, keys->transparent);
        std::swap(pane.translucent, keys->translucent);
        workspace_.keysChanged(keys->pane);
    } else if (auto *scroll = std::get_if<Scroll>(&change)) {
        std::swap(workspace_.panes_[scroll->pane].scroll, scroll->value);
        workspace_.scrollChanged(scroll->pane);
    } else if (auto *marks = std::get_if<Marks>(&change)) {
        QImage &current = workspace_.panes_[marks->pane].sheet;
        PaintMarked(current, marks->marks, undoing ? marks->find : marks->replace);
        workspace_.sheetPixelsChanged(marks->pane);
    } else if (auto *rearranged = std::get_if<Rearranged>(&change)) {
        RearrangeTiles(workspace_.panes_[rearranged->pane].sheet, rearranged->block, rearranged->to, undoing);
        workspace_.sheetPixelsChanged(rearranged->pane);
    } else if (auto *selection = std::get_if<Selection>(&change)) {
        std::swap(workspace_.selection_, selection->selection);
        emit workspace_.selectionChanged();
    } else if (auto *macro = std::get_if<Macro>(&change)) {
        QStringList current = workspace_.macro_.lines();
        workspace_.macro_.setLines(macro->lines);
        macro->lines = std::move(current);
        workspace_.macroChanged();
    } else if (auto *file = std::get_if<File>(&change)) {
        std::swap(workspace_.panes_[file->pane].file, file->file);
        workspace_.fileChanged(file->pane);
    }
    heldBytes_ += bytesOf(change) - before;
}

void StepRecord::undo()
{
    for (auto change = changes_.rbegin(); change != changes_.rend(); ++change)
        put(*change, true);
    // Recorded lines leave the macro with their step only while recording,
    // so the macro keeps replaying what the sheets show.
    const bool linesInPlace = linesAt_ + lines_.size() <= workspace_.macro_.count();
    if (!lines_.isEmpty() && workspace_.recording_ && linesInPlace) {
        workspace_.macro_.take(linesAt_, lines_.size());
        linesTaken_ = true;
        workspace_.macroChanged();
    }
    workspace_.revisions_.panes = before_.panes;
    // Lines left in place keep the macro as the step left it.
    if (lines_.isEmpty() || linesTaken_)
        workspace_.revisions_.macro = before_.macro;
}

void StepRecord::redo()
{
    for (Change &change : changes_)
        put(change, false);
    const bool fits = workspace_.macro_.count() + lines_.size() <= MacroList::kMaxLines;
    const bool taken = std::exchange(linesTaken_, false);
    if (taken && fits) {
        workspace_.macro_.insert(linesAt_, lines_);
        workspace_.macroChanged();
    }
    workspace_.revisions_.panes = after_.panes;
    if (!taken || fits)
        workspace_.revisions_.macro = after_.macro;
}

} // namespace vexlo
