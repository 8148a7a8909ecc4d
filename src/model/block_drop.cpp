#include "model/block_drop.h"

#include "model/block_geometry.h"
#include "model/macro_line.h"
#include "model/tile_engine.h"
#include "model/workspace.h"

#include <QStringList>

namespace vexlo {
namespace {

void AddLine(QStringList &lines, MacroLine::Kind kind, PaneIndex pane, PaneIndex buffer, QPoint tile = {},
             bool replace = false)
{
    lines.append(MacroLine{kind, pane, std::int16_t(buffer), tile.x(), tile.y(), replace}.format());
}

// The single-tile swap of `picked` with `other` on `pane`, as a drop records it.
void AddSwap(QStringList &lines, PaneIndex pane, QPoint picked, QPoint other)
{
    const PaneIndex scratch = OtherPane(pane);
    AddLine(lines, MacroLine::Kind::GetTile, pane, pane, picked);
    AddLine(lines, MacroLine::Kind::GetTile, pane, scratch, other);
    AddLine(lines, MacroLine::Kind::PutTile, pane, pane, other);
    AddLine(lines, MacroLine::Kind::PutTile, pane, scratch, picked);
    AddLine(lines, MacroLine::Kind::ClearChip, 0, 0);
    AddLine(lines, MacroLine::Kind::ClearChip, 0, 1);
}

// The lines that do what the drop does, tile by tile.
QStringList BlockDropLines(PaneIndex source, QRect block, PaneIndex pane, QPoint to)
{
    QStringList lines;
    if (source == pane) {
        const auto swaps = SwapsFor(BlockMoves(block, to));
        lines.reserve(qsizetype(swaps.size()) * 6);
        for (const auto &[picked, other] : swaps)
            AddSwap(lines, pane, picked, other);
        return lines;
    }
    lines.reserve(qsizetype(block.width()) * block.height() * 3);
    const QPoint offset = to - block.topLeft();
    for (int row = block.top(); row <= block.bottom(); ++row)
        for (int column = block.left(); column <= block.right(); ++column) {
            AddLine(lines, MacroLine::Kind::GetTile, source, source, {column, row});
            AddLine(lines, MacroLine::Kind::PutTile, pane, source, QPoint(column, row) + offset, true);
            AddLine(lines, MacroLine::Kind::ClearChip, 0, source);
        }
    return lines;
}

} // namespace

QPoint BlockTarget(QRect block, QPoint grabbed, QPoint dropTile)
{
    return dropTile - (grabbed - block.topLeft());
}

bool BlockDropFits(const Workspace &workspace, PaneIndex source, QRect block, QPoint grabbed, PaneIndex pane,
                   QPoint dropTile)
{
    const QPoint to = BlockTarget(block, grabbed, dropTile);
    return BlockInsideSheet(block, workspace.sheet(source).size())
           && BlockInsideSheet(MovedBlock(block, to), workspace.sheet(pane).size())
           && (source != pane || to != block.topLeft());
}

bool DropBlock(Workspace &workspace, PaneIndex source, QRect block, QPoint grabbed, PaneIndex pane,
               QPoint dropTile)
{
    Workspace::checkedIndex(source);
    Workspace::checkedIndex(pane);
    // The press's pick-up gives way to the block's own lines, which read the
    // grabbed tile again: kept, its line would be one too many.
    if (workspace.stepOpen())
        workspace.rollBackStep();
    workspace.beginStep({});
    if (!BlockDropFits(workspace, source, block, grabbed, pane, dropTile)) {
        workspace.rollBackStep();
        return false;
    }
    const bool copy = source != pane;
    const QPoint to = BlockTarget(block, grabbed, dropTile);
    workspace.setStepText(copy ? QStringLiteral("Copy tiles")
                               : MovedBlock(block, to).intersects(block) ? QStringLiteral("Slide tiles")
                                                                         : QStringLiteral("Swap tiles"));
    QStringList lines;
    if (workspace.recording()) {
        lines = BlockDropLines(source, block, pane, to);
        const qsizetype wouldHave = workspace.macro().count() + lines.size();
        if (wouldHave > MacroList::kMaxLines) {
            workspace.rollBackStep();
            MacroList::checkFits(wouldHave);
        }
    }
    try {
        workspace.appendMacroLines(lines);
        if (copy) {
            const KeyReplacement keys = KeyReplacementFor(workspace, source, pane);
            workspace.copyTiles(source, block, pane, to, keys.findTransparent, keys.transparent, keys.findTranslucent,
                                keys.translucent);
            workspace.clearBuffer(source);
        } else {
            workspace.rearrangeTiles(pane, block, to);
            workspace.clearBuffer(0);
            workspace.clearBuffer(1);
        }
        workspace.setSelection({pane, MovedBlock(block, to)});
    } catch (...) {
        workspace.rollBackStep();
        throw;
    }
    workspace.endStep();
    return true;
}

} // namespace vexlo
