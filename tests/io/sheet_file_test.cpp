#include "io/sheet_file.h"

#include "io/gif_data.h"
#include "io/png_data.h"
#include "support/picture_bytes.h"
#include "support/pixels.h"
#include "support/temp_folder.h"

#include <QImageReader>

#include <gtest/gtest.h>

namespace vexlo {
namespace {

using test::AllOpaque;
using test::BlockPicture;

QImage LeftPart(const QImage &sheet, int width)
{
    return sheet.copy(0, 0, width, sheet.height());
}

TEST(SheetFile, AllSevenFormatsLoadAsOpaqueSheetsWidenedWithBlack)
{
    test::TempFolder folder;
    const QImage wide = BlockPicture(96, 64);
    const QImage tile = BlockPicture(32, 32);
    QImage black(96, 64, QImage::Format_RGB32);
    black.fill(Qt::black);
    // Rows of 96 x 64 RGB pixels take 18,496 bytes inflated, 18,552 in Adam7's passes.
    const qint64 rowBytes = 18496, interlacedRowBytes = 18552;
    struct Case {
        const char *name;
        QByteArray bytes;
        QImage expected;
        bool exact;
    };
    const Case cases[] = {
        {"sheet.bmp", test::WrittenBytes(wide, "bmp"), wide, true},
        {"sheet.DIB", test::WrittenBytes(wide, "bmp"), wide, true},
        {"sheet.gif", test::GifBytes(wide), wide, true},
        {"slack.gif", test::GifBytes(wide, -1, kGifDataSlackPixels), wide, true},
        {"sheet.jpg", test::WrittenBytes(wide, "jpg"), wide, false},
        {"tile.ico", test::IconBytes(tile), tile, true},
        {"tile.cur", test::IconBytes(tile, true), tile, true},
        {"sheet.png", test::WrittenBytes(wide, "png"), wide, true},
        {"png.ico", test::PngIconBytes(test::WrittenBytes(tile, "png")), tile, true},
        {"slack.png", test::RgbPngBytes(96, 64, test::ZlibZeros(rowBytes + kPngDataSlackBytes)), black, true},
        {"slack_interlaced.png",
         test::RgbPngBytes(96, 64, test::ZlibZeros(interlacedRowBytes + kPngDataSlackBytes), true), black, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        folder.write(QString::fromLatin1(c.name), c.bytes);
        const SheetFile file = LoadSheetFile(folder.file(QString::fromLatin1(c.name)));
        ASSERT_TRUE(file.accepted()) << file.refusal.toStdString();
        EXPECT_EQ(file.sheet.size(), QSize(256, c.expected.height()));
        EXPECT_EQ(file.sheet.format(), QImage::Format_RGB32);
        EXPECT_TRUE(AllOpaque(file.sheet));
        EXPECT_TRUE(test::Uniform(file.sheet.copy(c.expected.width(), 0, 256 - c.expected.width(), c.expected.height()),
                                  test::kBlackPixel));
        const QImage picture = LeftPart(file.sheet, c.expected.width());
        if (c.exact) {
            EXPECT_EQ(picture, c.expected.convertToFormat(QImage::Format_RGB32));
        } else {
            const QRgb got = picture.pixel(60, 20), want = c.expected.pixel(60, 20);
            EXPECT_NEAR(qRed(got), qRed(want), 8);
            EXPECT_NEAR(qGreen(got), qGreen(want), 8);
            EXPECT_NEAR(qBlue(got), qBlue(want), 8);
        }
    }
}

TEST(SheetFile, TransparentPixelsAreLaidOverBlack)
{
    test::TempFolder folder;
    QImage translucent(32, 32, QImage::Format_ARGB32);
    translucent.fill(qRgba(255, 0, 0, 128));
    folder.write(QStringLiteral("half.ico"), test::IconBytes(translucent));
    const SheetFile icon = LoadSheetFile(folder.file(QStringLiteral("half.ico")));
    ASSERT_TRUE(icon.accepted());
    EXPECT_EQ(icon.sheet.pixel(5, 5), qRgb(128, 0, 0));
    EXPECT_TRUE(AllOpaque(icon.sheet));

    const QImage picture = BlockPicture(64, 32); // palette entry 0 is its top left colour
    folder.write(QStringLiteral("keyed.gif"), test::GifBytes(picture, 0));
    const SheetFile gif = LoadSheetFile(folder.file(QStringLiteral("keyed.gif")));
    ASSERT_TRUE(gif.accepted());
    EXPECT_EQ(gif.sheet.pixel(0, 0), qRgb(0, 0, 0));
    EXPECT_EQ(gif.sheet.pixel(40, 20), picture.pixel(40, 20));
}

TEST(SheetFile, SizeRulesReportOnlyTheFirstBrokenRule)
{
    const struct {
        QSize size;
        const char *failure;
    } cases[] = {
        {{320, 64}, "Invalid size (X > 256)."},
        {{300, 100}, "Invalid size (X > 256)."},
        {{250, 64}, "Invalid size (X mod 32 <> 0)."},
        {{250, 100}, "Invalid size (X mod 32 <> 0)."},
        {{256, 100}, "Invalid size (Y mod 32 <> 0)."},
        {{256, 32}, ""},
        {{96, 64}, ""},
        {{32, 1024}, ""},
        {{32, 131072}, ""},
        {{32, 131104}, "Invalid size (Y > 131072)."},
        {{250, 131104}, "Invalid size (X mod 32 <> 0)."},
        {{256, 131080}, "Invalid size (Y mod 32 <> 0)."},
        {{300, 200000}, "Invalid size (X > 256)."},
    };
    for (const auto &c : cases)
        EXPECT_EQ(SheetRuleFailure(c.size), QString::fromLatin1(c.failure))
            << c.size.width() << " x " << c.size.height();

    test::TempFolder folder;
    folder.write(QStringLiteral("wide.bmp"), test::WrittenBytes(BlockPicture(320, 64), "bmp"));
    const SheetFile refused = LoadSheetFile(folder.file(QStringLiteral("wide.bmp")));
    EXPECT_FALSE(refused.accepted());
    EXPECT_EQ(refused.refusal, QStringLiteral("Invalid size (X > 256)."));
}

TEST(SheetFile, DataFarPastWhatThePictureNeedsIsRefusedWithoutGoingThroughIt)
{
    test::TempFolder folder;
    const QByteArray gibibyte = test::ZlibZeros(qint64(1) << 30); // 6.5 MiB
    const char *const tooMuch = "The picture holds more data than its size needs.";
    const struct {
        const char *name;
        QByteArray bytes;
        const char *refusal;
    } cases[] = {
        {"slack.png", test::RgbPngBytes(96, 64, test::ZlibZeros(18496 + kPngDataSlackBytes + 1)), tooMuch},
        {"slack_interlaced.png", test::RgbPngBytes(96, 64, test::ZlibZeros(18552 + kPngDataSlackBytes + 1), true),
         tooMuch},
        {"slack_16bit.png", test::RgbPngBytes(32, 32, test::ZlibZeros(32 * 193 + kPngDataSlackBytes + 1), false, 16),
         tooMuch},
        {"bomb.png", test::RgbPngBytes(256, 32, gibibyte), tooMuch},
        {"bomb.ico", test::PngIconBytes(test::RgbPngBytes(32, 32, gibibyte)), tooMuch},
        {"wide_bomb.png", test::RgbPngBytes(288, 32, gibibyte), "Invalid size (X > 256)."},
        {"slack.gif", test::GifBytes(BlockPicture(96, 64), -1, kGifDataSlackPixels + 1), tooMuch},
        {"bomb.gif", test::GifBombBytes({32, 32}, {32, 32}, 2'000'000), tooMuch}, // 7.7 billion pixels
        {"past_the_screen.gif", test::GifBombBytes({32, 32}, {60000, 60000}, 0), tooMuch},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        folder.write(QString::fromLatin1(c.name), c.bytes);
        EXPECT_EQ(LoadSheetFile(folder.file(QString::fromLatin1(c.name))).refusal.toStdString(), c.refusal);
    }
}

TEST(SheetFile, PicturesBeyondTheAllocationLimitAreRefusedBeforeTheyAreMade)
{
    test::TempFolder folder;
    QByteArray tall = test::WrittenBytes(BlockPicture(64, 64), "bmp");
    test::PutLe32(tall, 18, 256);
    test::PutLe32(tall, 22, 160000); // 160 MiB of pixels, claimed by a file of 12 KiB
    folder.write(QStringLiteral("tall.bmp"), tall);
    const SheetFile file = LoadSheetFile(folder.file(QStringLiteral("tall.bmp")));
    EXPECT_FALSE(file.accepted());
    EXPECT_EQ(QImageReader::allocationLimit(), kPictureAllocationLimitMiB);
}

} // namespace
} // namespace vexlo
