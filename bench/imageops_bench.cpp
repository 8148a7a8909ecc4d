// The image commands on the tallest sheet the program makes: replacing one
// colour, writing it as a bitmap and reading that back as the load dialog
// does; and the three in a row on a 256 x 8192 bitmap, inside a running
// program (load_replace_save.sh times the same as a process of its own).
// Also a 256 x 8192 PNG loaded, and the check of its image data alone that
// every PNG load makes.
#include "io/sheet_writer.h"
#include "imageops/sheet_height.h"
#include "io/png_data.h"
#include "io/sheet_file.h"
#include "model/workspace.h"
#include "sheet_pipeline.h"
#include "tiles/replace_colour.h"

#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <utility>

namespace vexlo {
namespace {

QImage LargestSheet()
{
    return bench::MagentaSpeckledSheet(kMaxSheetHeight);
}

void ReplaceColourOnTheLargestSheet(benchmark::State &state)
{
    Colour find = Colour(255, 0, 255);
    Colour replace = Colour(0, 0, 0);
    QImage sheet = LargestSheet();
    for (auto _ : state) {
        ReplaceColour(sheet, find, replace);
        std::swap(find, replace); // every run has the same number of matches to change
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * sheet.sizeInBytes());
}
BENCHMARK(ReplaceColourOnTheLargestSheet)->Unit(benchmark::kMillisecond);

// As the save dialog writes it, the file replaced atomically each time; the
// name decides bitmap or PNG.
void SaveTheLargestSheetAs(benchmark::State &state, const char *name)
{
    const QImage sheet = LargestSheet();
    QTemporaryDir folder;
    const QString path = folder.filePath(QLatin1String(name));
    for (auto _ : state)
        WriteSheetFile(sheet, path);
    state.SetBytesProcessed(state.iterations() * sheet.sizeInBytes());
}

void SaveTheLargestSheet(benchmark::State &state)
{
    SaveTheLargestSheetAs(state, "largest.bmp");
}
BENCHMARK(SaveTheLargestSheet)->Unit(benchmark::kMillisecond);

void SaveTheLargestSheetAsPng(benchmark::State &state)
{
    SaveTheLargestSheetAs(state, "largest.png");
}
BENCHMARK(SaveTheLargestSheetAsPng)->Unit(benchmark::kMillisecond);

// The race's sheet, written as the save dialog writes it.
void SaveAPngSheet(benchmark::State &state)
{
    const QImage sheet = bench::MagentaSpeckledSheet(8192);
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("big.png"));
    for (auto _ : state)
        WriteSheetFile(sheet, path);
}
BENCHMARK(SaveAPngSheet)->Unit(benchmark::kMillisecond);

void LoadTheLargestSheet(benchmark::State &state)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("largest.bmp"));
    WriteSheetFile(LargestSheet(), path);
    qint64 bytes = 0;
    for (auto _ : state) {
        const SheetFile file = LoadSheetFile(path);
        if (!file.accepted()) {
            state.SkipWithError(file.refusal.toStdString().c_str());
            break;
        }
        bytes += file.sheet.sizeInBytes();
    }
    state.SetBytesProcessed(bytes);
}
BENCHMARK(LoadTheLargestSheet)->Unit(benchmark::kMillisecond);

void LoadAPngSheet(benchmark::State &state)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("big.png"));
    WriteSheetFile(bench::MagentaSpeckledSheet(8192), path);
    for (auto _ : state) {
        const SheetFile file = LoadSheetFile(path);
        if (!file.accepted()) {
            state.SkipWithError(file.refusal.toStdString().c_str());
            break;
        }
    }
}
BENCHMARK(LoadAPngSheet)->Unit(benchmark::kMillisecond);

void CheckTheImageDataOfAPngSheet(benchmark::State &state)
{
    QTemporaryDir folder;
    QFile file(folder.filePath(QStringLiteral("big.png")));
    WriteSheetFile(bench::MagentaSpeckledSheet(8192), file.fileName());
    file.open(QIODevice::ReadOnly);
    for (auto _ : state) {
        if (PngDataExceedsRows(file)) {
            state.SkipWithError("a whole sheet was taken for a bomb");
            break;
        }
    }
}
BENCHMARK(CheckTheImageDataOfAPngSheet)->Unit(benchmark::kMillisecond);

void LoadReplaceSaveInAProgram(benchmark::State &state)
{
    QTemporaryDir folder;
    const QString in = folder.filePath(QStringLiteral("big.bmp"));
    const QString out = folder.filePath(QStringLiteral("out.bmp"));
    WriteSheetFile(bench::MagentaSpeckledSheet(8192), in);
    for (auto _ : state)
        bench::LoadReplaceSave(in, out);
}
BENCHMARK(LoadReplaceSaveInAProgram)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace vexlo
