#include "io/atomic_write.h"
#include "common/colour.h"
#include "common/pane_placement.h"
#include "common/version_label.h"
#include "support/file_faults.h"
#include "support/temp_folder.h"
#include "support/test_colours.h"

#include <QFile>
#include <QImage>

#include <gtest/gtest.h>

#include <type_traits>

namespace vexlo {
namespace {

// A colour value and a Qt pixel never stand in for each other unseen.
static_assert(!std::is_convertible_v<QRgb, Colour> && !std::is_constructible_v<Colour, QRgb>);
static_assert(!std::is_convertible_v<Colour, QRgb> && !std::is_convertible_v<std::int32_t, Colour>);
static_assert(std::is_trivially_copyable_v<Colour> && sizeof(Colour) == sizeof(std::int32_t));

TEST(ColourValue, RedIsTheLowByteAndBlueTheHighOne)
{
    EXPECT_EQ(Colour(255, 0, 0), Colour(0xFF));
    EXPECT_EQ(Colour(0, 255, 0), Colour(0xFF00));
    EXPECT_EQ(Colour(0, 0, 255), Colour(0xFF0000));
    EXPECT_EQ(Colour(255, 128, 0), Colour(33023));
    EXPECT_EQ(Colour(255, 0, 255), Colour(16711935));
}

TEST(ColourValue, ConvertsBothWaysWithQtPixels)
{
    QImage image(1, 1, QImage::Format_RGB32);
    image.setPixel(0, 0, qRgb(0x12, 0x34, 0x56));
    const Colour colour = ColourFromQRgb(image.pixel(0, 0));
    EXPECT_EQ(colour, Colour(0x563412));
    EXPECT_EQ(QRgbFromColour(colour), qRgb(0x12, 0x34, 0x56));
    EXPECT_EQ(ColourFromQColor(QColorFromColour(Colour(0x808000))), Colour(0x808000));
}

TEST(ColourValue, HexadecimalTextHasNoLeadingZerosAndUpperCaseDigits)
{
    EXPECT_EQ(ColourHex(kBlack), QStringLiteral("0"));
    EXPECT_EQ(ColourHex(Colour(255, 0, 0)), QStringLiteral("FF"));
    EXPECT_EQ(ColourHex(Colour(0, 255, 0)), QStringLiteral("FF00"));
    EXPECT_EQ(ColourHex(Colour(0, 0, 255)), QStringLiteral("FF0000"));
    EXPECT_EQ(ColourHex(Colour(0xABCDEF)), QStringLiteral("ABCDEF"));
    EXPECT_EQ(HexTriplet(Colour(0x0A0B0C)), QStringLiteral("#0C0B0A")) << "red first, each part two digits";
}

TEST(VersionLabel, FillsEveryPlaceholderOfTheTemplate)
{
    EXPECT_EQ(FillVersionLabel(QStringLiteral("Version $M.$I.$R.")), QStringLiteral("Version 2.1.13."));
    EXPECT_EQ(FillVersionLabel(QStringLiteral("$M$M $r")), QStringLiteral("22 $r"));
}

TEST(PanePlacement, ATallSheetScrollsBetweenTopFortyAndEightAboveTheBottom)
{
    EXPECT_EQ(PlacedSheetTop(1024, 513, 0, 1000), 40);
    EXPECT_EQ(PlacedSheetTop(1024, 513, 500, 1000), -239.5);
    EXPECT_EQ(PlacedSheetTop(1024, 513, 1000, 1000), 513 - 8 - 1024);
    EXPECT_EQ(PlacedSheetTop(1024, 515, 1000, 1000), -517);
}

TEST(PanePlacement, ASheetExactlyTheClientMinusFortyHasAnEightPixelRange)
{
    EXPECT_EQ(PlacedSheetTop(473, 513, 0, 1000), 40);
    EXPECT_EQ(PlacedSheetTop(473, 513, 1000, 1000), 32);
    EXPECT_EQ(PlacedSheetTop(473, 513, 500, 1000), 36);
}

TEST(PanePlacement, AShorterSheetStaysAtFortyForEveryValue)
{
    for (int value : {0, 1, 500, 1000})
        EXPECT_EQ(PlacedSheetTop(472, 513, value, 1000), 40);
    EXPECT_EQ(PlacedSheetTop(448, 515, 1000, 1000), 40);
}

TEST(PanePlacement, TheRangeGrowsToARowAStepOnlyPastThirtyTwoThousandPixelsOfTravel)
{
    // Sheet height, client height, maximum: travel 31,983; 32,015; 31,528 in a taller window.
    const int cases[][3] = {{32448, 513, 1000}, {32480, 513, 1015}, {32480, 1000, 1000}, {131072, 513, 4096}};
    for (const auto &c : cases)
        EXPECT_EQ(ScrollMaximum(c[0], c[1]), c[2]) << c[0] << " in " << c[1];
    EXPECT_EQ(PlacedSheetTop(131072, 513, 2048, 4096), 40 - (131072 - 465) / 2.0);
}

TEST(AtomicWrite, ReplacesTheFileOnlyWhenTheNewContentIsComplete)
{
    test::TempFolder folder;
    folder.write(QStringLiteral("a.txt"), "old");
    EXPECT_NO_THROW(WriteFileAtomically(folder.file(QStringLiteral("a.txt")), QByteArray("new")));
    EXPECT_EQ(folder.read(QStringLiteral("a.txt")), "new");

    const QString failure = test::FailureOf([&] {
        WriteFileAtomically(folder.file(QStringLiteral("a.txt")), [](QIODevice &device) {
            device.write("partial");
            return false;
        });
    });
    EXPECT_FALSE(failure.isEmpty());
    EXPECT_EQ(folder.read(QStringLiteral("a.txt")), "new");
    EXPECT_ANY_THROW(WriteFileAtomically(folder.file(QStringLiteral("missing/a.txt")), QByteArray("x")));
}

} // namespace
} // namespace vexlo
