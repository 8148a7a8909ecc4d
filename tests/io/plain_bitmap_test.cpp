// The plain bitmap reader and writer against Qt's own bitmap reader.
#include "io/plain_bitmap.h"
#include "io/sheet_file.h"
#include "support/temp_folder.h"

#include <QBuffer>
#include <QImageReader>
#include <QtEndian>

#include <gtest/gtest.h>

namespace vexlo {
namespace {

constexpr qint64 kLimit = 128 * 1024 * 1024;

// Every pixel its own colour, the fourth byte of 32-bit pixels never 0xFF.
QImage Pattern(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 7 + y) & 0xFF, (y * 3) & 0xFF, (x ^ y) & 0xFF));
    return image;
}

// A plain bitmap file made by hand: 24 or 32 bits, either row order, the
// pixel rows at `offset`.
QByteArray HandMadeBitmap(const QImage &image, int bits, bool topDown, quint32 offset = 54)
{
    const qint64 rowBytes = (qint64(image.width()) * bits + 31) / 32 * 4;
    QByteArray file(offset + rowBytes * image.height(), '\0');
    auto *out = reinterpret_cast<uchar *>(file.data());
    out[0] = 'B';
    out[1] = 'M';
    qToLittleEndian<quint32>(quint32(file.size()), out + 2);
    qToLittleEndian<quint32>(offset, out + 10);
    qToLittleEndian<quint32>(40, out + 14);
    qToLittleEndian<qint32>(image.width(), out + 18);
    qToLittleEndian<qint32>(topDown ? -image.height() : image.height(), out + 22);
    qToLittleEndian<quint16>(1, out + 26);
    qToLittleEndian<quint16>(quint16(bits), out + 28);
    for (int y = 0; y < image.height(); ++y) {
        uchar *row = out + offset + (topDown ? y : image.height() - 1 - y) * rowBytes;
        for (int x = 0; x < image.width(); ++x, row += bits / 8) {
            const QRgb pixel = image.pixel(x, y);
            row[0] = uchar(qBlue(pixel));
            row[1] = uchar(qGreen(pixel));
            row[2] = uchar(qRed(pixel));
            if (bits == 32)
                row[3] = uchar(x * 13); // not alpha in a plain bitmap
        }
    }
    return file;
}

QImage QtReads(const QByteArray &file)
{
    QBuffer buffer;
    buffer.setData(file);
    buffer.open(QIODevice::ReadOnly);
    return QImageReader(&buffer, "bmp").read().convertToFormat(QImage::Format_RGB32);
}

QImage PlainReads(const QByteArray &file)
{
    const auto layout = PlainBitmapLayoutOf(file, file.size(), kLimit);
    if (!layout)
        return {};
    QBuffer rows;
    rows.setData(file);
    rows.open(QIODevice::ReadOnly);
    rows.seek(layout->pixelOffset);
    return ReadPlainBitmapRows(*layout, rows);
}

QByteArray Encoded(const QImage &image)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(WriteBitmap24(image, buffer));
    return buffer.data();
}

TEST(PlainBitmap, ReadsEveryPlainLayoutExactlyAsQtDoes)
{
    for (int bits : {24, 32})
        for (bool topDown : {false, true})
            for (int width : {256, 96, 33, 1})
                for (quint32 offset : {54u, 70u}) {
                    const QImage image = Pattern(width, 1100); // several blocks of rows
                    const QByteArray file = HandMadeBitmap(image, bits, topDown, offset);
                    const QImage plain = PlainReads(file);
                    ASSERT_FALSE(plain.isNull()) << bits << " bits, width " << width;
                    EXPECT_EQ(plain, image) << bits << " bits, top down " << topDown << ", width " << width;
                    EXPECT_EQ(plain, QtReads(file)) << bits << " bits, top down " << topDown << ", width " << width;
                }
}

TEST(PlainBitmap, WritesA24BitFileThatQtReadsBackExactly)
{
    QImage image = Pattern(256, 96);
    image.setPixel(0, 0, qRgb(255, 0, 255));
    image.setPixel(1, 0, qRgb(254, 0, 255)); // one step apart stays apart
    const QByteArray file = Encoded(image);
    EXPECT_EQ(file.size(), 54 + 256 * 3 * 96);
    EXPECT_TRUE(file.startsWith("BM"));
    EXPECT_EQ(QtReads(file), image);
    EXPECT_EQ(PlainReads(file), image);

    const QImage odd = Pattern(33, 5); // rows padded to four bytes
    const QByteArray oddFile = Encoded(odd);
    EXPECT_EQ(QtReads(oddFile), odd);
    for (int row = 0; row < 5; ++row)
        EXPECT_EQ(oddFile[54 + row * 100 + 99], '\0') << "padding of row " << row;
    const QImage tall = Pattern(256, 1000); // several blocks of rows
    EXPECT_EQ(QtReads(Encoded(tall)), tall);
}

TEST(PlainBitmap, LeavesEverythingElseToTheGeneralReader)
{
    const QByteArray good = HandMadeBitmap(Pattern(64, 32), 24, false);
    auto with = [&](int offset, auto value) {
        QByteArray file = good;
        qToLittleEndian(value, reinterpret_cast<uchar *>(file.data()) + offset);
        return file;
    };
    EXPECT_TRUE(PlainBitmapLayoutOf(good, good.size(), kLimit).has_value());
    EXPECT_FALSE(PlainBitmapLayoutOf(good, good.size() - 1, kLimit)) << "ends early";
    EXPECT_FALSE(PlainBitmapLayoutOf(good.left(53), good.size(), kLimit)) << "header cut";
    EXPECT_FALSE(PlainBitmapLayoutOf(with(30, quint32(3)), good.size(), kLimit)) << "bit fields";
    EXPECT_FALSE(PlainBitmapLayoutOf(with(28, quint16(8)), good.size(), kLimit)) << "palette";
    EXPECT_FALSE(PlainBitmapLayoutOf(with(14, quint32(124)), good.size(), kLimit)) << "other header";
    EXPECT_FALSE(PlainBitmapLayoutOf(with(26, quint16(2)), good.size(), kLimit)) << "planes";
    EXPECT_FALSE(PlainBitmapLayoutOf(with(18, qint32(0)), good.size(), kLimit)) << "no width";
    EXPECT_FALSE(PlainBitmapLayoutOf(with(22, qint32(0)), good.size(), kLimit)) << "no height";
    EXPECT_FALSE(PlainBitmapLayoutOf(with(22, std::numeric_limits<qint32>::min()), good.size(), kLimit));
    EXPECT_FALSE(PlainBitmapLayoutOf(with(10, quint32(20)), good.size(), kLimit)) << "rows inside the header";
    QByteArray huge = with(18, qint32(20000));
    qToLittleEndian<qint32>(20000, reinterpret_cast<uchar *>(huge.data()) + 22);
    EXPECT_FALSE(PlainBitmapLayoutOf(huge, qint64(1) << 40, kLimit)) << "over the allocation limit";
    EXPECT_TRUE(PlainBitmapLayoutOf(huge, qint64(1) << 40, qint64(1) << 31));
    // Found by fuzzing: sides near 2^31 whose products overflow 64 bits once
    // looked small enough to take.
    QByteArray widest = with(18, std::numeric_limits<qint32>::max());
    qToLittleEndian(std::numeric_limits<qint32>::max(), reinterpret_cast<uchar *>(widest.data()) + 22);
    EXPECT_FALSE(PlainBitmapLayoutOf(widest, good.size(), kLimit));
    QByteArray notBitmap = good;
    notBitmap[0] = 'X';
    EXPECT_FALSE(PlainBitmapLayoutOf(notBitmap, good.size(), kLimit));
}

TEST(PlainBitmap, TheLoadingPathTakesItAndGivesTheSameSheet)
{
    test::TempFolder folder;
    const QImage image = Pattern(96, 64);
    folder.write(QStringLiteral("plain.bmp"), HandMadeBitmap(image, 32, true));
    folder.write(QStringLiteral("plain.dib"), HandMadeBitmap(image, 24, false));
    for (const char *name : {"plain.bmp", "plain.dib"}) {
        const SheetFile loaded = LoadSheetFile(folder.file(QString::fromLatin1(name)));
        ASSERT_TRUE(loaded.accepted()) << name;
        EXPECT_EQ(loaded.sheet.copy(0, 0, 96, 64), image) << name;
        EXPECT_EQ(loaded.sheet.pixel(200, 10), qRgb(0, 0, 0)) << name;
    }
}

} // namespace
} // namespace vexlo
