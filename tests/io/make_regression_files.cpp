// Writes the damaged and hostile picture files kept in tests/data/load, so
// each can be made again: make_load_regression_files tests/data/load
#include "support/picture_bytes.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QCoreApplication>
#include <QImageWriter>
#include <QList>

#include <cstdio>
#include <limits>

using namespace vexlo::test;

namespace {

// The 54 bytes of a bitmap file's two headers (file header and the 40-byte
// information header), for a picture whose pixel data, after `tableBytes` of
// palette or colour masks, is `dataBytes` long.
QByteArray BitmapHeaders(qint32 width, qint32 height, int bitsPerPixel, int compression, int tableBytes,
                         int dataBytes)
{
    QByteArray bmp(14 + 40, '\0');
    bmp[0] = 'B';
    bmp[1] = 'M';
    PutLe32(bmp, 2, quint32(14 + 40 + tableBytes + dataBytes));
    PutLe32(bmp, 10, quint32(14 + 40 + tableBytes));
    PutLe32(bmp, 14, 40);
    PutLe32(bmp, 18, quint32(width));
    PutLe32(bmp, 22, quint32(height));
    PutLe16(bmp, 26, 1);
    PutLe16(bmp, 28, quint16(bitsPerPixel));
    PutLe32(bmp, 30, quint32(compression));
    if (bitsPerPixel <= 8)
        PutLe32(bmp, 46, quint32(tableBytes / 4)); // palette entries used
    return bmp;
}

// Damaged MNG bytes named ".bmp", kept as the fuzzer found them: the MNG
// reader says it read them but gives no picture.
QByteArray FoundByFuzzing()
{
    return QByteArray::fromHex(
        "8a4d4e470d0a1a0a00000000003600000028000000080000f4000000000100200000610f0000610f0200000000000000"
        "009600090028000000a0860100a08601000100180000d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2"
        "d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2d2"
        "d200000000300000610f0000fa4b2efa4b2efa4b6375724d3534963d522d");
}

// A palette of `entries` colours, each different from the others.
QByteArray Palette(int entries)
{
    QByteArray palette(entries * 4, '\0');
    for (int entry = 0; entry < entries; ++entry) {
        palette[entry * 4] = char(entry);            // blue
        palette[entry * 4 + 1] = char(255 - entry);  // green
        palette[entry * 4 + 2] = char(entry * 3);    // red
    }
    return palette;
}

// A 64 x 32 bitmap file of 8 bits per pixel, run-length coded with the given
// runs (count, palette index, or 0 and an escape code).
QByteArray Rle8Bitmap(const QByteArray &runs)
{
    constexpr int kRle8 = 1;
    return BitmapHeaders(64, 32, 8, kRle8, 256 * 4, int(runs.size())) + Palette(256) + runs;
}

// Stops after a few rows without its end-of-picture mark.
QByteArray ShortRle8Bitmap()
{
    QByteArray runs;
    for (int row = 0; row < 5; ++row)
        runs.append(char(64)).append(char(1 + row % 2)).append('\0').append('\0');
    return Rle8Bitmap(runs);
}

// Its bottom row holds a run of 200 pixels, far past the row's 64; the next
// row a run of 100 after the end-of-row mark; then the end-of-picture mark.
QByteArray OverrunRle8Bitmap()
{
    const char runs[] = {char(200), 7, 0, 0, 100, 9, 0, 0, 0, 1};
    return Rle8Bitmap(QByteArray(runs, sizeof runs));
}

// 64 x 32 pixels of 8 bits whose palette has only two entries, while the
// pixels use the indices 0 to 255.
QByteArray ShortPaletteBitmap()
{
    QByteArray pixels(64 * 32, '\0');
    for (int i = 0; i < pixels.size(); ++i)
        pixels[i] = char(i % 256);
    return BitmapHeaders(64, 32, 8, 0, 2 * 4, int(pixels.size())) + Palette(2) + pixels;
}

// 32 x 32 pixels of 32 bits whose red, green and blue masks each have all
// 32 bits set.
QByteArray AllOnesMaskBitmap()
{
    constexpr int kBitFields = 3;
    QByteArray pixels(32 * 32 * 4, '\0');
    for (int i = 0; i < pixels.size(); ++i)
        pixels[i] = char(i * 7);
    return BitmapHeaders(32, 32, 32, kBitFields, 12, int(pixels.size())) + QByteArray(12, '\xFF') + pixels;
}

// An icon (or cursor) whose only entry, and the bitmap it points to, claim
// 0 x 0 pixels.
QByteArray ZeroSizeIcon(bool cursor)
{
    QByteArray icon = IconBytes(BlockPicture(32, 32), cursor);
    icon[6] = '\0'; // entry width
    icon[7] = '\0'; // entry height
    PutLe32(icon, 22 + 4, 0); // bitmap width
    PutLe32(icon, 22 + 8, 0); // bitmap height
    return icon;
}

// A 32 x 32 icon whose directory says it holds `count` entries.
QByteArray IconClaimingEntries(quint16 count)
{
    QByteArray icon = IconBytes(BlockPicture(32, 32));
    PutLe16(icon, 4, count);
    return icon;
}

// A 32 x 32 icon whose entry points far past the end of the file.
QByteArray IconPointingPastTheEnd()
{
    QByteArray icon = IconBytes(BlockPicture(32, 32));
    PutLe32(icon, 18, quint32(icon.size() + 4096));
    return icon;
}

// Taller than any sheet in a few bytes: a 1-bit bitmap of 32 x 1,048,576
// pixels whose rows are missing, 118 bytes in all; widened as a sheet it
// would take more than a gigabyte.
QByteArray TallBitmap()
{
    return BitmapHeaders(32, 1048576, 1, 0, 2 * 4, 56) + Palette(2) + QByteArray(56, '\0');
}

// A progressive JPEG of 64 x 65,472 pixels followed by 20,000 scans that
// add nothing: 200 kilobytes that keep a decoder busy for most of a minute.
QByteArray ManyScanJpeg()
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "jpeg");
    writer.setProgressiveScanWrite(true);
    writer.write(BlockPicture(64, 32).convertToFormat(QImage::Format_Grayscale8));
    const qsizetype frame = bytes.indexOf("\xFF\xC2");
    bytes[frame + 5] = char(0xFF); // the height: 65,472
    bytes[frame + 6] = char(0xC0);
    bytes.chop(2); // the end marker, to come after the scans
    const QByteArray emptyScan = QByteArray::fromHex("FFDA000801010001 3F00");
    return bytes + emptyScan.repeated(20000) + QByteArray::fromHex("FFD9");
}

// A whole 1-bit PNG of 64 x 524,288 pixels, a few kilobytes; as a sheet
// more than half a gigabyte.
QByteArray TallPng()
{
    QImage picture(64, 524288, QImage::Format_Mono);
    picture.setColorTable({qRgb(0, 0, 0), qRgb(255, 255, 255)});
    picture.fill(0);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    writer.setQuality(0); // the smallest file
    writer.write(picture);
    return bytes;
}

// An RGB PNG of the given size whose IDAT holds `rows` (each row's filter
// byte, then its pixels), compressed.
QByteArray RgbPng(quint32 width, quint32 height, const QByteArray &rows, bool interlaced = false,
                  int bitsPerChannel = 8)
{
    // qCompress puts the length before the zlib stream.
    return RgbPngBytes(width, height, qCompress(rows).mid(4), interlaced, bitsPerChannel);
}

void AppendRgb(QByteArray &rows, QRgb pixel)
{
    rows.append(char(qRed(pixel))).append(char(qGreen(pixel))).append(char(qBlue(pixel)));
}

// The picture in the seven passes of Adam7 interlacing, unfiltered.
QByteArray InterlacedPng(const QImage &picture)
{
    struct Pass {
        int x, y, xStep, yStep;
    };
    constexpr Pass kPasses[] = {{0, 0, 8, 8}, {4, 0, 8, 8}, {0, 4, 4, 8}, {2, 0, 4, 4},
                                {0, 2, 2, 4}, {1, 0, 2, 2}, {0, 1, 1, 2}};
    QByteArray rows;
    for (const Pass &pass : kPasses)
        for (int y = pass.y; y < picture.height(); y += pass.yStep) {
            rows.append('\0');
            for (int x = pass.x; x < picture.width(); x += pass.xStep)
                AppendRgb(rows, picture.pixel(x, y));
        }
    return RgbPng(quint32(picture.width()), quint32(picture.height()), rows, true);
}

// A sheet of 2049 tiles in 16 bits a channel, which decodes to more than
// 128 MiB: one colour, so the file stays small.
QByteArray Tall16BitPng()
{
    constexpr quint32 kHeight = 2049 * 32;
    const QByteArray row = '\0' + QByteArray::fromHex("123456789ABC").repeated(256);
    return RgbPng(256, kHeight, row.repeated(kHeight), false, 16);
}

// A PNG whose header claims a size, with one short row of pixels.
QByteArray PngClaiming(quint32 width, quint32 height)
{
    return RgbPng(width, height, QByteArray(1 + 3 * 64, '\0'));
}

// A 32 x 32 PNG whose second chunk claims almost 2 GiB.
QByteArray PngWithHugeChunk()
{
    const QByteArray whole = WrittenBytes(BlockPicture(32, 32), "png");
    QByteArray cut = whole.left(8 + 25); // the signature and the header chunk
    AppendBe32(cut, 0x7FFFFFF0u);
    return cut + "IDAT" + QByteArray(64, 'x');
}

// Opaque and fully transparent blocks in 16 bits a channel.
QImage HalfTransparent16()
{
    QImage picture(64, 32, QImage::Format_RGBA64);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x)
            picture.setPixelColor(x, y, QColor(x * 4, y * 8, 200, (x / 8 + y / 8) % 2 ? 255 : 0));
    return picture;
}

// A palette picture whose second entry is fully transparent.
QImage TransparentPaletteEntry()
{
    QImage picture(64, 32, QImage::Format_Indexed8);
    picture.setColorTable({qRgba(10, 200, 30, 255), qRgba(250, 0, 250, 0), qRgba(40, 50, 60, 255)});
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x)
            picture.setPixel(x, y, uint((x / 8 + y) % 3));
    return picture;
}

struct RegressionFile {
    const char *name;
    QByteArray bytes;
};

QList<RegressionFile> RegressionFiles()
{
    const QByteArray bmp = WrittenBytes(BlockPicture(64, 64), "bmp");
    const QByteArray gif = GifBytes(BlockPicture(64, 64));
    const QByteArray jpg = WrittenBytes(BlockPicture(64, 64), "jpg");
    const QByteArray sheet = WrittenBytes(BlockPicture(64, 32), "bmp");
    const QByteArray png = WrittenBytes(BlockPicture(64, 64), "png"); // stored, not compressed
    QByteArray brokenCrc = WrittenBytes(BlockPicture(64, 32), "png");
    brokenCrc[brokenCrc.indexOf("IEND") - 5] ^= 0x01; // the pixel chunk's checksum
    const QByteArray interlaced = InterlacedPng(BlockPicture(64, 32));
    constexpr int kFileHeaderBytes = 14;

    // Headers that claim a size the few bytes after them cannot hold.
    auto claiming = [&](qint32 width, qint32 height, int dataBytes) {
        QByteArray bitmap = bmp.left(54 + dataBytes);
        PutLe32(bitmap, 18, quint32(width));
        PutLe32(bitmap, 22, quint32(height));
        return bitmap;
    };
    QByteArray hugeGif = gif;
    PutLe16(hugeGif, 6, 65535); // logical screen
    PutLe16(hugeGif, 8, 65535);

    // Cut inside the header: nothing can be read. Cut inside the pixels: the
    // readers give what they got, the rest filled in.
    return {
        {"text.bmp", "This is a text file, not a picture.\n"},
        {"empty.gif", QByteArray()},
        {"header_cut.bmp", bmp.left(30)},
        {"header_cut.gif", gif.left(20)},
        {"header_cut.jpg", jpg.left(100)},
        {"pixels_cut.bmp", bmp.left(54 + 64 * 3 * 40)},
        {"pixels_cut.gif", gif.left(gif.size() / 2)},
        {"pixels_cut.jpg", jpg.left(jpg.size() / 2)},
        {"rle8_short.bmp", ShortRle8Bitmap()},
        {"huge_header.bmp", claiming(100000, 100000, 64)},
        {"huge_screen.gif", hugeGif},
        {"zero_entry.ico", ZeroSizeIcon(false)},
        {"claims_20000.bmp", claiming(20000, 20000, 64)},
        {"height_int_min.bmp", claiming(64, std::numeric_limits<qint32>::min(), 64 * 64 * 3)},
        {"zero_size.bmp", claiming(0, 0, 64 * 64 * 3)},
        {"wide_8193.bmp", WrittenBytes(BlockPicture(8193, 1), "bmp")},
        {"rle8_overrun.bmp", OverrunRle8Bitmap()},
        {"short_palette.bmp", ShortPaletteBitmap()},
        {"all_ones_masks.bmp", AllOnesMaskBitmap()},
        {"with_header.dib", sheet},
        {"without_header.dib", sheet.mid(kFileHeaderBytes)},
        {"count_zero.ico", IconClaimingEntries(0)},
        {"count_65535.ico", IconClaimingEntries(65535)},
        {"offset_past_end.ico", IconPointingPastTheEnd()},
        {"zero_entry.cur", ZeroSizeIcon(true)},
        {"png_bytes.bmp", WrittenBytes(BlockPicture(64, 32), "png")},
        {"mng_bytes.bmp", FoundByFuzzing()},
        {"sides_2g.bmp", claiming(std::numeric_limits<qint32>::max(), std::numeric_limits<qint32>::max(), 64)},
        {"tall_1048576.bmp", TallBitmap()},
        {"tall_png_bytes.bmp", TallPng()},
        {"header_cut.png", png.left(20)},
        {"pixels_cut.png", png.left(png.size() / 2)},
        {"crc_broken.png", brokenCrc},
        {"wide_100000.png", PngClaiming(100000, 32)},
        {"tall_200000.png", PngClaiming(64, 200000)},
        {"zero_height.png", PngClaiming(64, 0)},
        {"chunk_2g.png", PngWithHugeChunk()},
        {"interlaced.png", interlaced},
        {"interlaced_cut.png", interlaced.left(interlaced.size() * 3 / 5)},
        {"alpha_16bit.png", WrittenBytes(HalfTransparent16(), "png")},
        {"rgb_16bit_2049_tiles.png", Tall16BitPng()},
        {"palette_alpha.png", WrittenBytes(TransparentPaletteEntry(), "png")},
        {"scans_20000.jpg", ManyScanJpeg()},
        {"tiff_bytes.bmp", WrittenBytes(BlockPicture(64, 32), "tiff")},
    };
}

bool Write(const QDir &folder, const RegressionFile &file)
{
    QFile out(folder.filePath(QString::fromLatin1(file.name)));
    return out.open(QIODevice::WriteOnly) && out.write(file.bytes) == file.bytes.size();
}

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    for (const RegressionFile &file : RegressionFiles()) {
        if (!Write(folder, file)) {
            std::fprintf(stderr, "could not write %s into %s\n", file.name, argv[1]);
            return 1;
        }
    }
    return 0;
}
