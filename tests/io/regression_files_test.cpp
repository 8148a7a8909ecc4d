// The damaged and hostile picture files of tests/data/load (written by
// make_load_regression_files), each taken through the load dialog's one way
// of turning a file into a sheet, with the outcome it must have.
#include "io/sheet_file.h"

#include "support/picture_bytes.h"
#include "support/pixels.h"

#include <QDir>
#include <QSet>

#include <gtest/gtest.h>

#include <vector>

namespace vexlo {
namespace {

using test::AllOpaque;
using test::BlockPicture;
using test::kBlackPixel;
using test::SamePixels;
using test::Uniform;

QString DataFile(const char *name)
{
    return QStringLiteral(VEXLO_LOAD_DATA "/") + QString::fromLatin1(name);
}

// Leaves freed memory of the given size full of a pattern, so a reader that
// leaves pixels unwritten shows it.
void DirtyFreedMemory(qsizetype bytes)
{
    std::vector<QByteArray> blocks;
    for (int i = 0; i < 8; ++i)
        blocks.emplace_back(bytes, char(0x5A + i));
}

// The picture at the left of a black sheet, as a load gives it.
QImage Widened(const QImage &picture)
{
    return WidenToSheet(picture.convertToFormat(QImage::Format_RGB32));
}

// The colours of the generator's 8-bit palettes: entry i is red 3i, green
// 255 - i, blue i.
QRgb PaletteEntry(int index)
{
    return qRgb((index * 3) & 0xFF, 255 - index, index);
}

struct Refusal {
    const char *name;
    const char *text;
};

// Pictures that cannot be had: the reader's own text, or the first sheet rule broken.
const Refusal kRefusals[] = {
    {"text.bmp", "Unsupported image format"},
    {"empty.gif", "Unsupported image format"},
    {"header_cut.bmp", "Unable to read image data"},
    {"header_cut.gif", "Unable to read image data"},
    {"header_cut.jpg", "Unable to read image data"},
    {"huge_header.bmp", "Unable to read image data"},    // 100,000 x 100,000 in 118 bytes
    {"claims_20000.bmp", "Unable to read image data"},   // 20,000 x 20,000 in 118 bytes
    {"height_int_min.bmp", "Unable to read image data"}, // a height with no positive counterpart
    {"zero_size.bmp", "Unable to read image data"},
    {"all_ones_masks.bmp", "Unable to read image data"}, // colour masks of 32 bits each
    {"huge_screen.gif", "Unable to read image data"},    // a 65535 x 65535 screen
    {"zero_entry.ico", "Unable to read image data"},
    {"zero_entry.cur", "Unable to read image data"},
    {"count_zero.ico", "Unable to read image data"},
    {"offset_past_end.ico", "Unable to read image data"},
    {"wide_8193.bmp", "Invalid size (X > 256)."},
    // Kinds of picture no sheet comes in: their readers are not used at all.
    {"mng_bytes.bmp", "Unsupported image format"},
    {"tiff_bytes.bmp", "Unsupported image format"},
    {"scans_20000.jpg", "The JPEG picture has more than 100 scans."},
    {"sides_2g.bmp", "Unable to read image data"},   // found by fuzzing: 2^31 - 1 square, sizes past 64 bits
    // Taller than any sheet, refused from the declared size before a pixel is read.
    {"tall_1048576.bmp", "Invalid size (Y > 131072)."},
    {"tall_png_bytes.bmp", "Invalid size (Y > 131072)."},
    {"tall_200000.png", "Invalid size (Y > 131072)."},
    {"wide_100000.png", "Invalid size (X > 256)."},
    // PNG files that end early or are damaged are refused whole, never half read.
    {"header_cut.png", "Unable to read image data"},
    {"pixels_cut.png", "Unable to read image data"},
    {"interlaced_cut.png", "Unable to read image data"},
    {"crc_broken.png", "Unable to read image data"},
    {"zero_height.png", "Unable to read image data"},
    {"chunk_2g.png", "Unable to read image data"}, // a chunk claiming almost 2 GiB
};

// Damaged files of 64-pixel-wide pictures whose missing pixels the readers
// fill in themselves.
struct FilledIn {
    const char *name;
    int height;
};
const FilledIn kFilledIn[] = {{"pixels_cut.bmp", 64}, {"rle8_short.bmp", 32}, {"rle8_overrun.bmp", 32},
                              {"pixels_cut.gif", 64}, {"pixels_cut.jpg", 64}};

// Odd files that still hold a whole picture.
const char *const kWhole[] = {"png_bytes.bmp",     "with_header.dib", "without_header.dib", "count_65535.ico",
                              "short_palette.bmp", "interlaced.png",  "alpha_16bit.png",    "palette_alpha.png",
                              "rgb_16bit_2049_tiles.png"};

TEST(RegressionFiles, EveryFileHasItsOutcomeChecked)
{
    QSet<QString> checked;
    for (const Refusal &refusal : kRefusals)
        checked << QString::fromLatin1(refusal.name);
    for (const FilledIn &filled : kFilledIn)
        checked << QString::fromLatin1(filled.name);
    for (const char *name : kWhole)
        checked << QString::fromLatin1(name);
    const QStringList present = QDir(QStringLiteral(VEXLO_LOAD_DATA)).entryList(QDir::Files);
    EXPECT_EQ(QSet<QString>(present.begin(), present.end()), checked);
}

TEST(RegressionFiles, UnusablePicturesAreRefusedWithTheExactReason)
{
    for (const Refusal &refusal : kRefusals) {
        SCOPED_TRACE(refusal.name);
        const SheetFile file = LoadSheetFile(DataFile(refusal.name));
        EXPECT_FALSE(file.accepted());
        EXPECT_EQ(file.refusal, QString::fromLatin1(refusal.text));
    }
    EXPECT_EQ(LoadSheetFile(DataFile("missing.bmp")).refusal,
              QStringLiteral("Cannot read %1: No such file or directory").arg(DataFile("missing.bmp")));
}

TEST(RegressionFiles, PicturesThatEndEarlyComeOutTheSameEveryTime)
{
    for (const FilledIn &filled : kFilledIn) {
        SCOPED_TRACE(filled.name);
        DirtyFreedMemory(64 * 64 * 4);
        const SheetFile first = LoadSheetFile(DataFile(filled.name));
        DirtyFreedMemory(64 * 64 * 4);
        const SheetFile second = LoadSheetFile(DataFile(filled.name));
        ASSERT_TRUE(first.accepted()) << first.refusal.toStdString();
        EXPECT_EQ(first.sheet.size(), QSize(256, filled.height));
        EXPECT_EQ(first.sheet, second.sheet);
        EXPECT_TRUE(AllOpaque(first.sheet));
        EXPECT_TRUE(Uniform(first.sheet.copy(64, 0, 192, first.sheet.height()), kBlackPixel));
    }
}

TEST(RegressionFiles, BitmapsThatEndEarlyKeepWhatTheyHold)
{
    // Stored bottom row first: of 64 rows, the top 24 never came.
    const SheetFile cut = LoadSheetFile(DataFile("pixels_cut.bmp"));
    ASSERT_TRUE(cut.accepted());
    EXPECT_TRUE(Uniform(cut.sheet.copy(0, 0, 64, 24), kBlackPixel));
    EXPECT_TRUE(SamePixels(cut.sheet.copy(0, 24, 64, 40), BlockPicture(64, 64).copy(0, 24, 64, 40)));

    // Run-length coded, 64 x 32: five rows of runs, then nothing. The rows
    // never reached hold palette entry 0, as an 8-bit picture starts out.
    const SheetFile shortRuns = LoadSheetFile(DataFile("rle8_short.bmp"));
    ASSERT_TRUE(shortRuns.accepted());
    for (int row = 0; row < 5; ++row)
        EXPECT_TRUE(Uniform(shortRuns.sheet.copy(0, 31 - row, 64, 1), PaletteEntry(1 + row % 2))) << row;
    EXPECT_TRUE(Uniform(shortRuns.sheet.copy(0, 0, 64, 27), PaletteEntry(0)));

    // A run of 200 in a row of 64 is cut at the picture's edge and writes
    // nothing outside the picture; the rows above it are untouched.
    const SheetFile overrun = LoadSheetFile(DataFile("rle8_overrun.bmp"));
    ASSERT_TRUE(overrun.accepted());
    EXPECT_TRUE(Uniform(overrun.sheet.copy(0, 0, 64, 30), PaletteEntry(0)));
    EXPECT_EQ(overrun.sheet.pixel(63, 31), PaletteEntry(7));
}

TEST(RegressionFiles, OddFilesHoldingAWholePictureLoadItExactly)
{
    // Picture content decides, not the name: PNG bytes named ".bmp".
    EXPECT_TRUE(SamePixels(LoadSheetFile(DataFile("png_bytes.bmp")).sheet, Widened(BlockPicture(64, 32))));
    // A ".dib" that is a bitmap file with its "BM" header, and one that is the bare bitmap.
    EXPECT_TRUE(SamePixels(LoadSheetFile(DataFile("with_header.dib")).sheet, Widened(BlockPicture(64, 32))));
    EXPECT_TRUE(SamePixels(LoadSheetFile(DataFile("without_header.dib")).sheet, Widened(BlockPicture(64, 32))));
    // An icon directory claiming 65535 entries: its one real entry is read.
    EXPECT_TRUE(SamePixels(LoadSheetFile(DataFile("count_65535.ico")).sheet, Widened(BlockPicture(32, 32))));

    // A palette of two colours for pixels that use all 256 indices: the
    // indices beyond the palette come out black.
    QImage expected(64, 32, QImage::Format_RGB32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x) {
            const int index = ((31 - y) * 64 + x) % 256;
            expected.setPixel(x, y, index < 2 ? PaletteEntry(index) : kBlackPixel);
        }
    EXPECT_TRUE(SamePixels(LoadSheetFile(DataFile("short_palette.bmp")).sheet, Widened(expected)));
}

TEST(RegressionFiles, InterlacedAndTransparentPngsLoadExactlyOverBlack)
{
    EXPECT_TRUE(SamePixels(LoadSheetFile(DataFile("interlaced.png")).sheet, Widened(BlockPicture(64, 32))));

    // 16 bits a channel, blocks either opaque or wholly transparent.
    QImage overBlack(64, 32, QImage::Format_RGB32);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x)
            overBlack.setPixel(x, y, (x / 8 + y / 8) % 2 ? qRgb(x * 4, y * 8, 200) : kBlackPixel);
    EXPECT_TRUE(SamePixels(LoadSheetFile(DataFile("alpha_16bit.png")).sheet, Widened(overBlack)));

    // Tall and 16 bits a channel: more to decode than an 8-bit sheet, but a sheet.
    const SheetFile tall16 = LoadSheetFile(DataFile("rgb_16bit_2049_tiles.png"));
    ASSERT_TRUE(tall16.accepted()) << tall16.refusal.toStdString();
    EXPECT_EQ(tall16.sheet.height(), 2049 * 32);
    EXPECT_EQ(tall16.sheet.pixel(255, 2049 * 32 - 1), qRgb(0x12, 0x56, 0x9A));

    // A palette whose second entry is transparent.
    const QRgb entries[] = {qRgb(10, 200, 30), kBlackPixel, qRgb(40, 50, 60)};
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 64; ++x)
            overBlack.setPixel(x, y, entries[(x / 8 + y) % 3]);
    EXPECT_TRUE(SamePixels(LoadSheetFile(DataFile("palette_alpha.png")).sheet, Widened(overBlack)));
}

} // namespace
} // namespace vexlo
