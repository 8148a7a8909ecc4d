#include "io/plain_bitmap.h"

#include "common/sheet_limits.h"

#include <QtEndian>

#include <algorithm>
#include <limits>

namespace vexlo {
namespace {

constexpr qint64 kFileHeaderBytes = 14;
constexpr qint64 kInfoHeaderBytes = 40;
constexpr qint64 kHeadBytes = kFileHeaderBytes + kInfoHeaderBytes;
// Rows go through memory this many bytes at a time, so a whole file is never
// held twice.
constexpr qint64 kBlockBytes = 256 * 1024;

template <typename T>
T LittleEndianAt(QByteArrayView bytes, qint64 offset)
{
    return qFromLittleEndian<T>(bytes.data() + offset);
}

qint64 RowBytes(qint64 width, int bitsPerPixel)
{
    return (width * bitsPerPixel + 31) / 32 * 4;
}

// A 24-bit row is blue, green, red per pixel: the low three bytes of each
// little-endian QRgb. Four pixels make three whole 32-bit words, which is
// much faster than storing byte by byte.
void PackRow24(const QRgb *from, uchar *to, int width)
{
    int x = 0;
    for (; x + 4 <= width; x += 4, to += 12) {
        const quint32 p0 = from[x], p1 = from[x + 1], p2 = from[x + 2], p3 = from[x + 3];
        qToLittleEndian<quint32>((p0 & 0xFFFFFFu) | (p1 << 24), to);
        qToLittleEndian<quint32>(((p1 >> 8) & 0xFFFFu) | (p2 << 16), to + 4);
        qToLittleEndian<quint32>(((p2 >> 16) & 0xFFu) | (p3 << 8), to + 8);
    }
    for (; x < width; ++x, to += 3) {
        to[0] = uchar(qBlue(from[x]));
        to[1] = uchar(qGreen(from[x]));
        to[2] = uchar(qRed(from[x]));
    }
}

void UnpackRow24(const uchar *from, QRgb *to, int width)
{
    constexpr quint32 kOpaque = 0xFF000000u;
    int x = 0;
    for (; x + 4 <= width; x += 4, from += 12) {
        const auto w0 = qFromLittleEndian<quint32>(from);
        const auto w1 = qFromLittleEndian<quint32>(from + 4);
        const auto w2 = qFromLittleEndian<quint32>(from + 8);
        to[x] = kOpaque | (w0 & 0xFFFFFFu);
        to[x + 1] = kOpaque | (w0 >> 24) | ((w1 & 0xFFFFu) << 8);
        to[x + 2] = kOpaque | (w1 >> 16) | ((w2 & 0xFFu) << 16);
        to[x + 3] = kOpaque | (w2 >> 8);
    }
    for (; x < width; ++x, from += 3)
        to[x] = kOpaque | (QRgb(from[2]) << 16) | (QRgb(from[1]) << 8) | from[0];
}

void UnpackRow32(const uchar *from, QRgb *to, int width)
{
    for (int x = 0; x < width; ++x, from += 4)
        to[x] = 0xFF000000u | qFromLittleEndian<quint32>(from); // the fourth byte is unused
}

} // namespace

std::optional<PlainBitmapLayout> PlainBitmapLayoutOf(QByteArrayView head, qint64 fileSize, qint64 maxImageBytes)
{
    if (head.size() < kHeadBytes || head[0] != 'B' || head[1] != 'M')
        return std::nullopt;
    const auto offset = LittleEndianAt<quint32>(head, 10);
    const auto infoSize = LittleEndianAt<quint32>(head, 14);
    const auto width = LittleEndianAt<qint32>(head, 18);
    const auto height = LittleEndianAt<qint32>(head, 22);
    const auto planes = LittleEndianAt<quint16>(head, 26);
    const auto bits = LittleEndianAt<quint16>(head, 28);
    const auto compression = LittleEndianAt<quint32>(head, 30);
    if (infoSize != kInfoHeaderBytes || planes != 1 || (bits != 24 && bits != 32) || compression != 0)
        return std::nullopt;
    if (width <= 0 || height == 0 || height == std::numeric_limits<qint32>::min() || offset < kHeadBytes)
        return std::nullopt;

    PlainBitmapLayout layout;
    layout.width = width;
    layout.height = height < 0 ? -height : height;
    layout.topDown = height < 0;
    layout.bitsPerPixel = bits;
    layout.pixelOffset = offset;
    layout.rowBytes = RowBytes(width, bits);
    // Divided, not multiplied: two 31-bit sides times 4 overflow 64 bits.
    if (layout.width > maxImageBytes / 4 / layout.height)
        return std::nullopt;
    if (layout.pixelOffset + layout.rowBytes * layout.height > fileSize)
        return std::nullopt; // ends early: the general reader says what it can
    return layout;
}

QImage ReadPlainBitmapRows(const PlainBitmapLayout &layout, QIODevice &rows)
{
    QImage image = AllocatedImage(layout.width, layout.height, QImage::Format_RGB32);
    const int width = layout.width;
    const int rowsPerBlock = int(std::max<qint64>(1, kBlockBytes / layout.rowBytes));
    QByteArray block;
    for (int first = 0; first < layout.height; first += rowsPerBlock) {
        const int count = std::min(rowsPerBlock, layout.height - first);
        block = rows.read(count * layout.rowBytes);
        if (block.size() != count * layout.rowBytes)
            return {};
        for (int stored = first; stored < first + count; ++stored) {
            const auto *from = reinterpret_cast<const uchar *>(block.constData()) + (stored - first) * layout.rowBytes;
            const int y = layout.topDown ? stored : layout.height - 1 - stored;
            auto *to = reinterpret_cast<QRgb *>(image.scanLine(y));
            if (layout.bitsPerPixel == 24)
                UnpackRow24(from, to, width);
            else
                UnpackRow32(from, to, width);
        }
    }
    return image;
}

bool WriteBitmap24(const QImage &image, QIODevice &device)
{
    const QImage source = ConvertedImage(image, QImage::Format_RGB32);
    const int width = source.width(); // read once: the loops below run per pixel
    const int height = source.height();
    const qint64 rowBytes = RowBytes(width, 24);
    const qint64 pixelBytes = rowBytes * height;

    uchar head[kHeadBytes] = {};
    head[0] = 'B';
    head[1] = 'M';
    qToLittleEndian<quint32>(quint32(kHeadBytes + pixelBytes), head + 2);
    qToLittleEndian<quint32>(quint32(kHeadBytes), head + 10);
    qToLittleEndian<quint32>(quint32(kInfoHeaderBytes), head + 14);
    qToLittleEndian<qint32>(width, head + 18);
    qToLittleEndian<qint32>(height, head + 22); // positive: bottom row first
    qToLittleEndian<quint16>(1, head + 26);
    qToLittleEndian<quint16>(24, head + 28);
    qToLittleEndian<quint32>(quint32(pixelBytes), head + 34);
    qToLittleEndian<qint32>(2835, head + 38); // 72 dots per inch, in dots per metre
    qToLittleEndian<qint32>(2835, head + 42);
    if (device.write(reinterpret_cast<const char *>(head), kHeadBytes) != kHeadBytes)
        return false;

    const int rowsPerBlock = int(std::max<qint64>(1, kBlockBytes / std::max<qint64>(1, rowBytes)));
    QByteArray block;
    for (int done = 0; done < height; done += rowsPerBlock) {
        const int count = std::min(rowsPerBlock, height - done);
        block.fill('\0', count * rowBytes); // the padding at each row's end stays 0
        for (int i = 0; i < count; ++i) {
            const int y = height - 1 - (done + i);
            const auto *from = reinterpret_cast<const QRgb *>(source.constScanLine(y));
            PackRow24(from, reinterpret_cast<uchar *>(block.data()) + i * rowBytes, width);
        }
        if (device.write(block) != block.size())
            return false;
    }
    return true;
}

} // namespace vexlo
