// Playing a full macro: 32,767 recorded lines, about 11,000 tile copies
// between two 256 x 8192 sheets.
#include "macro/macro_player.h"
#include "model/macro_list.h"
#include "model/workspace.h"

#include <benchmark/benchmark.h>

namespace vexlo {
namespace {

// Lines as recorded by copy drags alternating between the panes, each drag
// taking a different tile and putting it somewhere else.
QStringList RecordedCopyDrags(int rows)
{
    QStringList lines;
    for (int drag = 0; lines.size() + 3 <= MacroList::kMaxLines; ++drag) {
        const int from = drag % 2;
        const int column = drag % 8;
        const int row = (drag * 7) % rows;
        lines << QStringLiteral("Get,%1,%1,%2,%3").arg(from).arg(column).arg(row)
              << QStringLiteral("Put,%1,%2,%3,%4,-1").arg(1 - from).arg(from).arg(7 - column).arg((row * 13) % rows)
              << QStringLiteral("Cls,%1").arg(from);
    }
    while (lines.size() < MacroList::kMaxLines)
        lines << QStringLiteral("Cls,0");
    return lines;
}

void PlayAFullMacro(benchmark::State &state)
{
    constexpr int kHeight = 8192;
    Workspace workspace;
    for (int pane = 0; pane < 2; ++pane) {
        QImage sheet = Workspace::blankSheet(kHeight);
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < sheet.width(); x += 5)
                sheet.setPixel(x, y, qRgb(x, y & 0xFF, pane * 100));
        workspace.setSheet(pane, sheet);
    }
    workspace.setKeyColours(0, Colour(255, 0, 255), kBlack);
    workspace.setKeyColours(1, Colour(0, 255, 255), Colour(64, 64, 64));
    workspace.options().setState(OptSwitch::ChkRepTransL, 1);
    workspace.setMacroLines(RecordedCopyDrags(kHeight / Workspace::kTileSize));
    for (auto _ : state) {
        const PlayResult result = PlayMacroLines(workspace);
        if (result.outcome != PlayResult::Outcome::Played)
            state.SkipWithError("the macro did not play through");
    }
    state.SetItemsProcessed(state.iterations() * workspace.macro().count());
}
BENCHMARK(PlayAFullMacro)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vexlo
