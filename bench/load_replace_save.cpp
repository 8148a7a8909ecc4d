// Load, replace colour and save as one process, for load_replace_save.sh.
//
//   load_replace_save --make OUT.bmp   writes the 256 x 8192 test sheet
//   load_replace_save IN.bmp OUT.bmp   magenta (#FF00FF) becomes black
#include "common/failure.h"
#include "imageops/sheet_bitmap.h"
#include "sheet_pipeline.h"

#include <cstdio>

int main(int argc, char **argv)
{
    using namespace vexlo;
    if (argc != 3) {
        std::fprintf(stderr, "usage: load_replace_save IN.bmp OUT.bmp | --make OUT.bmp\n");
        return 2;
    }
    try {
        const QString out = QString::fromLocal8Bit(argv[2]);
        if (QByteArray(argv[1]) == "--make")
            WriteSheetBitmap(bench::MagentaSpeckledSheet(8192), out);
        else
            bench::LoadReplaceSave(QString::fromLocal8Bit(argv[1]), out);
        return 0;
    } catch (const Failure &failure) {
        std::fprintf(stderr, "%s\n", qPrintable(failure.description()));
        return 1;
    }
}
