// Getting tiles into the buffers, clearing them, and the failures that must
// leave every buffer and sheet as it was.
#include "common/failure.h"
#include "model/tile_engine.h"
#include "model/workspace.h"
#include "support/pixels.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

namespace vexlo {
namespace {

using test::PatternSheet;
using test::SamePixels;
using test::SheetTile;
using test::Uniform;
using test::kBlackPixel;
using test::kLightGrey;


class TileBuffers : public ::testing::Test {
protected:
    void SetUp() override
    {
        workspace.setSheet(0, PatternSheet(1));
        workspace.setSheet(1, PatternSheet(2, 96));
    }

    // Runs an operation that must fail with `description` and checks that no
    // buffer and no sheet changed.
    void expectFailureChangingNothing(const std::function<void()> &operation, const QString &description)
    {
        const QImage sheets[2] = {workspace.sheet(0), workspace.sheet(1)};
        const QImage buffers[2] = {workspace.buffer(0), workspace.buffer(1)};
        try {
            operation();
            ADD_FAILURE() << "no failure";
        } catch (const Failure &failure) {
            EXPECT_EQ(failure.description(), description);
        }
        for (int i = 0; i < 2; ++i) {
            EXPECT_TRUE(SamePixels(workspace.sheet(i), sheets[i])) << "sheet " << i;
            EXPECT_TRUE(SamePixels(workspace.buffer(i), buffers[i])) << "buffer " << i;
        }
    }

    Workspace workspace;
};

TEST_F(TileBuffers, GetTileCopiesExactlyTheTilesPixelsAndLeavesTheSheet)
{
    const QImage left = workspace.sheet(0);
    QSignalSpy bufferChanged(&workspace, &Workspace::bufferChanged);

    GetTile(workspace, 0, 0, 7, 0); // sheet pixels x 224 to 255, y 0 to 31
    EXPECT_TRUE(SamePixels(workspace.buffer(0), left.copy(224, 0, 32, 32)));
    EXPECT_TRUE(Uniform(workspace.buffer(1), kLightGrey)) << "the other buffer is untouched";
    EXPECT_TRUE(SamePixels(workspace.sheet(0), left));
    ASSERT_EQ(bufferChanged.count(), 1);
    EXPECT_EQ(bufferChanged.at(0).at(0).toInt(), 0);

    GetTile(workspace, 1, 0, 2, 1); // the right sheet into buffer 0
    EXPECT_TRUE(SamePixels(workspace.buffer(0), SheetTile(workspace.sheet(1), 2, 1)));
    GetTile(workspace, 0, 1, 1, 3);
    EXPECT_TRUE(SamePixels(workspace.buffer(1), SheetTile(left, 1, 3)));
}

TEST_F(TileBuffers, SourcePixelsOutsideTheSheetArriveAsBlack)
{
    workspace.setSheet(0, PatternSheet(1, 80)); // the third row of tiles is half there
    GetTile(workspace, 0, 0, 3, 2);
    const QImage held = workspace.buffer(0);
    EXPECT_TRUE(SamePixels(held.copy(0, 0, 32, 16), workspace.sheet(0).copy(96, 64, 32, 16)));
    EXPECT_TRUE(Uniform(held.copy(0, 16, 32, 16), kBlackPixel));

    for (const auto &[column, row] : {std::pair{8, 0}, {-1, 0}, {0, -1}, {0, 3}, {67108863, 67108863}}) {
        GetTile(workspace, 0, 1, column, row);
        EXPECT_TRUE(Uniform(workspace.buffer(1), kBlackPixel)) << column << ", " << row;
    }
}

TEST_F(TileBuffers, ClearChipMakesTheBufferUniformlyLightGrey)
{
    GetTile(workspace, 0, 0, 1, 1);
    GetTile(workspace, 1, 1, 1, 1);
    QSignalSpy bufferChanged(&workspace, &Workspace::bufferChanged);
    ClearChip(workspace, 0);
    EXPECT_TRUE(Uniform(workspace.buffer(0), kLightGrey));
    EXPECT_FALSE(Uniform(workspace.buffer(1), kLightGrey)) << "only the named buffer";
    ASSERT_EQ(bufferChanged.count(), 1);
    EXPECT_EQ(workspace.buffer(0).size(), QSize(32, 32));
}

TEST_F(TileBuffers, OtherPaneNamesTheOtherPane)
{
    EXPECT_EQ(OtherPane(0), 1);
    EXPECT_EQ(OtherPane(1), 0);
    EXPECT_EQ(OtherPane(-5), 6);
    EXPECT_THROW(OtherPane(-32768), Failure) << "32769 does not fit 16 bits";
}

TEST_F(TileBuffers, AMissingPaneOrBufferFailsBeforeAnyPixelChanges)
{
    GetTile(workspace, 0, 0, 2, 2); // buffers hold something other than grey
    const QString missing2 = QStringLiteral("Control array element '2' doesn't exist");
    expectFailureChangingNothing([&] { GetTile(workspace, 0, 2, 0, 0); }, missing2);
    expectFailureChangingNothing([&] { GetTile(workspace, 2, 0, 0, 0); }, missing2);
    expectFailureChangingNothing([&] { GetTile(workspace, -1, 0, 0, 0); },
                                 QStringLiteral("Control array element '-1' doesn't exist"));
    expectFailureChangingNothing([&] { ClearChip(workspace, 2); }, missing2);
}

TEST_F(TileBuffers, ATileOriginBeyond32BitsFailsWithAnOverflow)
{
    GetTile(workspace, 0, 0, 2, 2);
    const QString overflow = QStringLiteral("Overflow");
    expectFailureChangingNothing([&] { GetTile(workspace, 0, 0, 67108864, 0); }, overflow);
    expectFailureChangingNothing([&] { GetTile(workspace, 0, 0, 0, -67108865); }, overflow);
    expectFailureChangingNothing([&] { GetTile(workspace, 1, 1, 2147483647, 0); }, overflow);
    EXPECT_NO_THROW(GetTile(workspace, 0, 0, -67108864, 0)) << "-2147483648 still fits";
}

} // namespace
} // namespace vexlo
