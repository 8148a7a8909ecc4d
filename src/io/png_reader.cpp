#include "io/png_reader.h"

#include "common/failure.h"
#include "common/sheet_limits.h"

#include <QtEndian>

#include <libdeflate.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

namespace vexlo {
namespace {

constexpr quint32 kMaxChunkBytes = 0x7FFFFFFFu;

struct Chunk {
    const uchar *type;
    const uchar *data;
    quint32 length;
};

// Walks the chunks after the signature; stops at the first one that is cut
// or whose CRC is wrong.
class ChunkWalk {
public:
    explicit ChunkWalk(QByteArrayView file)
        : at_(reinterpret_cast<const uchar *>(file.data()) + kPngSignature.size()),
          end_(reinterpret_cast<const uchar *>(file.data()) + file.size())
    {
    }

    bool next(Chunk &chunk)
    {
        if (end_ - at_ < 12)
            return false;
        const quint32 length = qFromBigEndian<quint32>(at_);
        if (length > kMaxChunkBytes || quint64(end_ - at_ - 12) < length)
            return false;
        const uchar *type = at_ + 4;
        const quint32 crc = qFromBigEndian<quint32>(type + 4 + length);
        if (libdeflate_crc32(0, type, 4 + std::size_t(length)) != crc)
            return false;
        chunk = {type, type + 4, length};
        at_ = type + 8 + length;
        return true;
    }

private:
    const uchar *at_;
    const uchar *end_;
};

bool Is(const Chunk &chunk, const char (&type)[5])
{
    return std::memcmp(chunk.type, type, 4) == 0;
}

bool Critical(const Chunk &chunk)
{
    return (chunk.type[0] & 0x20) == 0;
}

struct Header {
    quint32 width = 0;
    quint32 height = 0;
    int channels = 0; // 3 for RGB, 4 for RGBA; 0 for any other kind
};

Header ReadHeader(const Chunk &chunk)
{
    if (!Is(chunk, "IHDR") || chunk.length != 13)
        return {};
    const uchar *d = chunk.data;
    const quint32 width = qFromBigEndian<quint32>(d);
    const quint32 height = qFromBigEndian<quint32>(d + 4);
    const bool plain = d[8] == 8 && (d[9] == 2 || d[9] == 6) && d[10] == 0 && d[11] == 0 && d[12] == 0;
    if (!plain || width == 0 || height == 0 || width > kMaxChunkBytes || height > kMaxChunkBytes)
        return {};
    return {width, height, d[9] == 6 ? 4 : 3};
}

// The compressed data of the one run of IDAT chunks, when the file has
// nothing the general reader treats otherwise: no transparency chunk, no
// unknown critical chunk, an end chunk.
bool GatherData(ChunkWalk &walk, std::vector<uchar> &data)
{
    Chunk chunk{};
    bool inData = false;
    bool dataDone = false;
    while (walk.next(chunk)) {
        if (Is(chunk, "IEND"))
            return dataDone || inData;
        if (Is(chunk, "IDAT")) {
            if (dataDone)
                return false;
            inData = true;
            data.insert(data.end(), chunk.data, chunk.data + chunk.length);
            continue;
        }
        dataDone = dataDone || inData;
        inData = false;
        if (Is(chunk, "tRNS") || Is(chunk, "IHDR") || (Critical(chunk) && !Is(chunk, "PLTE")))
            return false;
    }
    return false;
}

int Paeth(int a, int b, int c)
{
    const int p = a + b - c;
    const int pa = std::abs(p - a);
    const int pb = std::abs(p - b);
    const int pc = std::abs(p - c);
    if (pa <= pb && pa <= pc)
        return a;
    return pb <= pc ? b : c;
}

// Undoes one row's filter in place; false for an unknown filter.
bool Unfilter(uchar filter, uchar *row, const uchar *above, std::size_t bytes, int pixelBytes)
{
    switch (filter) {
    case 0:
        return true;
    case 1:
        for (std::size_t i = pixelBytes; i < bytes; ++i)
            row[i] = uchar(row[i] + row[i - pixelBytes]);
        return true;
    case 2:
        for (std::size_t i = 0; i < bytes; ++i)
            row[i] = uchar(row[i] + above[i]);
        return true;
    case 3:
        for (std::size_t i = 0; i < bytes; ++i)
            row[i] = uchar(row[i] + ((i >= std::size_t(pixelBytes) ? row[i - pixelBytes] : 0) + above[i]) / 2);
        return true;
    case 4:
        for (std::size_t i = 0; i < bytes; ++i) {
            const bool left = i >= std::size_t(pixelBytes);
            row[i] = uchar(row[i] + Paeth(left ? row[i - pixelBytes] : 0, above[i], left ? above[i - pixelBytes] : 0));
        }
        return true;
    default:
        return false;
    }
}

struct DecompressorFree {
    void operator()(libdeflate_decompressor *d) const { libdeflate_free_decompressor(d); }
};

} // namespace

QImage ReadCommonPng(QByteArrayView file, const std::function<void(QSize)> &checkSize)
{
    if (!file.startsWith(kPngSignature))
        return {};
    ChunkWalk walk(file);
    Chunk first{};
    if (!walk.next(first))
        return {};
    const Header header = ReadHeader(first);
    if (header.channels == 0)
        return {};
    checkSize(QSize(int(header.width), int(header.height)));

    std::vector<uchar> compressed;
    compressed.reserve(std::size_t(file.size())); // no more than the file holds
    if (!GatherData(walk, compressed))
        return {};
    const int width = int(header.width);
    const int height = int(header.height);
    const int channels = header.channels;
    const std::size_t rowBytes = std::size_t(width) * channels;
    const std::size_t rowsBytes = (rowBytes + 1) * std::size_t(height);
    // The rows inflate straight into the picture's own memory, at its end,
    // and are spread out into pixels from the front: row y's pixels never
    // reach past where row y + 1 starts, and pixel x is read before it is
    // written. No second buffer the size of the picture: fresh memory costs
    // more than the inflating. An RGB picture's memory holds its rows; an
    // RGBA one's is a byte a row short, so it gets a buffer it then owns.
    const std::size_t imageBytes = std::size_t(width) * 4 * std::size_t(height);
    QImage picture;
    if (channels == 3) {
        picture = AllocatedImage(width, height, QImage::Format_RGB32);
    } else {
        auto *own = static_cast<uchar *>(std::malloc(rowsBytes));
        if (!own)
            throw NotEnoughMemory(width, height);
        picture = QImage(own, width, height, qsizetype(width) * 4, QImage::Format_ARGB32, std::free, own);
    }
    uchar *buffer = picture.bits();
    const std::size_t bufferBytes = std::max(imageBytes, rowsBytes);
    uchar *rows = buffer + (bufferBytes - rowsBytes);
    const std::unique_ptr<libdeflate_decompressor, DecompressorFree> inflater(libdeflate_alloc_decompressor());
    if (!inflater)
        throw NotEnoughMemory(width, height);
    // Exactly the rows, or the general reader decides: about data past them
    // (a little is allowed, much refused) and about damage.
    if (libdeflate_zlib_decompress(inflater.get(), compressed.data(), compressed.size(), rows, rowsBytes, nullptr)
        != LIBDEFLATE_SUCCESS)
        return {};

    std::vector<uchar> above(rowBytes, 0); // the row above the first one counts as zeros
    for (int y = 0; y < height; ++y) {
        uchar *row = rows + std::size_t(y) * (rowBytes + 1);
        if (!Unfilter(row[0], row + 1, above.data(), rowBytes, channels))
            return {};
        std::memcpy(above.data(), row + 1, rowBytes); // the pixels may overwrite it
        auto *line = reinterpret_cast<QRgb *>(buffer + std::size_t(y) * width * 4);
        const uchar *p = row + 1;
        if (channels == 4) {
            for (int x = 0; x < width; ++x, p += 4)
                line[x] = qRgba(p[0], p[1], p[2], p[3]);
        } else {
            for (int x = 0; x < width; ++x, p += 3)
                line[x] = qRgb(p[0], p[1], p[2]);
        }
    }
    return picture;
}

} // namespace vexlo
