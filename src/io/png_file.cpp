#include "io/png_file.h"

#include "common/failure.h"
#include "common/huge_pages.h"
#include "common/sheet_limits.h"
#include "io/png_reader.h"
#include "io/sheet_transparency.h"

#include <QtEndian>

#include <libdeflate.h>

#include <memory>
#include <new>
#include <vector>

namespace vexlo {
namespace {

constexpr uchar kFilterUp = 2;
constexpr int kFastestLevel = 1;
constexpr std::size_t kIdatBytes = 1024 * 1024; // compressed bytes a chunk

// One chunk: its length, type, data and the CRC of type and data.
bool WriteChunk(QIODevice &device, const char (&type)[5], const uchar *data, std::size_t size)
{
    uchar head[8];
    qToBigEndian<quint32>(quint32(size), head);
    std::copy(type, type + 4, head + 4);
    quint32 crc = libdeflate_crc32(0, head + 4, 4);
    if (size > 0) // a null buffer restarts the sum
        crc = libdeflate_crc32(crc, data, size);
    uchar tail[4];
    qToBigEndian<quint32>(crc, tail);
    return device.write(reinterpret_cast<const char *>(head), 8) == 8
           && (size == 0 || device.write(reinterpret_cast<const char *>(data), qint64(size)) == qint64(size))
           && device.write(reinterpret_cast<const char *>(tail), 4) == 4;
}

Failure NoMemoryToCompress()
{
    return Failure(QStringLiteral("Not enough memory to compress the picture."));
}

// Huge-page memory for the filtered rows and, after them, their compressed
// form, left as it comes: each byte is written before it is read.
class WorkMemory {
public:
    WorkMemory(std::size_t rowsBytes, std::size_t roomBytes)
        : rowsBytes_(WholeHugePages(rowsBytes)), size_(rowsBytes_ + roomBytes)
    {
        try {
            start_ = static_cast<uchar *>(MapHugePages(size_));
        } catch (const std::bad_alloc &) {
            throw NoMemoryToCompress();
        }
    }
    ~WorkMemory() { UnmapHugePages(start_, size_); }
    WorkMemory(const WorkMemory &) = delete;
    WorkMemory &operator=(const WorkMemory &) = delete;

    uchar *rows() const { return start_; }
    uchar *room() const { return start_ + rowsBytes_; }

private:
    std::size_t rowsBytes_;
    std::size_t size_;
    uchar *start_ = nullptr;
};

// Every row as its filter byte and its bytes less the row above's.
void FilterRows(const QImage &source, std::optional<KeyPair> keys, uchar *out)
{
    const int width = source.width();
    const int channels = keys ? 4 : 3;
    const std::size_t rowBytes = std::size_t(width) * channels;
    const QRgb transparent = keys ? QRgbFromColour(keys->transparent) : 0;
    const QRgb translucent = keys ? QRgbFromColour(keys->translucent) : 0;
    std::vector<uchar> above(rowBytes, 0); // the row above the first one counts as zeros
    std::vector<uchar> row(rowBytes);
    for (int y = 0; y < source.height(); ++y) {
        const auto *pixels = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        uchar *p = row.data();
        for (int x = 0; x < width; ++x, p += channels) {
            const QRgb pixel = keys ? PixelWithKeysAsAlpha(pixels[x], transparent, translucent) : pixels[x];
            p[0] = uchar(qRed(pixel));
            p[1] = uchar(qGreen(pixel));
            p[2] = uchar(qBlue(pixel));
            if (keys)
                p[3] = uchar(qAlpha(pixel));
        }
        *out++ = kFilterUp;
        for (std::size_t i = 0; i < rowBytes; ++i)
            *out++ = uchar(row[i] - above[i]);
        row.swap(above);
    }
}

struct CompressorFree {
    void operator()(libdeflate_compressor *c) const { libdeflate_free_compressor(c); }
};

} // namespace

bool WritePng(const QImage &image, QIODevice &device, std::optional<KeyPair> keysAsAlpha)
{
    const QImage source = ConvertedImage(image, QImage::Format_RGB32);
    uchar header[13] = {};
    qToBigEndian<quint32>(quint32(source.width()), header);
    qToBigEndian<quint32>(quint32(source.height()), header + 4);
    header[8] = 8;                   // bits a sample
    header[9] = keysAsAlpha ? 6 : 2; // truecolour with alpha, or without
    if (device.write(kPngSignature.data(), kPngSignature.size()) != kPngSignature.size() || !WriteChunk(device, "IHDR", header, sizeof header))
        return false;

    const std::unique_ptr<libdeflate_compressor, CompressorFree> compressor(
        libdeflate_alloc_compressor(kFastestLevel));
    if (!compressor)
        throw NoMemoryToCompress();
    const std::size_t rowsBytes =
        (1 + std::size_t(source.width()) * (keysAsAlpha ? 4 : 3)) * std::size_t(source.height());
    const std::size_t room = libdeflate_zlib_compress_bound(compressor.get(), rowsBytes);
    const WorkMemory memory(rowsBytes, room);
    FilterRows(source, keysAsAlpha, memory.rows());
    const std::size_t size =
        libdeflate_zlib_compress(compressor.get(), memory.rows(), rowsBytes, memory.room(), room);
    if (size == 0)
        throw NoMemoryToCompress(); // the worst case always fits
    for (std::size_t at = 0; at < size; at += kIdatBytes)
        if (!WriteChunk(device, "IDAT", memory.room() + at, std::min(kIdatBytes, size - at)))
            return false;
    return WriteChunk(device, "IEND", nullptr, 0);
}

} // namespace vexlo
