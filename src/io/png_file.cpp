#include "io/png_file.h"

#include "common/failure.h"
#include "common/sheet_limits.h"
#include "io/sheet_transparency.h"

#include <QtEndian>

#define ZLIB_CONST // input the compressor only reads
#include <zlib.h>

#include <array>
#include <vector>

namespace vexlo {
namespace {

constexpr char kSignature[] = "\x89PNG\r\n\x1a\n";
constexpr uchar kFilterUp = 2;
constexpr int kFastestLevel = 1;
constexpr std::size_t kIdatBytes = 256 * 1024; // compressed bytes a chunk

// One chunk: its length, type, data and the CRC of type and data.
bool WriteChunk(QIODevice &device, const char (&type)[5], const uchar *data, std::size_t size)
{
    uchar head[8];
    qToBigEndian<quint32>(quint32(size), head);
    std::copy(type, type + 4, head + 4);
    uLong crc = crc32(0, head + 4, 4);
    if (size > 0)
        crc = crc32(crc, data, uInt(size));
    uchar tail[4];
    qToBigEndian<quint32>(quint32(crc), tail);
    return device.write(reinterpret_cast<const char *>(head), 8) == 8
           && (size == 0 || device.write(reinterpret_cast<const char *>(data), qint64(size)) == qint64(size))
           && device.write(reinterpret_cast<const char *>(tail), 4) == 4;
}

// A zlib stream whose output goes out in IDAT chunks.
class IdatStream {
public:
    IdatStream() : out_(kIdatBytes)
    {
        if (deflateInit(&stream_, kFastestLevel) != Z_OK)
            throw Failure(QStringLiteral("Not enough memory to compress the picture."));
    }
    ~IdatStream() { deflateEnd(&stream_); }
    IdatStream(const IdatStream &) = delete;
    IdatStream &operator=(const IdatStream &) = delete;

    // Compresses the bytes; false when the device refused a write.
    bool put(QIODevice &device, const uchar *bytes, std::size_t size) { return pump(device, bytes, size, false); }
    // Ends the stream with what is still held back.
    bool finish(QIODevice &device) { return pump(device, nullptr, 0, true); }

private:
    bool pump(QIODevice &device, const uchar *bytes, std::size_t size, bool last)
    {
        stream_.next_in = bytes;
        stream_.avail_in = uInt(size);
        const int flush = last ? Z_FINISH : Z_NO_FLUSH;
        int status = Z_OK;
        do {
            stream_.next_out = out_.data();
            stream_.avail_out = uInt(out_.size());
            status = deflate(&stream_, flush);
            if (status == Z_STREAM_ERROR)
                return false;
            const std::size_t made = out_.size() - stream_.avail_out;
            if (made > 0 && !WriteChunk(device, "IDAT", out_.data(), made))
                return false;
        } while (stream_.avail_out == 0 || (last && status != Z_STREAM_END));
        return true;
    }

    z_stream stream_{};
    std::vector<uchar> out_;
};

} // namespace

bool WritePng(const QImage &image, QIODevice &device, std::optional<KeyPair> keysAsAlpha)
{
    const QImage source = ConvertedImage(image, QImage::Format_RGB32);
    const int width = source.width();
    const int height = source.height();
    const int channels = keysAsAlpha ? 4 : 3;

    uchar header[13] = {};
    qToBigEndian<quint32>(quint32(width), header);
    qToBigEndian<quint32>(quint32(height), header + 4);
    header[8] = 8;                   // bits a sample
    header[9] = keysAsAlpha ? 6 : 2; // truecolour with alpha, or without
    if (device.write(kSignature, 8) != 8 || !WriteChunk(device, "IHDR", header, sizeof header))
        return false;

    const QRgb transparent = keysAsAlpha ? QRgbFromColour(keysAsAlpha->transparent) : 0;
    const QRgb translucent = keysAsAlpha ? QRgbFromColour(keysAsAlpha->translucent) : 0;
    IdatStream idat;
    const std::size_t rowBytes = std::size_t(width) * channels;
    std::vector<uchar> above(rowBytes, 0); // the row above the first one counts as zeros
    std::vector<uchar> row(rowBytes);
    std::vector<uchar> filtered(1 + rowBytes);
    filtered[0] = kFilterUp;
    for (int y = 0; y < height; ++y) {
        const auto *pixels = reinterpret_cast<const QRgb *>(source.constScanLine(y));
        uchar *p = row.data();
        for (int x = 0; x < width; ++x, p += channels) {
            const QRgb pixel =
                keysAsAlpha ? PixelWithKeysAsAlpha(pixels[x], transparent, translucent) : pixels[x];
            p[0] = uchar(qRed(pixel));
            p[1] = uchar(qGreen(pixel));
            p[2] = uchar(qBlue(pixel));
            if (keysAsAlpha)
                p[3] = uchar(qAlpha(pixel));
        }
        for (std::size_t i = 0; i < rowBytes; ++i)
            filtered[1 + i] = uchar(row[i] - above[i]);
        row.swap(above);
        if (!idat.put(device, filtered.data(), filtered.size()))
            return false;
    }
    return idat.finish(device) && WriteChunk(device, "IEND", nullptr, 0);
}

} // namespace vexlo
