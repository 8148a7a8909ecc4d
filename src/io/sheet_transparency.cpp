#include "io/sheet_transparency.h"

#include "common/sheet_limits.h"

#include <cstring>

namespace vexlo {

QImage KeyKindsOf(const QImage &picture)
{
    const QImage source = ConvertedImage(picture, QImage::Format_ARGB32);
    QImage kinds = AllocatedImage(source.width(), source.height(), QImage::Format_Grayscale8);
    for (int y = 0; y < source.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        uchar *out = kinds.scanLine(y);
        for (int x = 0; x < source.width(); ++x)
            out[x] = uchar(KeyKindOf(row[x]));
    }
    return kinds;
}

QImage WidenKeyKinds(const QImage &kinds, int width)
{
    if (kinds.isNull() || kinds.width() >= width)
        return kinds;
    QImage wide = AllocatedImage(width, kinds.height(), QImage::Format_Grayscale8);
    wide.fill(0);
    for (int y = 0; y < kinds.height(); ++y)
        std::memcpy(wide.scanLine(y), kinds.constScanLine(y), std::size_t(kinds.width()));
    return wide;
}

QImage SheetWithKeys(QImage sheet, const QImage &kinds, Colour transparent, Colour translucent)
{
    if (kinds.isNull() || kinds.size() != sheet.size())
        return sheet;
    const QRgb keys[3] = {0, QRgbFromColour(transparent), QRgbFromColour(translucent)};
    uchar *line = WritableBits(sheet);
    const qsizetype stride = sheet.bytesPerLine();
    for (int y = 0; y < sheet.height(); ++y, line += stride) {
        auto *row = reinterpret_cast<QRgb *>(line);
        const uchar *kind = kinds.constScanLine(y);
        for (int x = 0; x < sheet.width(); ++x)
            if (kind[x] == uchar(KeyKind::Transparent) || kind[x] == uchar(KeyKind::Translucent))
                row[x] = keys[kind[x]];
    }
    return sheet;
}

} // namespace vexlo
