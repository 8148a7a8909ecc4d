// How large a sheet can be, and what happens when memory runs short: the
// tallest sheet saved loads back, a taller picture is refused from its
// declared size, and a load that cannot have its memory fails with a reason
// instead of crashing or hanging.
#include "common/sheet_limits.h"
#include "io/sheet_writer.h"
#include "io/sheet_file.h"
#include "model/tile_engine.h"
#include "model/workspace.h"
#include "support/test_colours.h"
#include "tiles/replace_colour.h"

#include "support/file_faults.h"
#include "support/pixels.h"
#include "support/temp_folder.h"

#include <QImageWriter>

#include <gtest/gtest.h>

namespace vexlo {
namespace {

constexpr qint64 kMiB = 1024 * 1024;

TEST(SheetLimits, TheTallestSheetSavedLoadsBackAndATallerPictureIsRefused)
{
    test::TempFolder folder;
    const QImage tallest = test::PatternSheet(3, kMaxSheetHeight);
    for (const QString &name : {QStringLiteral("tallest.bmp"), QStringLiteral("tallest.png")}) {
        WriteSheetFile(tallest, folder.file(name));
        const SheetFile loaded = LoadSheetFile(folder.file(name));
        ASSERT_TRUE(loaded.accepted()) << loaded.refusal.toStdString();
        EXPECT_TRUE(test::SamePixels(loaded.sheet, tallest)) << name.toStdString();
    }

    // Narrow, so it once passed as a sheet 8 times its size that could be
    // saved but never loaded again.
    QImage taller(32, kMaxSheetHeight + 32, QImage::Format_RGB32);
    taller.fill(Qt::white);
    WriteSheetFile(taller, folder.file(QStringLiteral("taller.bmp")));
    const SheetFile refused = LoadSheetFile(folder.file(QStringLiteral("taller.bmp")));
    EXPECT_FALSE(refused.accepted());
    EXPECT_EQ(refused.refusal, QStringLiteral("Invalid size (Y > 131072)."));
}

TEST(SheetLimits, MemoryThatCannotBeHadIsAFailureNamingThePicture)
{
    test::TempFolder folder;
    QImage narrow(32, kMaxSheetHeight, QImage::Format_RGB32);
    narrow.fill(Qt::white);
    WriteSheetFile(narrow, folder.file(QStringLiteral("narrow.bmp")));
    const QString path = folder.file(QStringLiteral("narrow.bmp"));
    // Room to read the 16 MiB picture, not to widen it to 128 MiB.
    EXPECT_TRUE(test::InChildUnderMemoryLimit(64 * kMiB, [&] {
        const SheetFile file = LoadSheetFile(path);
        return !file.accepted()
               && file.refusal == QStringLiteral("Not enough memory for a picture of 256 x 131072 pixels.");
    }));
    // A picture with a palette, read by the general reader: 32 MiB at 8 bits.
    QImage indexed(256, kMaxSheetHeight, QImage::Format_Indexed8);
    indexed.setColorTable({qRgb(0, 0, 0), qRgb(255, 0, 255)});
    indexed.fill(1);
    ASSERT_TRUE(QImageWriter(folder.file(QStringLiteral("indexed.bmp")), "bmp").write(indexed));
    const QString indexedPath = folder.file(QStringLiteral("indexed.bmp"));
    EXPECT_TRUE(test::InChildUnderMemoryLimit(16 * kMiB, [&] {
        return LoadSheetFile(indexedPath).refusal
               == QStringLiteral("Not enough memory for a picture of 256 x 131072 pixels.");
    }));
}

TEST(SheetLimits, ASharedSheetThatCannotBeCopiedBeforeItsFirstChangeIsLeftAsItWas)
{
    // As after a load, when the load dialog's preview holds the same sheet:
    // the first change copies it.
    QImage tallest(256, kMaxSheetHeight, QImage::Format_RGB32);
    tallest.fill(Qt::white);
    Workspace workspace;
    workspace.setSheet(0, tallest);
    const QString noMemory = QStringLiteral("Not enough memory for a picture of 256 x 131072 pixels.");
    EXPECT_TRUE(test::InChildUnderMemoryLimit(64 * kMiB, [&] {
        return test::FailureOf([&] { PutTile(workspace, 0, 0, 0, 0, 0); }) == noMemory
               && test::FailureOf([&] { workspace.replaceColour(0, kWhite, kBlack); }) == noMemory
               && workspace.sheet(0).pixel(0, 0) == qRgb(255, 255, 255);
    }));
}

TEST(SheetLimits, PicturesWithTransparencyAreLaidOverBlackOnThisThreadWithLittleMemory)
{
    constexpr int kHeight = 32768;
    QImage picture(256, kHeight, QImage::Format_ARGB32);
    for (int y = 0; y < kHeight; ++y) {
        auto *row = reinterpret_cast<QRgb *>(picture.scanLine(y));
        for (int x = 0; x < 256; ++x)
            row[x] = qRgba(x, y & 0xFF, 200, (x + y) & 0xFF);
    }
    test::TempFolder folder;
    const QString path = folder.file(QStringLiteral("alpha.bmp")); // PNG bytes: the content decides
    ASSERT_TRUE(QImageWriter(path, "png").write(picture));
    const qint64 pictureBytes = picture.sizeInBytes();
    // The picture as read and once more as laid over black, and a little:
    // no room for the stacks of worker threads, which Qt waits for forever
    // when they cannot be started.
    EXPECT_TRUE(test::InChildUnderMemoryLimit(2 * pictureBytes + 6 * kMiB, [&] {
        const SheetFile file = LoadSheetFile(path);
        if (!file.accepted())
            return false;
        for (int y = 0; y < kHeight; y += 97)
            for (int x = 0; x < 256; ++x)
                if (file.sheet.pixel(x, y) != (qPremultiply(picture.pixel(x, y)) | 0xFF000000u))
                    return false;
        return true;
    }, 20000));
}

} // namespace
} // namespace vexlo
