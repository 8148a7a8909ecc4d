// The tile engine's hot paths: a whole-sheet colour replacement and the work
// of one dropped tile.
#include "model/tile_engine.h"
#include "model/workspace.h"
#include "tiles/replace_colour.h"

#include <benchmark/benchmark.h>

#include <utility>

namespace vexlo {
namespace {

constexpr int kTallSheet = 32768;

// A tall sheet where about one pixel in eight has the colour to replace.
QImage TallSheet(QRgb keyed)
{
    QImage sheet(Workspace::kSheetWidth, kTallSheet, QImage::Format_RGB32);
    for (int y = 0; y < sheet.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(sheet.scanLine(y));
        for (int x = 0; x < sheet.width(); ++x)
            line[x] = (x + y) % 8 == 0 ? keyed : qRgb(x, y & 0xFF, 7);
    }
    return sheet;
}

void ReplaceColourOnATallSheet(benchmark::State &state)
{
    Colour find = Colour(255, 0, 255);
    Colour replace = Colour(0, 255, 255);
    QImage sheet = TallSheet(QRgbFromColour(find));
    for (auto _ : state) {
        ReplaceColour(sheet, find, replace);
        std::swap(find, replace); // every run has the same matches to change
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * sheet.sizeInBytes());
}
BENCHMARK(ReplaceColourOnATallSheet)->Unit(benchmark::kMillisecond);

// GetTile, PutTile with both replacements, ClearChip: what one dropped tile
// costs, on sheets of the given height. Each drop takes a different tile, so
// on the tallest sheets the tile rows come from memory, not the cache.
void OneDrop(benchmark::State &state)
{
    const int height = int(state.range(0));
    const int rows = height / Workspace::kTileSize;
    Workspace workspace;
    workspace.setSheet(0, TallSheet(qRgb(255, 0, 255)).copy(0, 0, Workspace::kSheetWidth, height));
    workspace.setSheet(1, TallSheet(qRgb(0, 255, 255)).copy(0, 0, Workspace::kSheetWidth, height));
    workspace.setKeyColours(0, Colour(255, 0, 255), Colour(64, 64, 64));
    workspace.setKeyColours(1, Colour(0, 255, 255), kBlack);
    workspace.options().setState(OptSwitch::ChkRepTrans, 1);
    workspace.options().setState(OptSwitch::ChkRepTransL, 1);
    std::int32_t row = 0;
    for (auto _ : state) {
        GetTile(workspace, 0, 0, 3, row);
        PutTile(workspace, 1, 0, 5, (row + 17) % rows, -1);
        ClearChip(workspace, 0);
        row = (row + 1) % rows;
    }
}
BENCHMARK(OneDrop)->Arg(1024)->Arg(kTallSheet)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace vexlo
