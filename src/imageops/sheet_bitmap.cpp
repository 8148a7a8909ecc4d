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
    QString writerError;
    const QString failure = WriteFileAtomically(path, [&](QIODevice &device) {
        QImageWriter writer(&device, QByteArrayLiteral("bmp"));
        if (writer.write(opaque))
            return true;
        writerError = writer.errorString();
        return false;
    });
    if (failure.isEmpty())
        return;
    throw Failure(writerError.isEmpty() ? failure : failure + QStringLiteral(" (") + writerError + u')');
}

} // namespace vexlo
