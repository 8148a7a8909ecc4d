#include "model/block_geometry.h"

#include "common/sheet_limits.h"

#include <QHash>

namespace vexlo {
namespace {

// The cells of `area` outside `other`, in reading order.
std::vector<QPoint> CellsOutside(QRect area, QRect other)
{
    std::vector<QPoint> cells;
    for (int row = area.top(); row <= area.bottom(); ++row)
        for (int column = area.left(); column <= area.right(); ++column)
            if (!other.contains(column, row))
                cells.emplace_back(column, row);
    return cells;
}

} // namespace

std::vector<TileMove> BlockMoves(QRect block, QPoint to)
{
    const QRect target = MovedBlock(block, to);
    std::vector<TileMove> moves;
    if (to == block.topLeft())
        return moves;
    const QPoint offset = to - block.topLeft();
    for (int row = block.top(); row <= block.bottom(); ++row)
        for (int column = block.left(); column <= block.right(); ++column)
            moves.push_back({QPoint(column, row) + offset, QPoint(column, row)});
    if (!target.intersects(block)) {
        for (int row = block.top(); row <= block.bottom(); ++row)
            for (int column = block.left(); column <= block.right(); ++column)
                moves.push_back({QPoint(column, row), QPoint(column, row) + offset});
        return moves;
    }
    const std::vector<QPoint> left = CellsOutside(block, target);
    const std::vector<QPoint> covered = CellsOutside(target, block);
    for (std::size_t i = 0; i < left.size(); ++i)
        moves.push_back({left[i], covered[i]});
    return moves;
}

std::vector<TileMove> ReversedMoves(std::vector<TileMove> moves)
{
    for (TileMove &move : moves)
        std::swap(move.to, move.from);
    return moves;
}

std::vector<std::pair<QPoint, QPoint>> SwapsFor(const std::vector<TileMove> &moves)
{
    // Which original tile each cell holds, and where each original tile is,
    // while the swaps are made one target after another.
    QHash<QPoint, QPoint> holds;
    QHash<QPoint, QPoint> where;
    holds.reserve(qsizetype(moves.size()));
    where.reserve(qsizetype(moves.size()));
    for (const TileMove &move : moves) {
        holds.insert(move.to, move.to);
        where.insert(move.to, move.to);
    }
    std::vector<std::pair<QPoint, QPoint>> swaps;
    for (const TileMove &move : moves) {
        const QPoint held = holds.value(move.to);
        if (held == move.from)
            continue;
        const QPoint other = where.value(move.from);
        swaps.emplace_back(other, move.to);
        holds.insert(other, held);
        where.insert(held, other);
        holds.insert(move.to, move.from);
        where.insert(move.from, move.to);
    }
    return swaps;
}

void RearrangeTiles(QImage &sheet, QRect block, QPoint to, bool undo)
{
    const QRect target = MovedBlock(block, to);
    if (!target.intersects(block))
        SwapTileBlocks(sheet, block, target);
    else
        MoveTiles(sheet, undo ? ReversedMoves(BlockMoves(block, to)) : BlockMoves(block, to));
}

} // namespace vexlo
