#include "model/workspace.h"

#include "common/failure.h"
#include "common/sheet_limits.h"
#include "model/block_geometry.h"
#include "model/sheet_rows.h"
#include "model/step_record.h"
#include "tiles/block_pixels.h"
#include "tiles/key_check.h"
#include "tiles/replace_colour.h"
#include "tiles/tile_block.h"

namespace vexlo {

Workspace::Workspace(QObject *parent) : QObject(parent)
{
    connect(&history_, &UndoHistory::stepPutBack, this, &Workspace::stepPutBack);
    connect(&history_, &UndoHistory::stepPutBack, this, &Workspace::savedStateChanged);
    for (Pane &pane : panes_)
        pane.sheet = blankSheet();
    for (QImage &held : buffers_) {
        held = AllocatedImage(kTileSize, kTileSize, QImage::Format_RGB32);
        held.fill(kBufferClear);
    }
}

Workspace::~Workspace() = default;

int Workspace::checkedIndex(int index)
{
    if (!isIndex(index))
        throw Failure::noSuchElement(index);
    return index;
}

QImage Workspace::blankSheet(int height)
{
    QImage sheet = AllocatedImage(kSheetWidth, height, QImage::Format_RGB32);
    sheet.fill(Qt::black);
    return sheet;
}

void Workspace::setSheet(PaneIndex pane, const QImage &sheet)
{
    Pane &target = panes_.at(checkedIndex(pane));
    if (StepRecord *open = recordToKeep())
        open->keepSheet(pane, target.sheet);
    target.sheet = ConvertedImage(sheet, QImage::Format_RGB32);
    sheetPixelsChanged(pane);
    fitSelection(pane);
}

void Workspace::setSheetHeight(PaneIndex pane, int pixels)
{
    Pane &target = panes_.at(checkedIndex(pane));
    QImage resized = SheetWithHeight(target.sheet, pixels); // may fail: nothing changed yet
    if (StepRecord *open = recordToKeep(); open && !open->keepsSheet(pane))
        open->keepHeight(pane, target.sheet, pixels);
    target.sheet = std::move(resized);
    sheetPixelsChanged(pane);
    fitSelection(pane);
}

void Workspace::setKeyColours(PaneIndex pane, Colour transparent, Colour translucent)
{
    Pane &target = panes_.at(checkedIndex(pane));
    if (StepRecord *open = recordToKeep())
        open->keepKeys(pane, target.transparent, target.translucent);
    target.transparent = transparent;
    target.translucent = translucent;
    keysChanged(pane);
}

void Workspace::replaceColour(PaneIndex pane, Colour find, Colour replace)
{
    Pane &target = panes_.at(checkedIndex(pane));
    if (StepRecord *open = recordToKeep(); open && !open->keepsSheet(pane))
        open->keepMarks(pane, find, replace, ReplaceColourMarked(target.sheet, find, replace));
    else
        ReplaceColour(target.sheet, find, replace);
    sheetPixelsChanged(pane);
}

std::array<std::int64_t, 2> Workspace::snapToKeys(PaneIndex pane, int distance)
{
    const Pane &target = panes_.at(checkedIndex(pane));
    QImage snapped = target.sheet;
    const auto counts = SnapToKeys(snapped, {target.transparent, target.translucent}, distance);
    if (counts[0] + counts[1] > 0)
        setSheet(pane, snapped);
    return counts;
}

void Workspace::setMarkedTiles(PaneIndex pane, std::vector<int> tiles)
{
    Pane &target = panes_.at(checkedIndex(pane));
    if (target.marked == tiles)
        return;
    target.marked = std::move(tiles);
    emit markedTilesChanged(pane);
}

void Workspace::setScrollValue(PaneIndex pane, int value)
{
    Pane &target = panes_.at(checkedIndex(pane));
    if (target.scroll == value)
        return;
    if (StepRecord *open = recordToKeep())
        open->keepScroll(pane, target.scroll);
    target.scroll = value;
    scrollChanged(pane);
}

void Workspace::setPaneFile(PaneIndex pane, const PaneFile &file)
{
    Pane &target = panes_.at(checkedIndex(pane));
    if (target.file == file)
        return;
    if (StepRecord *open = recordToKeep())
        open->keepFile(pane, target.file);
    target.file = file;
    fileChanged(pane);
}

void Workspace::copyTileToBuffer(PaneIndex pane, int buffer, std::int64_t x, std::int64_t y)
{
    const QImage &sheet = panes_.at(checkedIndex(pane)).sheet;
    QImage &held = bufferToChange(buffer);
    PrefetchBlock(sheet, x, y, false);
    if (TileArea(sheet.size(), x, y).size() != QSize(kTileSize, kTileSize))
        held.fill(Qt::black); // source pixels outside the sheet arrive as its black
    CopyBlock(sheet, x, y, held, 0, 0);
    bufferPixelsChanged(buffer);
}

void Workspace::replaceBufferColours(int buffer, Colour find1, Colour replace1, Colour find2, Colour replace2)
{
    QImage &held = bufferToChange(buffer);
    ReplaceColours(held, find1, replace1, find2, replace2);
    bufferPixelsChanged(buffer);
}

void Workspace::pasteBuffer(int buffer, PaneIndex pane, std::int64_t x, std::int64_t y)
{
    const QImage &held = buffers_.at(checkedIndex(buffer));
    Pane &target = panes_.at(checkedIndex(pane));
    const QRect area = TileArea(target.sheet.size(), x, y);
    if (area.isEmpty())
        return;
    PrefetchBlock(target.sheet, x, y, true);
    if (StepRecord *open = recordToKeep(); open && !open->keepsSheet(pane))
        open->keepTile(pane, target.sheet, area);
    CopyBlock(held, 0, 0, target.sheet, x, y);
    sheetPixelsChanged(pane);
}

void Workspace::clearBuffer(int buffer)
{
    QImage &held = bufferToChange(buffer);
    held.fill(kBufferClear);
    bufferClear_[buffer] = true;
    bufferPixelsChanged(buffer);
}

void Workspace::swapTilesThroughBuffers(PaneIndex pane, int buffer, QPoint first, QPoint second, int count)
{
    Pane &target = panes_.at(checkedIndex(pane));
    // Kept in the order the lines would keep them: both buffers, then for
    // each pair the tile put first and then the other. No pair touches
    // another's tiles, so each still holds what it held at the start.
    bufferToChange(buffer);
    bufferToChange(1 - buffer);
    if (StepRecord *open = recordToKeep(); open && !open->keepsSheet(pane)) {
        const QSize tile(kTileSize, kTileSize);
        for (int i = 0; i < count; ++i) {
            open->keepTile(pane, target.sheet, QRect((second + QPoint(i, 0)) * kTileSize, tile));
            open->keepTile(pane, target.sheet, QRect((first + QPoint(i, 0)) * kTileSize, tile));
        }
    }
    // A whole run at once, a pixel row of it at a time, as a block swap does.
    if (first != second)
        SwapTileBlocks(target.sheet, QRect(first, QSize(count, 1)), QRect(second, QSize(count, 1)));
    sheetPixelsChanged(pane);
    clearBuffer(0);
    clearBuffer(1);
}

void Workspace::setBuffer(int buffer, const QImage &tile)
{
    QImage &held = bufferToChange(buffer);
    held = ConvertedImage(tile.copy(0, 0, kTileSize, kTileSize), QImage::Format_RGB32);
    bufferPixelsChanged(buffer);
}

void Workspace::rearrangeTiles(PaneIndex pane, QRect block, QPoint to)
{
    Pane &target = panes_.at(checkedIndex(pane));
    if (to == block.topLeft())
        return;
    WritableBits(target.sheet); // may fail: nothing kept or changed yet
    if (StepRecord *open = recordToKeep(); open && !open->keepsSheet(pane))
        open->keepRearranged(pane, block, to);
    RearrangeTiles(target.sheet, block, to);
    sheetPixelsChanged(pane);
}

void Workspace::copyTiles(PaneIndex source, QRect block, PaneIndex pane, QPoint to, Colour find1, Colour replace1,
                          Colour find2, Colour replace2)
{
    const QImage &from = panes_.at(checkedIndex(source)).sheet;
    Pane &target = panes_.at(checkedIndex(pane));
    QImage replaced = from.copy(block.x() * kTileSize, block.y() * kTileSize, block.width() * kTileSize,
                                block.height() * kTileSize);
    if (replaced.isNull())
        throw NotEnoughMemory(block.width() * kTileSize, block.height() * kTileSize);
    ReplaceColours(replaced, find1, replace1, find2, replace2);
    WritableBits(target.sheet);
    if (StepRecord *open = recordToKeep(); open && !open->keepsSheet(pane)) {
        for (int row = 0; row < block.height(); ++row)
            for (int column = 0; column < block.width(); ++column)
                open->keepTile(pane, target.sheet,
                               QRect((to.x() + column) * kTileSize, (to.y() + row) * kTileSize, kTileSize, kTileSize));
    }
    CopyTileBlock(replaced, QRect(QPoint(0, 0), block.size()), target.sheet, to);
    sheetPixelsChanged(pane);
}

void Workspace::setSelection(const TileSelection &selection)
{
    if (selection == selection_ || (selection.isEmpty() && selection_.isEmpty()))
        return;
    if (StepRecord *open = recordToKeep())
        open->keepSelection(selection_);
    selection_ = selection;
    emit selectionChanged();
}

void Workspace::fitSelection(PaneIndex pane)
{
    if (selection_.pane == pane && !selection_.isEmpty() && !BlockInsideSheet(selection_.tiles, panes_[pane].sheet.size()))
        setSelection({});
}

void Workspace::appendMacroLine(const QString &line)
{
    const qsizetype at = macro_.count();
    macro_.append(line);
    if (StepRecord *open = recordToKeep())
        open->keepAppendedLine(at, line);
    macroChanged();
}

void Workspace::appendMacroLines(const QStringList &lines)
{
    const qsizetype at = macro_.count();
    macro_.insert(at, lines);
    if (StepRecord *open = recordToKeep()) {
        for (qsizetype i = 0; i < lines.size(); ++i)
            open->keepAppendedLine(at + i, lines[i]);
    }
    macroChanged();
}

void Workspace::setMacroLines(const QStringList &lines)
{
    if (lines == macro_.lines())
        return; // no change, and so no step (clearing an empty macro)
    const QStringList before = macro_.lines();
    macro_.setLines(lines);
    if (StepRecord *open = recordToKeep())
        open->keepMacro(before);
    macroChanged();
}

void Workspace::setRecording(bool on)
{
    if (recording_ == on)
        return;
    recording_ = on;
    emit recordingChanged(on);
}

bool Workspace::paneUnsaved(PaneIndex pane) const
{
    const std::uint64_t revision = revisions_.panes.at(checkedIndex(pane));
    if (revision == 0)
        return false; // as Vexlo started: nothing to lose
    // Saved when its file holds this very version: an undo back to what was
    // loaded or saved is saved again, but not once that file was written anew.
    const auto saved = savedIn_.find(savedKey(pane));
    return saved == savedIn_.end() || saved->second != revision;
}

void Workspace::markPaneSaved(PaneIndex pane)
{
    savedIn_[savedKey(checkedIndex(pane))] = revisions_.panes[pane];
    emit savedStateChanged();
}

QString Workspace::savedKey(PaneIndex pane) const
{
    // Two panes without a file are two places; a NUL is in no file's name.
    const QString &path = panes_[pane].file.path;
    return path.isEmpty() ? QString(QChar(0)) + QString::number(pane) : path;
}

void Workspace::markMacroSaved()
{
    savedMacro_ = revisions_.macro;
    emit savedStateChanged();
}

void Workspace::fileChanged(PaneIndex)
{
    if (!openStep())
        emit savedStateChanged();
}

void Workspace::sheetPixelsChanged(PaneIndex pane)
{
    setMarkedTiles(pane, {});
    revisions_.panes[pane] = ++lastRevision_;
    emit sheetChanged(pane);
    workChangedOrPending();
}

QImage &Workspace::bufferToChange(int buffer)
{
    QImage &held = buffers_.at(checkedIndex(buffer));
    if (StepRecord *open = recordToKeep())
        open->keepBuffer(buffer, held, bufferClear_[buffer]);
    bufferClear_[buffer] = false;
    return held;
}

void Workspace::bufferPixelsChanged(int buffer)
{
    emit bufferChanged(buffer);
}

void Workspace::keysChanged(PaneIndex pane)
{
    setMarkedTiles(pane, {});
    revisions_.panes[pane] = ++lastRevision_;
    emit keyColoursChanged(pane);
    workChangedOrPending();
}

void Workspace::macroChanged()
{
    revisions_.macro = ++lastRevision_;
    workChangedOrPending();
}

void Workspace::workChangedOrPending()
{
    // A step's changes are told once it is pushed: a step that changes
    // nothing in the end leaves nothing to keep for recovery.
    if (openStep()) {
        workPending_ = true;
    } else {
        emit workChanged();
        emit savedStateChanged();
    }
}

} // namespace vexlo
