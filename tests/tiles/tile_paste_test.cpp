// Painting buffers onto sheets, key-colour replacement on the way, and
// ReplaceColour itself.
#include "common/failure.h"
#include "model/tile_engine.h"
#include "model/workspace.h"
#include "support/pixels.h"
#include "support/test_colours.h"
#include "tiles/replace_colour.h"

#include <QPainter>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace vexlo {
namespace {

using test::kCyan;
using test::kDarkGrey;
using test::kMagenta;

using test::PatternSheet;
using test::SamePixels;
using test::SheetTile;

constexpr QRgb kNearMagenta = qRgb(254, 0, 255);

// The sheet with `tile` painted at pixel (x, y), clipped to the sheet.
QImage Painted(QImage sheet, const QImage &tile, int x, int y)
{
    QPainter painter(&sheet);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(x, y, tile);
    return sheet;
}

class TilePaste : public ::testing::Test {
protected:
    void SetUp() override
    {
        workspace.setSheet(0, PatternSheet(1));
        workspace.setSheet(1, PatternSheet(2));
        workspace.setKeyColours(0, kMagenta, kDarkGrey);
        workspace.setKeyColours(1, kCyan, kBlack);
        setSwitches(1, 1);
        workspace.setBuffer(0, keyedTile());
    }

    void setSwitches(std::int16_t transparent, std::int16_t translucent)
    {
        workspace.options().setState(OptSwitch::ChkRepTrans, transparent);
        workspace.options().setState(OptSwitch::ChkRepTransL, translucent);
    }

    // A tile of the left sheet with the left key colours at (0, 0) and
    // (1, 0), and a colour one bit off the transparent key at (2, 0).
    QImage keyedTile() const
    {
        QImage tile = SheetTile(workspace.sheet(0), 4, 1);
        tile.setPixel(0, 0, QRgbFromColour(kMagenta));
        tile.setPixel(1, 0, QRgbFromColour(kDarkGrey));
        tile.setPixel(2, 0, kNearMagenta);
        return tile;
    }

    // keyedTile with its two key pixels as they should arrive.
    QImage keyedTileArriving(Colour transparent, Colour translucent) const
    {
        QImage tile = keyedTile();
        tile.setPixel(0, 0, QRgbFromColour(transparent));
        tile.setPixel(1, 0, QRgbFromColour(translucent));
        return tile;
    }

    Workspace workspace;
};

TEST_F(TilePaste, PutTileOverwritesExactlyTheTargetTile)
{
    const QImage right = workspace.sheet(1);
    const QImage left = workspace.sheet(0);
    QSignalSpy sheetChanged(&workspace, &Workspace::sheetChanged);

    PutTile(workspace, 1, 0, 7, 3, 0); // sheet pixels x 224 to 255, y 96 to 127
    EXPECT_TRUE(SamePixels(workspace.sheet(1), Painted(right, keyedTile(), 224, 96)));
    EXPECT_TRUE(SamePixels(workspace.sheet(0), left));
    ASSERT_EQ(sheetChanged.count(), 1);
    EXPECT_EQ(sheetChanged.at(0).at(0).toInt(), 1);
}

TEST_F(TilePaste, PixelsFallingOutsideTheSheetAreDropped)
{
    workspace.setSheet(1, PatternSheet(2, 80));
    const QImage right = workspace.sheet(1);
    PutTile(workspace, 1, 0, 0, 2, 0); // only the top 16 rows land
    EXPECT_TRUE(SamePixels(workspace.sheet(1), Painted(right, keyedTile(), 0, 64)));
    EXPECT_EQ(workspace.sheet(1).size(), QSize(256, 80));

    const QImage before = workspace.sheet(1);
    for (const auto &[column, row] : {std::pair{8, 0}, {-1, 0}, {0, -1}, {67108863, -67108864}}) {
        PutTile(workspace, 1, 0, column, row, 0);
        EXPECT_TRUE(SamePixels(workspace.sheet(1), before)) << column << ", " << row;
    }
}

struct ReplacementCase {
    std::int16_t transparentSwitch;
    std::int16_t translucentSwitch;
    std::int16_t replace;
    Colour transparentArrives;
    Colour translucentArrives;
};

TEST_F(TilePaste, KeyColoursAreReplacedOnlyAsTheFlagAndTheSwitchesAllow)
{
    const ReplacementCase cases[] = {
        {1, 1, -1, kCyan, kBlack},
        {0, 1, -1, kMagenta, kBlack},
        {1, 0, -1, kCyan, kDarkGrey},
        {0, 0, -1, kMagenta, kDarkGrey},
        {2, 2, -1, kCyan, kBlack}, // a greyed switch counts as on
        {1, 1, 0, kMagenta, kDarkGrey},
        {1, 1, 1, kMagenta, kDarkGrey}, // only exactly -1 asks for replacement
        {1, 1, -2, kMagenta, kDarkGrey},
    };
    for (const ReplacementCase &c : cases) {
        SCOPED_TRACE(testing::Message() << "switches " << c.transparentSwitch << "/" << c.translucentSwitch
                                        << ", replace " << c.replace);
        workspace.setBuffer(0, keyedTile());
        setSwitches(c.transparentSwitch, c.translucentSwitch);
        PutTile(workspace, 1, 0, 2, 1, c.replace);
        const QImage arriving = keyedTileArriving(c.transparentArrives, c.translucentArrives);
        EXPECT_TRUE(SamePixels(SheetTile(workspace.sheet(1), 2, 1), arriving));
        EXPECT_TRUE(SamePixels(workspace.buffer(0), arriving)) << "the replacement stays in the buffer";
    }
}

TEST_F(TilePaste, TheTranslucentReplacementWorksOnTheResultOfTheTransparentOne)
{
    const Colour a = Colour(255, 0, 0), b = Colour(0, 255, 0), c = Colour(0, 0, 255);
    workspace.setKeyColours(0, a, b);
    workspace.setKeyColours(1, b, c);
    QImage tile = keyedTile();
    tile.setPixel(0, 0, QRgbFromColour(a));
    tile.setPixel(1, 0, QRgbFromColour(b));
    workspace.setBuffer(0, tile);

    PutTile(workspace, 1, 0, 0, 0, -1);
    tile.setPixel(0, 0, QRgbFromColour(c));
    tile.setPixel(1, 0, QRgbFromColour(c));
    EXPECT_TRUE(SamePixels(SheetTile(workspace.sheet(1), 0, 0), tile));
}

TEST_F(TilePaste, KeyColoursAreReadAtEachPaste)
{
    PutTile(workspace, 0, 0, 0, 0, -1);
    EXPECT_TRUE(SamePixels(SheetTile(workspace.sheet(0), 0, 0), keyedTile())) << "pane equal to buffer: unchanged";

    workspace.setKeyColours(1, Colour(1, 2, 3), Colour(4, 5, 6));
    PutTile(workspace, 1, 0, 5, 2, -1);
    EXPECT_TRUE(SamePixels(SheetTile(workspace.sheet(1), 5, 2),
                           keyedTileArriving(Colour(1, 2, 3), Colour(4, 5, 6))));
}

TEST_F(TilePaste, AMissingPaneOrBufferFailsBeforeTheBufferIsReplaced)
{
    const QImage sheets[2] = {workspace.sheet(0), workspace.sheet(1)};
    for (const auto &[pane, buffer] : {std::pair{2, 0}, {0, 2}, {-1, 1}}) {
        EXPECT_THROW(PutTile(workspace, std::int16_t(pane), std::int16_t(buffer), 0, 0, -1), Failure);
        EXPECT_TRUE(SamePixels(workspace.buffer(0), keyedTile()));
        EXPECT_TRUE(SamePixels(workspace.sheet(0), sheets[0]));
        EXPECT_TRUE(SamePixels(workspace.sheet(1), sheets[1]));
    }
}

TEST_F(TilePaste, AnOverflowingOriginKeepsTheReplacementButLeavesTheSheet)
{
    const QImage right = workspace.sheet(1);
    QSignalSpy bufferChanged(&workspace, &Workspace::bufferChanged);
    try {
        PutTile(workspace, 1, 0, 0, 67108864, -1);
        ADD_FAILURE() << "no overflow";
    } catch (const Failure &failure) {
        EXPECT_EQ(failure.description(), QStringLiteral("Overflow"));
    }
    EXPECT_TRUE(SamePixels(workspace.sheet(1), right));
    EXPECT_TRUE(SamePixels(workspace.buffer(0), keyedTileArriving(kCyan, kBlack)));
    EXPECT_EQ(bufferChanged.count(), 1) << "the preview shows the replaced buffer";
}

TEST_F(TilePaste, ReplaceColourChangesExactMatchesOnlyOverTheWholeImage)
{
    QImage sheet = PatternSheet(3);
    const QRgb find = qRgb(10, 20, 30);
    sheet.setPixel(0, 0, find);
    sheet.setPixel(255, 127, find);
    sheet.setPixel(100, 50, qRgb(10, 20, 31));
    QImage expected = sheet;
    expected.setPixel(0, 0, qRgb(7, 8, 9));
    expected.setPixel(255, 127, qRgb(7, 8, 9));

    ReplaceColour(sheet, ColourFromQRgb(find), Colour(7, 8, 9));
    EXPECT_TRUE(SamePixels(sheet, expected));

    ReplaceColour(sheet, Colour(1, 1, 1), kWhite); // a colour no pixel has
    ReplaceColour(sheet, kNoColour, kWhite);
    ReplaceColour(sheet, Colour(Colour(7, 8, 9).value() | 0x01000000), kWhite); // same low bits, other value
    ReplaceColour(sheet, Colour(7, 8, 9), kNoColour);
    EXPECT_TRUE(SamePixels(sheet, expected));

    QImage empty;
    ReplaceColour(empty, kBlack, kWhite);
    EXPECT_TRUE(empty.isNull());
}

} // namespace
} // namespace vexlo
