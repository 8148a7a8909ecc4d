// The macro lines the tile operations record, the numbers behind pointer
// positions, and the drag image.
#include "common/failure.h"
#include "model/tile_engine.h"
#include "model/workspace.h"
#include "support/test_colours.h"
#include "tiles/drag_image.h"
#include "tiles/replace_colour.h"
#include "tiles/sheet_points.h"

#include <gtest/gtest.h>

namespace vexlo {
namespace {

QStringList Lines(const Workspace &workspace)
{
    return workspace.macro().lines();
}

TEST(Recording, NothingIsRecordedWhileRecordingIsOff)
{
    Workspace workspace;
    GetTile(workspace, 0, 0, 2, 5);
    PutTile(workspace, 1, 0, 0, 1, -1);
    ClearChip(workspace, 0);
    EXPECT_TRUE(Lines(workspace).isEmpty());
}

TEST(Recording, EachTileOperationAppendsItsLineInShortestDecimal)
{
    Workspace workspace;
    workspace.appendMacroLine(QStringLiteral("Cls,1")); // earlier lines stay
    workspace.setRecording(true);
    GetTile(workspace, 0, 0, 2, 5);
    PutTile(workspace, 1, 0, 0, 1, -1);
    ClearChip(workspace, 0);
    GetTile(workspace, 1, 0, -3, 2147483);
    PutTile(workspace, 0, 1, 10, 0, 0);
    PutTile(workspace, 0, 1, 10, 0, 7); // written as the truth value it stands for
    EXPECT_EQ(OtherPane(0), 1);
    QImage image(2, 2, QImage::Format_RGB32);
    ReplaceColour(image, kBlack, kWhite);
    EXPECT_EQ(Lines(workspace), (QStringList{"Cls,1", "Get,0,0,2,5", "Put,1,0,0,1,-1", "Cls,0", "Get,1,0,-3,2147483",
                                             "Put,0,1,10,0,0", "Put,0,1,10,0,-1"}));
}

TEST(Recording, TheLineStaysWhenTheOperationFails)
{
    Workspace workspace;
    workspace.setRecording(true);
    EXPECT_THROW(GetTile(workspace, 0, 2, 0, 0), Failure);
    EXPECT_THROW(PutTile(workspace, 1, 0, 67108864, 0, -1), Failure);
    EXPECT_THROW(ClearChip(workspace, -1), Failure);
    EXPECT_EQ(Lines(workspace), (QStringList{"Get,0,2,0,0", "Put,1,0,67108864,0,-1", "Cls,-1"}));
}

TEST(PointerNumbers, APixelBelongsToTheTileItLiesIn)
{
    EXPECT_EQ(TileOf(0), 0);
    EXPECT_EQ(TileOf(31), 0);
    EXPECT_EQ(TileOf(63), 1);
    EXPECT_EQ(TileOf(95), 2);
    EXPECT_EQ(TileOf(96), 3);
    EXPECT_EQ(TileOf(-1), -1) << "towards minus infinity";
    EXPECT_THROW(TileOf(1e12), Failure);
}

TEST(PointerNumbers, TheLocatorSnapsByRemainderKeepingTheSignOfThePixel)
{
    EXPECT_EQ(SnappedToTile(70), 64);
    EXPECT_EQ(SnappedToTile(40), 32);
    EXPECT_EQ(SnappedToTile(31), 0);
    EXPECT_EQ(SnappedToTile(-1), 0);
    EXPECT_EQ(SnappedToTile(-33), -32);
    EXPECT_EQ(SnappedToTile(64.5), 64.5) << "64.5 rounds to 64, whose remainder is 0";
}

TEST(PointerNumbers, TheDropperReadsThePixelUnderThePointAndBlackOutsideTheSheet)
{
    QImage sheet = Workspace::blankSheet();
    sheet.setPixel(255, 31, qRgb(0, 255, 0));
    EXPECT_EQ(ColourAt(sheet, 255, 31), Colour(0, 255, 0));
    EXPECT_EQ(ColourAt(sheet, 255.5, 31.9), Colour(0, 255, 0));
    EXPECT_EQ(ColourAt(sheet, 256, 31), kBlack);
    EXPECT_EQ(ColourAt(sheet, -0.5, 0), kBlack);
}

TEST(DragImage, IsAHollowBevelledFrameLightAtTopLeftAndDarkAtBottomRight)
{
    const QImage image = TileDragImage();
    ASSERT_EQ(image.size(), QSize(32, 32));
    auto grey = [&](int x, int y) { return qGray(image.pixel(x, y)); };
    for (int ring = 0; ring < 3; ++ring) {
        const int far = 31 - ring;
        EXPECT_EQ(qAlpha(image.pixel(16, ring)), 255);
        EXPECT_GT(grey(16, ring), grey(16, far)) << "top lighter than bottom, ring " << ring;
        EXPECT_GT(grey(ring, 16), grey(far, 16)) << "left lighter than right, ring " << ring;
        EXPECT_GT(grey(ring, ring), grey(far, far)) << "corners, ring " << ring;
    }
    for (const QPoint inside : {QPoint(3, 3), QPoint(16, 16), QPoint(28, 28), QPoint(3, 28)})
        EXPECT_EQ(qAlpha(image.pixel(inside)), 0) << inside.x() << ", " << inside.y();
}

} // namespace
} // namespace vexlo
