#include "sheet_pipeline.h"

#include "common/failure.h"
#include "imageops/sheet_writer.h"
#include "load/sheet_file.h"
#include "model/workspace.h"
#include "tiles/replace_colour.h"

namespace vexlo::bench {

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
    SheetFile file = LoadSheetFile(in);
    if (!file.accepted())
        throw Failure(file.refusal);
    ReplaceColour(file.sheet, ColourFromRgb(255, 0, 255), kBlack);
    WriteSheetFile(file.sheet, out);
}

} // namespace vexlo::bench
