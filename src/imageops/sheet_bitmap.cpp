#include "imageops/sheet_bitmap.h"

#include "common/atomic_write.h"
#include "common/failure.h"
#include "common/plain_bitmap.h"

namespace vexlo {

void WriteSheetBitmap(const QImage &sheet, const QString &path)
{
    WriteSheetBitmaps({{sheet, path}});
}

void WriteSheetBitmaps(const std::vector<SheetBitmap> &bitmaps)
{
    std::vector<FileContent> files;
    for (const SheetBitmap &bitmap : bitmaps) {
        if (bitmap.sheet.isNull())
            throw Failure(QStringLiteral("Cannot write %1: there is no picture to save").arg(bitmap.path));
        // A 24-bit bitmap stores each colour exactly, with no palette to round to.
        files.push_back({bitmap.path, [&bitmap](QIODevice &device) { return WriteBitmap24(bitmap.sheet, device); }});
    }
    const QString failure = WriteFilesAtomically(files);
    if (!failure.isEmpty())
        throw Failure(failure);
}

} // namespace vexlo
