// Load, replace colour and save, for load_replace_save.sh.
//
//   load_replace_save --make OUT.bmp          writes the 256 x 8192 test sheet
//   load_replace_save IN.bmp OUT.bmp          magenta (#FF00FF) becomes black
//   load_replace_save IN.bmp OUT.bmp RUNS     the same RUNS times in this one
//                                             process, as in a running Vexlo,
//                                             printing each run's microseconds
#include "common/failure.h"
#include "imageops/sheet_writer.h"
#include "sheet_pipeline.h"

#include <QElapsedTimer>

#include <cstdio>
#include <cstdlib>

int main(int argc, char **argv)
{
    using namespace vexlo;
    if (argc != 3 && argc != 4) {
        std::fprintf(stderr, "usage: load_replace_save IN.bmp OUT.bmp [RUNS] | --make OUT.bmp\n");
        return 2;
    }
    try {
        const QString out = QString::fromLocal8Bit(argv[2]);
        if (QByteArray(argv[1]) == "--make") {
            WriteSheetFile(bench::MagentaSpeckledSheet(8192), out);
            return 0;
        }
        const QString in = QString::fromLocal8Bit(argv[1]);
        const int runs = argc == 4 ? std::atoi(argv[3]) : 1;
        for (int run = 0; run < runs; ++run) {
            QElapsedTimer timer;
            timer.start();
            bench::LoadReplaceSave(in, out);
            if (argc == 4)
                std::printf("%lld\n", timer.nsecsElapsed() / 1000);
        }
        return 0;
    } catch (const Failure &failure) {
        std::fprintf(stderr, "%s\n", qPrintable(failure.description()));
        return 1;
    }
}
