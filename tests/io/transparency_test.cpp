// Transparency read as key colours and key colours written as transparency.
#include "common/failure.h"
#include "io/png_file.h"
#include "io/png_reader.h"
#include "io/sheet_file.h"
#include "io/sheet_transparency.h"
#include "io/sheet_writer.h"

#include "support/picture_bytes.h"
#include "support/pixels.h"
#include "support/temp_folder.h"

#include <QBuffer>

#include <gtest/gtest.h>

namespace vexlo {
namespace {

constexpr Colour kMagenta{0xFF00FF};
constexpr Colour kPurple{0x800080};

// One pixel of a picture with transparency in a 32 x 32 file of some kind,
// and the sheet pixel it gives with transparency read as the keys.
TEST(Transparency, EachKindOfPixelBecomesItsKeyOrLiesOverBlack)
{
    const struct {
        const char *name;
        QImage::Format format; // the file's kind: Qt writes each as its PNG counterpart
        QRgb pixel;            // not premultiplied; 16-bit kinds from 8-bit values
        KeyPair keys;
        QRgb sheetPixel;
    } cases[] = {
        {"alpha 0", QImage::Format_ARGB32, qRgba(40, 50, 60, 0), {kMagenta, kPurple}, 0xFFFF00FF},
        {"black at 128", QImage::Format_ARGB32, qRgba(0, 0, 0, 128), {kMagenta, kPurple}, 0xFF800080},
        {"red at 128 over black", QImage::Format_ARGB32, qRgba(255, 0, 0, 128), {kMagenta, kPurple}, qRgb(128, 0, 0)},
        {"black at 127 over black", QImage::Format_ARGB32, qRgba(0, 0, 0, 127), {kMagenta, kPurple}, qRgb(0, 0, 0)},
        {"opaque stays", QImage::Format_ARGB32, qRgba(1, 2, 3, 255), {kMagenta, kPurple}, qRgb(1, 2, 3)},
        {"keys that are black", QImage::Format_ARGB32, qRgba(9, 9, 9, 0), {kBlack, kBlack}, qRgb(0, 0, 0)},
        {"palette with tRNS", QImage::Format_Indexed8, qRgba(200, 10, 10, 0), {kMagenta, kPurple}, 0xFFFF00FF},
        {"palette black at 128", QImage::Format_Indexed8, qRgba(0, 0, 0, 128), {kMagenta, kPurple}, 0xFF800080},
        {"16-bit alpha 0", QImage::Format_RGBA64, qRgba(7, 8, 9, 0), {kMagenta, kPurple}, 0xFFFF00FF},
        {"16-bit black at 128", QImage::Format_RGBA64, qRgba(0, 0, 0, 128), {kMagenta, kPurple}, 0xFF800080},
    };
    test::TempFolder folder;
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        QImage picture(32, 32, QImage::Format_Indexed8); // a palette of the two colours
        picture.setColorTable({qRgb(10, 20, 30), c.pixel});
        picture.fill(0);
        picture.setPixel(5, 6, 1);
        if (c.format != QImage::Format_Indexed8)
            picture = picture.convertToFormat(c.format);
        ASSERT_TRUE(picture.save(folder.file(QStringLiteral("kind.png")), "png"));
        const SheetFile file = LoadSheetFile(folder.file(QStringLiteral("kind.png")));
        ASSERT_TRUE(file.accepted()) << file.refusal.toStdString();
        ASSERT_TRUE(file.hasTransparency());
        const QImage keyed = file.sheetWithKeys(c.keys.transparent, c.keys.translucent);
        EXPECT_EQ(keyed.pixel(5, 6), c.sheetPixel);
        EXPECT_EQ(keyed.pixel(6, 6), qRgb(10, 20, 30));
        EXPECT_EQ(keyed.pixel(100, 6), qRgb(0, 0, 0)); // the widening is no transparency
        EXPECT_EQ(file.sheet.pixel(5, 6), qPremultiply(c.pixel) | 0xFF000000u); // unkeyed: over black as ever

        // Written back with the same keys and read again: the same sheet.
        WriteSheetFile(keyed, folder.file(QStringLiteral("back.png")), c.keys);
        const SheetFile back = LoadSheetFile(folder.file(QStringLiteral("back.png")));
        EXPECT_TRUE(test::SamePixels(back.sheetWithKeys(c.keys.transparent, c.keys.translucent), keyed));
    }
    // A picture without an alpha channel has no transparency to take.
    ASSERT_TRUE(test::BlockPicture(32, 32).save(folder.file(QStringLiteral("opaque.png")), "png"));
    EXPECT_FALSE(LoadSheetFile(folder.file(QStringLiteral("opaque.png"))).hasTransparency());
}

TEST(Transparency, EverySheetComesBackExactlyWhateverItsKeys)
{
    test::TempFolder folder;
    const QString path = folder.file(QStringLiteral("round.PNG"));
    const KeyPair pairs[] = {{kMagenta, kPurple}, {kBlack, kBlack}, {kMagenta, kMagenta}, {kBlack, kPurple},
                             {Colour(0x000001), Colour(0x010000)}};
    for (const KeyPair &keys : pairs) {
        SCOPED_TRACE(keys.transparent.value());
        QImage sheet = test::PatternSheet(3, 96);
        for (int i = 0; i < 500; ++i) // keys scattered among colours one step off them
            sheet.setPixel((i * 37) % 256, (i * 11) % 96,
                           QRgbFromColour(i % 3 == 0 ? keys.transparent : i % 3 == 1 ? keys.translucent : Colour(i)));
        WriteSheetFile(sheet, path, keys);
        const SheetFile back = LoadSheetFile(path);
        ASSERT_TRUE(back.accepted()) << back.refusal.toStdString();
        EXPECT_TRUE(test::SamePixels(back.sheetWithKeys(keys.transparent, keys.translucent), sheet));
    }
    EXPECT_THROW(WriteSheetFile(test::PatternSheet(1, 32), folder.file(QStringLiteral("keys.bmp")),
                                KeyPair{kMagenta, kPurple}),
                 Failure);
}

// The whole-buffer reader gives exactly what Qt's reader gives, for files
// with every row filter (Qt's writer picks them row by row) and for ours.
TEST(Transparency, TheFastPngReaderAgreesWithQtsReader)
{
    QImage noisy(96, 64, QImage::Format_ARGB32);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 96; ++x)
            noisy.setPixel(x, y, qRgba((x * 7) ^ y, x * y, (x + y * 3) & 0xFF, (x * 13 + y) & 0xFF));
    const QImage opaque = noisy.convertToFormat(QImage::Format_RGB32);
    QBuffer ours;
    ours.open(QIODevice::WriteOnly);
    ASSERT_TRUE(WritePng(opaque, ours, KeyPair{Colour(0x0000FF), Colour(0x00FF00)}));
    QImage large = test::NoisySheet(32 * 96); // data past a huge page, in several IDAT chunks
    large.setPixel(3, 4, 0xFF0000FF);
    large.setPixel(5, 3000, 0xFF00FF00);
    QBuffer oursLarge;
    oursLarge.open(QIODevice::WriteOnly);
    ASSERT_TRUE(WritePng(large, oursLarge, KeyPair{Colour(0x0000FF), Colour(0x00FF00)}));
    const QByteArray written[] = {test::WrittenBytes(noisy, "png"), test::WrittenBytes(opaque, "png"),
                                  test::WrittenBytes(test::BlockPicture(64, 32), "png"), ours.data(),
                                  oursLarge.data()};
    for (const QByteArray &bytes : written) {
        const QImage fast = ReadCommonPng(bytes, [](QSize) {});
        ASSERT_FALSE(fast.isNull());
        EXPECT_TRUE(test::SamePixels(fast.convertToFormat(QImage::Format_ARGB32),
                                     QImage::fromData(bytes).convertToFormat(QImage::Format_ARGB32)));
    }
    // Kinds it leaves to Qt's reader: 16 bits, interlaced, palettes.
    EXPECT_TRUE(ReadCommonPng(test::WrittenBytes(noisy.convertToFormat(QImage::Format_RGBA64), "png"),
                              [](QSize) {}).isNull());
    EXPECT_TRUE(ReadCommonPng(test::WrittenBytes(noisy.convertToFormat(QImage::Format_Indexed8), "png"),
                              [](QSize) {}).isNull());
}

} // namespace
} // namespace vexlo
