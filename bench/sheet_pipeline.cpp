#include "sheet_pipeline.h"

#include "common/failure.h"
#include "io/sheet_writer.h"
#include "io/sheet_file.h"
#include "model/workspace.h"
#include "tiles/replace_colour.h"

#include <QElapsedTimer>

#include <cstdio>
#include <cstdlib>

namespace vexlo::bench {
namespace {

QImage LoadedSheet(const QString &in)
{
    SheetFile file = LoadSheetFile(in);
    if (!file.accepted())
        throw Failure(file.refusal);
    return file.sheet;
}

} // namespace

QImage MagentaSpeckledSheet(int height)
{
    QImage sheet(Workspace::kSheetWidth, height, QImage::Format_RGB32);
    for (int y = 0; y < sheet.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(sheet.scanLine(y));
        for (int x = 0; x < sheet.width(); ++x)
            line[x] = (x * 3 + y) % 8 == 0 ? qRgb(255, 0, 255) : qRgb(x, y & 0xFF, ((y >> 8) * 8) & 0xFF);
    }
    return sheet;
}

void LoadReplaceSave(const QString &in, const QString &out)
{
    QImage sheet = LoadedSheet(in);
    ReplaceColour(sheet, Colour(255, 0, 255), kBlack);
    WriteSheetFile(sheet, out);
}

void LoadSave(const QString &in, const QString &out)
{
    WriteSheetFile(LoadedSheet(in), out);
}

int RunRaceProgram(int argc, char **argv, void (*work)(const QString &in, const QString &out))
{
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: %s IN OUT [RUNS] | --make OUT [HEIGHT]\n", argv[0]);
        return 2;
    }
    try {
        const QString out = QString::fromLocal8Bit(argv[2]);
        if (QByteArray(argv[1]) == "--make") {
            WriteSheetFile(MagentaSpeckledSheet(argc == 4 ? std::atoi(argv[3]) : 8192), out);
            return 0;
        }
        const QString in = QString::fromLocal8Bit(argv[1]);
        const int runs = argc == 4 ? std::atoi(argv[3]) : 1;
        for (int run = 0; run < runs; ++run) {
            QElapsedTimer timer;
            timer.start();
            work(in, out);
            if (argc == 4)
                std::printf("%lld\n", timer.nsecsElapsed() / 1000);
        }
        return 0;
    } catch (const Failure &failure) {
        std::fprintf(stderr, "%s\n", qPrintable(failure.description()));
        return 1;
    }
}

} // namespace vexlo::bench
