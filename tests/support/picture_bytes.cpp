#include "support/picture_bytes.h"

#include <QBuffer>
#include <QImageWriter>
#include <QList>

#include <bit>

namespace vexlo::test {
namespace {

void AppendLe16(QByteArray &bytes, quint16 value)
{
    bytes.append(char(value & 0xFF)).append(char(value >> 8));
}

void AppendLe32(QByteArray &bytes, quint32 value)
{
    AppendLe16(bytes, quint16(value & 0xFFFF));
    AppendLe16(bytes, quint16(value >> 16));
}

// LZW codes packed least significant bit first, as GIF wants them.
class CodeWriter {
public:
    void put(int code, int bits)
    {
        for (int bit = 0; bit < bits; ++bit) {
            if (filled_ == 0)
                bytes_.append('\0');
            if (code & (1 << bit))
                bytes_[bytes_.size() - 1] = char(bytes_.back() | (1 << filled_));
            filled_ = (filled_ + 1) % 8;
        }
    }
    const QByteArray &bytes() const { return bytes_; }

private:
    QByteArray bytes_;
    int filled_ = 0;
};

// Every pixel as a literal 9-bit code, with a clear code often enough that
// the decoder's table never grows to 10-bit codes.
QByteArray LzwLiterals(const QByteArray &indices)
{
    constexpr int kClear = 256, kEnd = 257, kBits = 9, kRun = 250;
    CodeWriter codes;
    for (qsizetype i = 0; i < indices.size(); ++i) {
        if (i % kRun == 0)
            codes.put(kClear, kBits);
        codes.put(quint8(indices[i]), kBits);
    }
    codes.put(kEnd, kBits);
    return codes.bytes();
}

// A GIF file of one frame at the top left whose LZW data (8-bit codes) is
// given, with a global table of up to 256 colours.
QByteArray GifFile(QSize screen, QSize frame, QList<QRgb> palette, int transparentIndex, const QByteArray &data)
{
    palette.resize(256, qRgb(0, 0, 0));
    QByteArray gif("GIF89a");
    AppendLe16(gif, quint16(screen.width()));
    AppendLe16(gif, quint16(screen.height()));
    gif.append(char(0xF7)).append('\0').append('\0'); // global table of 256 entries
    for (QRgb colour : palette)
        gif.append(char(qRed(colour))).append(char(qGreen(colour))).append(char(qBlue(colour)));
    if (transparentIndex >= 0)
        gif.append("\x21\xF9\x04\x01\x00\x00", 6).append(char(transparentIndex)).append('\0');
    gif.append(',');
    AppendLe32(gif, 0); // left, top
    AppendLe16(gif, quint16(frame.width()));
    AppendLe16(gif, quint16(frame.height()));
    gif.append('\0').append('\x08'); // no local table; 8-bit minimum code size
    for (qsizetype at = 0; at < data.size(); at += 255) {
        const QByteArray block = data.mid(at, 255);
        gif.append(char(block.size())).append(block);
    }
    gif.append('\0').append(';');
    return gif;
}

quint32 Crc32(QByteArrayView bytes)
{
    quint32 crc = 0xFFFFFFFFu;
    for (const char byte : bytes) {
        crc ^= quint8(byte);
        for (int bit = 0; bit < 8; ++bit)
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
    }
    return ~crc;
}

QByteArray PngChunk(const char *type, const QByteArray &data)
{
    const QByteArray body = QByteArray(type, 4) + data;
    QByteArray chunk;
    AppendBe32(chunk, quint32(data.size()));
    chunk += body;
    AppendBe32(chunk, Crc32(body));
    return chunk;
}

// Deflate's fixed codes as written, least significant bit first: a literal
// zero (8 bits), then a copy of 258 bytes (8 bits) from one back (5 bits).
void PutLiteralZero(CodeWriter &codes)
{
    codes.put(0x0C, 8);
}
void PutCopyOf258(CodeWriter &codes)
{
    codes.put(0xA3, 8);
    codes.put(0, 5);
}

} // namespace

QImage BlockPicture(int width, int height)
{
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *row = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < width; ++x)
            row[x] = qRgb(40 + (x / 8) * 6, 40 + (y / 8) * 5, 250 - ((x / 8 + y / 8) % 4) * 50);
    }
    return picture;
}

void PutLe16(QByteArray &bytes, int offset, quint16 value)
{
    bytes[offset] = char(value & 0xFF);
    bytes[offset + 1] = char(value >> 8);
}

void PutLe32(QByteArray &bytes, int offset, quint32 value)
{
    PutLe16(bytes, offset, quint16(value & 0xFFFF));
    PutLe16(bytes, offset + 2, quint16(value >> 16));
}

void AppendBe32(QByteArray &bytes, quint32 value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.append(char((value >> shift) & 0xFF));
}

QByteArray RgbPngBytes(quint32 width, quint32 height, const QByteArray &data, bool interlaced, int bitsPerChannel)
{
    QByteArray header;
    AppendBe32(header, width);
    AppendBe32(header, height);
    header.append(char(bitsPerChannel)).append(char(2)).append('\0').append('\0').append(char(interlaced ? 1 : 0));
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + PngChunk("IHDR", header) + PngChunk("IDAT", data)
           + PngChunk("IEND", QByteArray());
}

QByteArray ZlibZeros(qint64 count)
{
    // One block of fixed codes: a literal zero and copies of 258 bytes. The
    // 3 header bits, the literal and one copy end on a byte boundary, as do
    // every 8 copies after them, so those bytes repeat.
    const qint64 copies = (count - 1) / 258;
    CodeWriter head;
    head.put(0b011, 3); // the last block, of fixed codes
    PutLiteralZero(head);
    PutCopyOf258(head);
    CodeWriter eight;
    for (int i = 0; i < 8; ++i)
        PutCopyOf258(eight);
    CodeWriter tail;
    for (qint64 i = 0; i < (copies - 1) % 8; ++i)
        PutCopyOf258(tail);
    for (qint64 i = 0; i < (count - 1) % 258; ++i)
        PutLiteralZero(tail);
    tail.put(0, 7); // the end of the block
    QByteArray stream = "\x78\x01" + head.bytes() + eight.bytes().repeated((copies - 1) / 8) + tail.bytes();
    AppendBe32(stream, quint32(count % 65521) << 16 | 1); // the Adler-32 sum of zeros
    return stream;
}

QByteArray PngIconBytes(const QByteArray &png)
{
    QByteArray icon;
    AppendLe16(icon, 0);
    AppendLe16(icon, 1);
    AppendLe16(icon, 1);
    icon.append("\x20\x20\0\0", 4); // 32 x 32, no palette
    AppendLe16(icon, 1);
    AppendLe16(icon, 32);
    AppendLe32(icon, quint32(png.size()));
    AppendLe32(icon, 22);
    return icon + png;
}

QByteArray GifBytes(const QImage &picture, int transparentIndex, qint64 extraPixels)
{
    const QImage rgb = picture.convertToFormat(QImage::Format_RGB32);
    QList<QRgb> palette;
    QByteArray indices;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            qsizetype index = palette.indexOf(row[x]);
            if (index < 0) {
                index = palette.size();
                palette.append(row[x]);
            }
            indices.append(char(index));
        }
    }
    indices.append(QByteArray(extraPixels, '\0'));
    return GifFile(rgb.size(), rgb.size(), palette, transparentIndex, LzwLiterals(indices));
}

QByteArray GifBombBytes(QSize screen, QSize frame, qint64 longCodes)
{
    // After a clear code and a zero, each next code is the one being added,
    // a zero longer than the one before, up to the full table. As the table
    // grows each code is one bit wider and the whole run ends on a byte
    // boundary; the last code, all ones, then stands for 3,839 zeros.
    CodeWriter codes;
    codes.put(256, 9);
    codes.put(0, 9);
    for (int code = 258; code < 4096; ++code)
        codes.put(code, int(std::bit_width(unsigned(code))));
    CodeWriter end;
    end.put(257, 12);
    return GifFile(screen, frame, QList<QRgb>(256, qRgb(0, 0, 0)), -1,
                   codes.bytes() + QByteArray(longCodes / 2 * 3, '\xFF') + end.bytes());
}

QByteArray IconBytes(const QImage &picture, bool cursor)
{
    const QImage argb = picture.convertToFormat(QImage::Format_ARGB32);
    const int width = argb.width(), height = argb.height();
    const int maskRowBytes = (width + 31) / 32 * 4;
    const quint32 imageBytes = quint32(40 + width * height * 4 + maskRowBytes * height);

    QByteArray icon;
    AppendLe16(icon, 0);
    AppendLe16(icon, cursor ? 2 : 1);
    AppendLe16(icon, 1);
    icon.append(char(width & 0xFF)).append(char(height & 0xFF)).append('\0').append('\0');
    AppendLe16(icon, cursor ? 0 : 1);  // planes, or the hot spot's x
    AppendLe16(icon, cursor ? 0 : 32); // bits per pixel, or the hot spot's y
    AppendLe32(icon, imageBytes);
    AppendLe32(icon, 22);

    AppendLe32(icon, 40);
    AppendLe32(icon, quint32(width));
    AppendLe32(icon, quint32(height * 2)); // colour rows and mask rows
    AppendLe16(icon, 1);
    AppendLe16(icon, 32);
    for (int field = 0; field < 6; ++field)
        AppendLe32(icon, 0);
    for (int y = height - 1; y >= 0; --y) {
        const auto *row = reinterpret_cast<const QRgb *>(argb.constScanLine(y));
        for (int x = 0; x < width; ++x)
            icon.append(char(qBlue(row[x]))).append(char(qGreen(row[x])))
                .append(char(qRed(row[x]))).append(char(qAlpha(row[x])));
    }
    icon.append(QByteArray(maskRowBytes * height, '\0'));
    return icon;
}

QByteArray WrittenBytes(const QImage &picture, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(100);
    writer.write(picture);
    return bytes;
}

} // namespace vexlo::test
