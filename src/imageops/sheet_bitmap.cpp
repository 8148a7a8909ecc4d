#include "imageops/sheet_bitmap.h"

#include "common/atomic_write.h"
#include "common/failure.h"

#include <QImageWriter>

namespace vexlo {

void WriteSheetBitmap(const QImage &sheet, const QString &path)
{
    if (sheet.isNull())
        throw Failure(QStringLiteral("Cannot write %1: there is no picture to save").arg(path));
    // A 32-bit image goes out as a 24-bit bitmap: each colour exactly, no palette.
    const QImage opaque = sheet.convertToFormat(QImage::Format_RGB32);
    // The bitmap writer fails only when the file does, so the file's reason is the one to give.
    const QString failure = WriteFileAtomically(path, [&opaque](QIODevice &device) {
        return QImageWriter(&device, QByteArrayLiteral("bmp")).write(opaque);
    });
    if (!failure.isEmpty())
        throw Failure(failure);
}

} // namespace vexlo
