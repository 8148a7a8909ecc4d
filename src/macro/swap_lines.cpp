#include "macro/swap_lines.h"

#include "common/failure.h"
#include "model/block_geometry.h"
#include "model/workspace.h"

#include <array>

namespace vexlo {
namespace {

// What a failure to read would halt on is left to playing line by line.
std::optional<MacroLine> ParsedOrNothing(const QString &line)
{
    try {
        return MacroLine::parse(line);
    } catch (const Failure &) {
        return std::nullopt;
    }
}

bool TileInside(const QImage &sheet, QPoint tile)
{
    return BlockInsideSheet(QRect(tile, QSize(1, 1)), sheet.size());
}

// One sequence of six lines.
std::optional<SwapLines> MatchOne(const MacroLine &get, const QStringList &lines, qsizetype index,
                                  const Workspace &workspace)
{
    if (get.kind != MacroLine::Kind::GetTile || lines.size() - index < SwapLines::kCount
        || !Workspace::isIndex(get.pane) || !Workspace::isIndex(get.buffer))
        return std::nullopt;
    using Kind = MacroLine::Kind;
    constexpr std::array<Kind, SwapLines::kCount - 1> kKinds{Kind::GetTile, Kind::PutTile, Kind::PutTile,
                                                             Kind::ClearChip, Kind::ClearChip};
    std::array<MacroLine, SwapLines::kCount - 1> next;
    for (std::size_t i = 0; i < next.size(); ++i) {
        const std::optional<MacroLine> line = ParsedOrNothing(lines.at(index + 1 + qsizetype(i)));
        if (!line || line->kind != kKinds[i])
            return std::nullopt;
        next[i] = *line;
    }
    const std::int16_t other = std::int16_t(1 - get.buffer);
    const std::int32_t column = next[0].column;
    const std::int32_t row = next[0].row;
    const std::array<MacroLine, SwapLines::kCount - 1> swap{
        MacroLine{Kind::GetTile, get.pane, other, column, row},
        MacroLine{Kind::PutTile, get.pane, get.buffer, column, row, false},
        MacroLine{Kind::PutTile, get.pane, other, get.column, get.row, false},
        MacroLine{Kind::ClearChip, 0, 0},
        MacroLine{Kind::ClearChip, 0, 1},
    };
    const QImage &sheet = workspace.sheet(get.pane);
    const QPoint first(get.column, get.row);
    const QPoint second(column, row);
    if (next != swap || !TileInside(sheet, first) || !TileInside(sheet, second) || !sheet.isDetached())
        return std::nullopt;
    return SwapLines{get.pane, get.buffer, first, second};
}

// Whether `next` swaps the two tiles to the right of the run, which then
// stays apart from the other run.
bool Continues(const SwapLines &run, const SwapLines &next)
{
    const QPoint step(run.count, 0);
    if (next.pane != run.pane || next.buffer != run.buffer || next.first != run.first + step
        || next.second != run.second + step)
        return false;
    const int length = run.count + 1;
    return run.first.y() != run.second.y() || run.first.x() + length <= run.second.x()
           || run.second.x() + length <= run.first.x();
}

} // namespace

std::optional<SwapLines> MatchSwapLines(const MacroLine &get, const QStringList &lines, qsizetype index,
                                        const Workspace &workspace)
{
    std::optional<SwapLines> run = MatchOne(get, lines, index, workspace);
    if (!run || run->first == run->second)
        return run;
    for (qsizetype at = index + SwapLines::kCount; at < lines.size(); at += SwapLines::kCount) {
        const std::optional<MacroLine> nextGet = ParsedOrNothing(lines.at(at));
        const std::optional<SwapLines> next = nextGet ? MatchOne(*nextGet, lines, at, workspace) : std::nullopt;
        if (!next || !Continues(*run, *next))
            break;
        ++run->count;
    }
    return run;
}

} // namespace vexlo
