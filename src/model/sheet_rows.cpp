#include "model/sheet_rows.h"

#include "common/sheet_limits.h"

#include <algorithm>
#include <cstring>

namespace vexlo {
namespace {

void CopyRows(QImage &to, int toFirst, const QImage &from, int fromFirst, int count)
{
    const std::size_t rowBytes = std::size_t(from.width()) * sizeof(QRgb);
    for (int y = 0; y < count; ++y)
        std::memcpy(to.scanLine(toFirst + y), from.constScanLine(fromFirst + y), rowBytes);
}

bool BlackRow(const QImage &sheet, int y)
{
    const auto *row = reinterpret_cast<const QRgb *>(sheet.constScanLine(y));
    return std::all_of(row, row + sheet.width(), [](QRgb pixel) { return pixel == qRgb(0, 0, 0); });
}

} // namespace

QImage SheetWithHeight(const QImage &sheet, int pixels, const QImage &rowsBelow)
{
    QImage resized = AllocatedImage(sheet.width(), pixels, QImage::Format_RGB32);
    const QImage source = ConvertedImage(sheet, QImage::Format_RGB32);
    const int kept = std::min(source.height(), pixels);
    CopyRows(resized, 0, source, 0, kept);
    const int below = rowsBelow.isNull() ? 0 : std::min(rowsBelow.height(), pixels - kept);
    if (below > 0)
        CopyRows(resized, kept, ConvertedImage(rowsBelow, QImage::Format_RGB32), 0, below);
    for (int y = kept + below; y < pixels; ++y)
        std::fill_n(reinterpret_cast<QRgb *>(resized.scanLine(y)), source.width(), qRgb(0, 0, 0));
    return resized;
}

QImage SheetRowsFrom(const QImage &sheet, int first)
{
    const QImage source = ConvertedImage(sheet, QImage::Format_RGB32);
    int end = source.height();
    while (end > first && BlackRow(source, end - 1))
        --end;
    if (end <= first)
        return {};
    QImage rows = AllocatedImage(source.width(), end - first, QImage::Format_RGB32);
    CopyRows(rows, 0, source, first, rows.height());
    return rows;
}

} // namespace vexlo
