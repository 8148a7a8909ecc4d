// The pointer on the panes: locator and labels, picking up and dropping
// tiles (observed through the recorded macro lines and the pixels), and the
// dropper.
#include "app/frm_main.h"
#include "app/sheet_surface.h"
#include "model/workspace.h"
#include "support/pixels.h"
#include "support/form_input.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"
#include "support/test_colours.h"

#include <QApplication>
#include <QDragEnterEvent>
#include <QFrame>
#include <QLabel>
#include <QMimeData>
#include <QTest>

#include <gtest/gtest.h>

namespace vexlo {
namespace {

using test::PatternSheet;
using test::SamePixels;
using test::SheetTile;
using test::Uniform;
using test::kBlackPixel;
using test::kCyan;
using test::kDarkGrey;
using test::kLightGrey;
using test::kMagenta;

// The sheet with `tile` painted at tile (column, row).
QImage WithTile(QImage sheet, const QImage &tile, int column, int row)
{
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            sheet.setPixel(column * 32 + x, row * 32 + y, tile.pixel(x, y));
    return sheet;
}

class Pointer : public ::testing::Test {
protected:
    void SetUp() override
    {
        QImage left = PatternSheet(1);
        left.setPixel(32, 0, QRgbFromColour(kMagenta)); // left key colours in left tile (1, 0)
        left.setPixel(33, 0, QRgbFromColour(kDarkGrey));
        left.setPixel(96, 32, QRgbFromColour(kCyan)); // right key colours in left tile (3, 1)
        left.setPixel(97, 32, kBlackPixel);
        workspace.setSheet(0, left);
        workspace.setSheet(1, PatternSheet(2));
        workspace.setKeyColours(0, kMagenta, kDarkGrey);
        workspace.setKeyColours(1, kCyan, kBlack);
        workspace.setRecording(true); // the lines show each tile-engine call in order

        folder.write(QStringLiteral("Vexlo.INI"), "[Opt]\nChkStartWiz=0\n"); // no start-up wizard
        window.Form_Load(); // restores the settings, so the switches come after it
        workspace.options().setState(OptSwitch::ChkRepTrans, 1);
        workspace.options().setState(OptSwitch::ChkRepTransL, 1);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QStringList lines() const { return workspace.macro().lines(); }
    bool buffersClear() const
    {
        return Uniform(workspace.buffer(0), kLightGrey) && Uniform(workspace.buffer(1), kLightGrey);
    }

    test::ScopedScriptedPrompt prompt;
    test::TempFolder folder;
    Workspace workspace;
    FrmMain window{workspace, folder.path()};
};

TEST_F(Pointer, ADropOnTheOtherPaneCopiesTheTileWithReplacementAndClearsTheBuffer)
{
    const QImage left = workspace.sheet(0);
    window.TileSet_MouseDown(0, 1, 0, 40, 10);
    EXPECT_EQ(lines(), QStringList{"Get,0,0,1,0"});
    EXPECT_TRUE(SamePixels(workspace.buffer(0), SheetTile(left, 1, 0))) << "the preview holds the picked tile";
    EXPECT_EQ(window.dragTile(), QPoint(1, 0));
    EXPECT_TRUE(window.controls().TileSet[0]->dragRequested());

    window.TileSet_DragDrop(1, window.controls().TileSet[0], 200, 70);
    EXPECT_EQ(lines(), (QStringList{"Get,0,0,1,0", "Put,1,0,6,2,-1", "Cls,0"}));
    QImage arrived = SheetTile(left, 1, 0);
    arrived.setPixel(0, 0, QRgbFromColour(kCyan));
    arrived.setPixel(1, 0, kBlackPixel);
    EXPECT_TRUE(SamePixels(SheetTile(workspace.sheet(1), 6, 2), arrived));
    EXPECT_TRUE(SamePixels(workspace.sheet(0), left)) << "the source sheet is not changed";
    EXPECT_TRUE(buffersClear());

    QApplication::processEvents();
    const QImage shown = test::Shown(window, window.controls().TileSet[1]);
    EXPECT_TRUE(SamePixels(shown.copy(192, 64, 32, 32), arrived)) << "the pane shows its new tile";
    EXPECT_EQ(test::Shown(window, window.controls().Chip[0]).pixel(16, 16), kLightGrey);
}

TEST_F(Pointer, ADropOnTheSamePaneSwapsTheTwoTilesWithoutReplacement)
{
    const QImage left = workspace.sheet(0);
    window.TileSet_MouseDown(0, 1, 0, 40, 10);
    window.TileSet_DragDrop(0, window.controls().TileSet[0], 100, 40);
    EXPECT_EQ(lines(), (QStringList{"Get,0,0,1,0", "Get,0,1,3,1", "Put,0,0,3,1,0", "Put,0,1,1,0,0", "Cls,0",
                                    "Cls,1"}));
    const QImage swapped = WithTile(WithTile(left, SheetTile(left, 1, 0), 3, 1), SheetTile(left, 3, 1), 1, 0);
    EXPECT_TRUE(SamePixels(workspace.sheet(0), swapped));
    EXPECT_TRUE(buffersClear());
    EXPECT_EQ(window.dragTile().x(), 1) << "kept after the drop";
}

TEST_F(Pointer, AClickWithoutMovingIsASwapOfATileWithItself)
{
    const QImage left = workspace.sheet(0);
    const QImage right = workspace.sheet(1);
    window.TileSet_MouseDown(0, 1, 0, 40, 10);
    window.TileSet_DragDrop(0, window.controls().TileSet[0], 40, 10);
    EXPECT_EQ(lines(), (QStringList{"Get,0,0,1,0", "Get,0,1,1,0", "Put,0,0,1,0,0", "Put,0,1,1,0,0", "Cls,0",
                                    "Cls,1"}));
    EXPECT_TRUE(SamePixels(workspace.sheet(0), left));
    EXPECT_TRUE(SamePixels(workspace.sheet(1), right));
    EXPECT_TRUE(buffersClear());
}

TEST_F(Pointer, PixelsBecomeTilesByFloorInEitherDirection)
{
    window.TileSet_MouseDown(1, 1, 0, 63, 31);
    window.TileSet_DragDrop(0, window.controls().TileSet[1], 63, 95);
    window.TileSet_MouseDown(1, 1, 0, 64, 32);
    window.TileSet_DragDrop(0, window.controls().TileSet[1], 64, 96);
    EXPECT_EQ(lines(), (QStringList{"Get,1,1,1,0", "Put,0,1,1,2,-1", "Cls,1", "Get,1,1,2,1", "Put,0,1,2,3,-1",
                                    "Cls,1"}));
}

TEST_F(Pointer, TheLocatorAndLabelsOfThePaneUnderThePointerFollowIt)
{
    window.TileSet_MouseMove(0, 0, 0, 70, 40);
    EXPECT_EQ(window.view().panes[0].locator, QPoint(64, 32));
    EXPECT_EQ(window.view().panes[0].column, QStringLiteral("2"));
    EXPECT_EQ(window.view().panes[0].row, QStringLiteral("1"));

    window.TileSet_MouseMove(1, 1, 0, 5, 100);
    EXPECT_EQ(window.view().panes[1].locator, QPoint(0, 96));
    EXPECT_EQ(window.view().panes[1].row, QStringLiteral("3"));
    EXPECT_EQ(window.view().panes[0].locator, QPoint(64, 32)) << "the other pane keeps its locator";
    EXPECT_EQ(window.view().panes[0].column, QStringLiteral("2"));

    window.TileSet_DragOver(1, window.controls().TileSet[0], 255, 127, 2); // during a drag
    EXPECT_EQ(window.view().panes[1].locator, QPoint(224, 96));
    EXPECT_EQ(window.view().panes[1].column, QStringLiteral("7"));
    EXPECT_EQ(window.view().panes[1].row, QStringLiteral("3"));
    EXPECT_EQ(window.view().panes[0].locator, QPoint(64, 32));

    const QPoint at(150, 20);
    QTest::mouseMove(test::WidgetAt(window, window.controls().TileSet[0], at), at); // through the real event
    EXPECT_EQ(window.view().panes[0].locator, QPoint(128, 0));
    EXPECT_EQ(window.view().panes[0].column, QStringLiteral("4"));
    EXPECT_EQ(window.view().panes[0].row, QStringLiteral("0"));
    EXPECT_TRUE(lines().isEmpty()) << "moving records nothing";
}

TEST_F(Pointer, TheRightButtonRemembersTheColourAndSaysSoInHexadecimal)
{
    const std::pair<QRgb, const char *> cases[] = {
        {qRgb(0, 255, 0), "Dropper: FF00"},
        {qRgb(255, 0, 0), "Dropper: FF"},
        {qRgb(0, 0, 255), "Dropper: FF0000"},
        {qRgb(0, 0, 0), "Dropper: 0"},
        {qRgb(1, 2, 3), "Dropper: 30201"},
    };
    int x = 10;
    for (const auto &[pixel, text] : cases) {
        QImage sheet = workspace.sheet(1);
        sheet.setPixel(x, 20, pixel);
        workspace.setSheet(1, sheet);
        window.TileSet_MouseDown(1, 2, 0, x++, 20);
        EXPECT_EQ(workspace.dropperColour(1), ColourFromQRgb(pixel));
        ASSERT_FALSE(prompt->boxes().isEmpty());
        const test::ScriptedPrompt::Box box = prompt->boxes().last();
        EXPECT_EQ(box.icon, Prompt::Icon::Information);
        EXPECT_EQ(box.title, QStringLiteral("Colour remembered"));
        EXPECT_EQ(box.text, QString::fromLatin1(text));
    }
    EXPECT_EQ(workspace.dropperColour(0), kBlack) << "each pane has its own";
    EXPECT_TRUE(lines().isEmpty());
    EXPECT_FALSE(window.controls().TileSet[1]->dragRequested());

    QImage left = workspace.sheet(0);
    left.setPixel(7, 9, qRgb(0, 255, 0));
    workspace.setSheet(0, left);
    QTest::mousePress(test::WidgetAt(window, window.controls().TileSet[0], QPoint(7, 9)), Qt::RightButton,
                      Qt::ControlModifier, QPoint(7, 9));
    EXPECT_EQ(workspace.dropperColour(0), Colour(0, 255, 0));
    EXPECT_EQ(prompt->texts().last(), QStringLiteral("Dropper: FF00"));
}

TEST_F(Pointer, TheMiddleButtonDoesNothingCtrlAndAltChangeNothingAndShiftSelects)
{
    window.TileSet_MouseDown(0, 4, 0, 40, 10);
    QTest::mousePress(test::WidgetAt(window, window.controls().TileSet[1], QPoint(40, 10)), Qt::MiddleButton,
                      Qt::NoModifier, QPoint(40, 10));
    EXPECT_TRUE(lines().isEmpty());
    EXPECT_TRUE(buffersClear());
    EXPECT_TRUE(prompt->boxes().isEmpty());
    EXPECT_FALSE(window.controls().TileSet[0]->dragRequested());
    EXPECT_EQ(workspace.dropperColour(0), kBlack);

    for (const std::int16_t shift : {2, 4}) {
        window.TileSet_MouseDown(0, 1, shift, 40, 10);
        window.TileSet_DragDrop(1, window.controls().TileSet[0], 200, 70);
    }
    QStringList expected;
    for (int i = 0; i < 2; ++i)
        expected << "Get,0,0,1,0" << "Put,1,0,6,2,-1" << "Cls,0";
    EXPECT_EQ(lines(), expected);

    // With Shift a left drag selects the tiles from the press to the release
    // (any direction, never past the sheet), picking nothing up.
    for (const std::int16_t shift : {1, 7}) {
        window.TileSet_MouseDown(0, 1, shift, 200, 70);
        window.TileSet_MouseMove(0, 1, shift, 40, 10);
        window.TileSet_MouseUp(0, 1, shift, 40, 5000);
        EXPECT_EQ(workspace.selection(), (TileSelection{0, QRect(1, 2, 6, workspace.sheet(0).height() / 32 - 2)}));
    }
    EXPECT_EQ(lines(), expected);
    window.Form_KeyDown(Qt::Key_Escape);
    EXPECT_TRUE(workspace.selection().isEmpty());
}

TEST_F(Pointer, PanesRefuseWhatOtherProgramsDrag)
{
    QMimeData text;
    text.setText(QStringLiteral("Get,0,0,1,0"));
    QDragEnterEvent enter(QPoint(40, 10), Qt::CopyAction, &text, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(test::WidgetAt(window, window.controls().TileSet[1], QPoint(40, 10)), &enter);
    EXPECT_FALSE(enter.isAccepted());
    EXPECT_EQ(window.view().panes[1].locator, QPoint(0, 0));
}

} // namespace
} // namespace vexlo
