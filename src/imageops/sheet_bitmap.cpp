#include "imageops/sheet_bitmap.h"

#include "common/atomic_write.h"
#include "common/failure.h"
#include "common/plain_bitmap.h"

namespace vexlo {

void WriteSheetBitmap(const QImage &sheet, const QString &path)
{
    if (sheet.isNull())
        throw Failure(QStringLiteral("Cannot write %1: there is no picture to save").arg(path));
    // A 24-bit bitmap stores each colour exactly, with no palette to round to.
    const QString failure = WriteFileAtomically(path, [&sheet](QIODevice &device) {
        return WriteBitmap24(sheet, device);
    });
    if (!failure.isEmpty())
        throw Failure(failure);
}

} // namespace vexlo
