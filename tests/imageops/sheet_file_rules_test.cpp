// The image commands' core: sheets written as bitmaps or PNGs and read back through
// the load path, and the resize answers and their sheets.
#include "common/failure.h"
#include "io/sheet_writer.h"
#include "imageops/sheet_height.h"
#include "io/sheet_file.h"
#include "model/sheet_rows.h"
#include "model/workspace.h"
#include "support/file_faults.h"
#include "support/pixels.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <QImageReader>

#include <gtest/gtest.h>

namespace vexlo {
namespace {

using test::PatternSheet;
using test::SamePixels;
using test::Uniform;

QImage ReadBack(const QString &path)
{
    const SheetFile file = LoadSheetFile(path);
    EXPECT_TRUE(file.accepted()) << file.refusal.toStdString();
    return file.sheet;
}

TEST(SheetOutput, EveryPixelComesBackExactlyThroughTheLoadPath)
{
    test::TempFolder folder;
    QImage keyed = PatternSheet(3, 96);
    // Key colours one step apart must stay apart.
    for (int x = 0; x < 256; x += 2) {
        keyed.setPixel(x, 5, qRgb(0xFF, 0x00, 0xFF));
        keyed.setPixel(x + 1, 5, qRgb(0xFE, 0x00, 0xFF));
        keyed.setPixel(x, 6, qRgb(0x00, 0x01, 0x00));
        keyed.setPixel(x + 1, 6, qRgb(0x00, 0x00, 0x00));
    }
    const QImage sheets[] = {keyed, PatternSheet(9, 32), PatternSheet(1, 32 * 300), test::NoisySheet(32 * 96)};
    for (const QImage &sheet : sheets) {
        for (const char *name : {"sheet.bmp", "sheet.png"}) {
            SCOPED_TRACE(std::to_string(sheet.height()) + name);
            const QString path = folder.file(QString::fromLatin1(name));
            WriteSheetFile(sheet, path);
            EXPECT_TRUE(SamePixels(ReadBack(path), sheet));
        }
    }
}

TEST(SheetOutput, ANameEndingInPngIsAnOpaquePngAnyOtherABitmapAndEitherReplacesAnEarlierFile)
{
    test::TempFolder folder;
    const struct {
        const char *name;
        QByteArray format;
    } cases[] = {{"walls.png", "png"}, {"WALLS.Png", "png"}, {"walls.jpg", "bmp"}, {"walls.png.bak", "bmp"},
                 {"walls", "bmp"}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = folder.file(QString::fromLatin1(c.name));
        WriteSheetFile(PatternSheet(1, 256), path);
        WriteSheetFile(PatternSheet(2, 64), path);
        QImageReader reader(path);
        reader.setDecideFormatFromContent(true);
        EXPECT_EQ(reader.format(), c.format);
        EXPECT_EQ(reader.imageFormat(), QImage::Format_RGB32) << "no alpha channel, no palette";
        EXPECT_TRUE(SamePixels(reader.read().convertToFormat(QImage::Format_RGB32), PatternSheet(2, 64)));
        QFile::remove(path);
    }
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).isEmpty()) << "no temporary file left";
}

TEST(SheetOutput, AFailedWriteSaysWhyAndLeavesNoFile)
{
    test::TempFolder folder;
    const QString paths[] = {folder.file(QStringLiteral("missing/sheet.bmp")), folder.path(), QString()};
    for (const QString &path : paths) {
        SCOPED_TRACE(path.toStdString());
        try {
            WriteSheetFile(PatternSheet(1, 32), path);
            ADD_FAILURE() << "written";
        } catch (const Failure &failure) {
            EXPECT_TRUE(failure.description().startsWith(QStringLiteral("Cannot write ")))
                << failure.description().toStdString();
        }
    }
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden).isEmpty());
}

TEST(SheetOutput, AReadOnlyFolderOrAWriteCutShortSaysWhyAndLeavesTheEarlierFileAsItWas)
{
    test::TempFolder folder;
    const QString path = folder.file(QStringLiteral("walls.bmp"));
    WriteSheetFile(PatternSheet(1, 64), path);
    const QByteArray earlier = folder.read(QStringLiteral("walls.bmp"));
    const QImage larger = PatternSheet(2, 256); // 196,662 bytes as a bitmap
    {
        const test::ReadOnlyFolder readOnly(folder.path());
        ASSERT_TRUE(readOnly.holds());
        EXPECT_EQ(test::FailureOf([&] { WriteSheetFile(larger, path); }),
                  QStringLiteral("Cannot write %1: Permission denied").arg(path));
    }
    const QString png = folder.file(QStringLiteral("walls.png"));
    EXPECT_TRUE(test::InChildUnderFileSizeLimit(100000, [&] {
        return test::FailureOf([&] { WriteSheetFile(larger, path); })
               == QStringLiteral("Cannot write %1: File too large").arg(path);
    }));
    EXPECT_TRUE(test::InChildUnderFileSizeLimit(1000, [&] { // a PNG of 2,247 bytes, cut in its pixel data
        return test::FailureOf([&] { WriteSheetFile(larger, png); })
               == QStringLiteral("Cannot write %1: File too large").arg(png);
    }));
    EXPECT_EQ(folder.read(QStringLiteral("walls.bmp")), earlier);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("walls.bmp")});
}

TEST(ResizeHeight, TheCurrentHeightInTilesIsWrittenInItsShortestForm)
{
    const struct {
        int pixels;
        const char *text;
    } cases[] = {
        {512, "16"}, {80, "2.5"}, {32, "1"}, {1, "0.03125"}, {48, "1.5"},
        {kMaxSheetHeight, "4096"},
        {kMaxSheetHeight - 1, "4095.9688"}, // single precision: no more digits than it holds
    };
    for (const auto &c : cases)
        EXPECT_EQ(HeightInTilesText(c.pixels), QString::fromLatin1(c.text)) << c.pixels;
    EXPECT_EQ(ResizePromptText(512),
              QStringLiteral("Enter new image height in number of tiles.\r\nCurrent height is: 16"));
}

TEST(ResizeHeight, AnswersAreReadAsTilesUnroundedAndGiveWholePixels)
{
    using Outcome = HeightAnswer::Outcome;
    const QString invalid = QStringLiteral("Invalid height.");
    const QString tooHigh = QStringLiteral("Height too large. A sheet can be at most 4096 tiles (131072 pixels) high.");
    const struct {
        const char *answer;
        Outcome outcome;
        int pixels;
        QString refusal;
    } cases[] = {
        {"10", Outcome::Resize, 320, {}},
        {"12 tiles", Outcome::Resize, 384, {}},
        {"2.5", Outcome::Resize, 80, {}},
        {"  3", Outcome::Resize, 96, {}},
        {"&H10", Outcome::Resize, 512, {}},
        {"1.0157", Outcome::Resize, 33, {}},   // 32.5024 pixels
        {"1.015625", Outcome::Resize, 32, {}}, // 32.5 pixels: halves to even
        {"1.046875", Outcome::Resize, 34, {}}, // 33.5 pixels
        {"0.001", Outcome::Resize, 1, {}},    // never less than one pixel
        {"4096", Outcome::Resize, kMaxSheetHeight, {}},
        {"0", Outcome::Refused, 0, invalid},
        {"-3", Outcome::Refused, 0, invalid},
        {"abc", Outcome::Refused, 0, invalid},
        {"4096.1", Outcome::Refused, 0, tooHigh},
        {"1e300", Outcome::Refused, 0, tooHigh},
        {"", Outcome::Unchanged, 0, {}},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.answer);
        const HeightAnswer read = ReadHeightAnswer(QString::fromLatin1(c.answer));
        EXPECT_EQ(read.outcome, c.outcome);
        EXPECT_EQ(read.pixels, c.pixels);
        EXPECT_EQ(read.refusal, c.refusal);
    }
}

TEST(ResizeHeight, KeepsTheRowsWithinTheNewHeightAndAddsBlackOnes)
{
    const QImage sheet = PatternSheet(4, 96);
    const QImage taller = SheetWithHeight(sheet, 161);
    ASSERT_EQ(taller.size(), QSize(256, 161));
    EXPECT_TRUE(SamePixels(taller.copy(0, 0, 256, 96), sheet));
    EXPECT_TRUE(Uniform(taller.copy(0, 96, 256, 65), test::kBlackPixel));

    const QImage shorter = SheetWithHeight(sheet, 40);
    EXPECT_TRUE(SamePixels(shorter, sheet.copy(0, 0, 256, 40)));
}

} // namespace
} // namespace vexlo
