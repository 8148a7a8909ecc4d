#include "load/sheet_file.h"

#include "picture_bytes.h"
#include "support/temp_folder.h"

#include <QFile>
#include <QImageReader>

#include <gtest/gtest.h>

#include <vector>

namespace vexlo {
namespace {

using test::BlockPicture;

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

bool AllOpaque(const QImage &sheet)
{
    for (int y = 0; y < sheet.height(); ++y) {
        const auto *row = reinterpret_cast<const QRgb *>(sheet.constScanLine(y));
        for (int x = 0; x < sheet.width(); ++x)
            if (qAlpha(row[x]) != 255)
                return false;
    }
    return true;
}

QImage LeftPart(const QImage &sheet, int width)
{
    return sheet.copy(0, 0, width, sheet.height());
}

bool IsBlack(const QImage &area)
{
    for (int y = 0; y < area.height(); ++y)
        for (int x = 0; x < area.width(); ++x)
            if (area.pixel(x, y) != qRgb(0, 0, 0))
                return false;
    return true;
}

TEST(SheetFile, AllSixFormatsLoadAsOpaqueSheetsWidenedWithBlack)
{
    test::TempFolder folder;
    const QImage wide = BlockPicture(96, 64);
    const QImage tile = BlockPicture(32, 32);
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
        {"sheet.jpg", test::WrittenBytes(wide, "jpg"), wide, false},
        {"tile.ico", test::IconBytes(tile), tile, true},
        {"tile.cur", test::IconBytes(tile, true), tile, true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        folder.write(QString::fromLatin1(c.name), c.bytes);
        const SheetFile file = LoadSheetFile(folder.file(QString::fromLatin1(c.name)));
        ASSERT_TRUE(file.accepted()) << file.refusal.toStdString();
        EXPECT_EQ(file.sheet.size(), QSize(256, c.expected.height()));
        EXPECT_EQ(file.sheet.format(), QImage::Format_RGB32);
        EXPECT_TRUE(AllOpaque(file.sheet));
        EXPECT_TRUE(IsBlack(file.sheet.copy(c.expected.width(), 0, 256 - c.expected.width(), c.expected.height())));
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

TEST(SheetFile, UnreadableFilesAreRefusedWithTheReadersText)
{
    for (const char *name : {"text.bmp", "empty.gif", "header_cut.bmp", "header_cut.gif", "header_cut.jpg",
                             "huge_header.bmp", "huge_screen.gif", "zero_entry.ico", "missing.bmp"}) {
        SCOPED_TRACE(name);
        const SheetFile file = LoadSheetFile(DataFile(name));
        EXPECT_FALSE(file.accepted());
        EXPECT_FALSE(file.refusal.isEmpty());
        EXPECT_FALSE(file.refusal.startsWith(QStringLiteral("Invalid size")));
    }
    EXPECT_EQ(LoadSheetFile(DataFile("text.bmp")).refusal, QStringLiteral("Unsupported image format"));
    EXPECT_EQ(LoadSheetFile(DataFile("missing.bmp")).refusal,
              QStringLiteral("No such file or directory: ") + DataFile("missing.bmp"));
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

TEST(SheetFile, PicturesThatEndEarlyComeOutTheSameEveryTime)
{
    for (const char *name : {"pixels_cut.bmp", "rle8_short.bmp", "pixels_cut.gif", "pixels_cut.jpg"}) {
        SCOPED_TRACE(name);
        DirtyFreedMemory(64 * 64 * 4);
        const SheetFile first = LoadSheetFile(DataFile(name));
        DirtyFreedMemory(64 * 64 * 4);
        const SheetFile second = LoadSheetFile(DataFile(name));
        ASSERT_TRUE(first.accepted()) << first.refusal.toStdString();
        EXPECT_EQ(first.sheet, second.sheet);
        EXPECT_TRUE(AllOpaque(first.sheet));
    }
    // A bitmap is stored bottom row first: of 64 rows, the top 24 never came.
    const SheetFile cut = LoadSheetFile(DataFile("pixels_cut.bmp"));
    EXPECT_TRUE(IsBlack(LeftPart(cut.sheet, 64).copy(0, 0, 64, 24)));
    EXPECT_EQ(cut.sheet.pixel(10, 30), BlockPicture(64, 64).pixel(10, 30));
}

} // namespace
} // namespace vexlo
