#include "app/frm_main.h"
#include "app/sheet_surface.h"
#include "common/colour.h"
#include "widgets/key_swatch.h"
#include "model/workspace.h"
#include "settings/app_path.h"
#include "support/temp_folder.h"
#include "support/test_colours.h"

#include <QApplication>
#include <QFontMetrics>
#include <QListView>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace vexlo {
namespace {

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.write(QStringLiteral("Vexlo.INI"), "[Opt]\nChkStartWiz=0\n"); // no start-up wizard
        window.Form_Load();
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }

    QSize client() const { return window.clientArea()->size(); }
    void resizeClient(int width, int height)
    {
        window.resize(width, height + window.menuBar()->height());
        QApplication::processEvents();
        ASSERT_EQ(client(), QSize(width, height));
    }

    test::TempFolder folder;
    Workspace workspace;
    FrmMain window{workspace, folder.path()};
};

TEST_F(MainWindow, OpensWithTheDesignCaptionAndClientSize)
{
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Vexlo"));
    EXPECT_EQ(client(), QSize(759, 513));
    EXPECT_EQ(IniPath(), folder.path() + QStringLiteral("/Vexlo.INI"));
}

TEST_F(MainWindow, ToolStripControlsStandWhereTheLayoutPutsThem)
{
    EXPECT_EQ(window.ToolBox->geometry(), QRect(0, 0, 760, 32));
    for (int pane = 0; pane < 2; ++pane) {
        const int x = pane * 312;
        EXPECT_EQ(window.BtnImageOps[pane]->geometry(), QRect(x + 8, 7, 25, 25));
        EXPECT_EQ(window.BtnImageOps[pane]->toolTip(), QStringLiteral("Image operations menu"));
        EXPECT_EQ(window.BtnImageOps[pane]->arrowType(), Qt::DownArrow);
        EXPECT_EQ(window.LblX[pane]->geometry(), QRect(x + 40, 8, 49, 17));
        EXPECT_EQ(window.LblY[pane]->geometry(), QRect(x + 88, 8, 49, 17));
        EXPECT_EQ(window.LblX[pane]->text(), QStringLiteral("0"));
        EXPECT_EQ(window.LblY[pane]->text(), QStringLiteral("0"));
        EXPECT_EQ(window.LblX[pane]->toolTip(), QStringLiteral("X coordinate of selected tile"));
        EXPECT_EQ(window.LblY[pane]->toolTip(), QStringLiteral("Y coordinate of selected tile"));
        EXPECT_TRUE(window.LblX[pane]->font().bold());
        EXPECT_EQ(window.LblX[pane]->font().pointSize(), 12);
        EXPECT_EQ(window.Label1[pane * 2]->text(), QStringLiteral("Transparent:"));
        EXPECT_EQ(window.Label1[pane * 2 + 1]->text(), QStringLiteral("Translucent:"));
        EXPECT_EQ(window.Label1[pane * 2 + 1]->geometry(), QRect(x + 144, 16, 51, 10));
        EXPECT_EQ(window.TransCol[pane]->geometry(), QRect(x + 200, 0, 16, 16));
        EXPECT_EQ(window.TransLCol[pane]->geometry(), QRect(x + 200, 16, 16, 16));
        EXPECT_EQ(window.NoTransp[pane]->geometry(), window.TransCol[pane]->geometry());
        EXPECT_EQ(window.NoTransp[pane + 2]->geometry(), window.TransLCol[pane]->geometry());
        EXPECT_EQ(window.TransCol[pane]->toolTip(), QStringLiteral("Transparent colour"));
        EXPECT_EQ(window.TransLCol[pane]->toolTip(), QStringLiteral("Translucent (shadow) colour"));
        EXPECT_EQ(window.Chip[pane]->geometry(), QRect(x + 232, 0, 32, 32));
        EXPECT_EQ(window.Chip[pane]->toolTip(), QStringLiteral("Tile preview"));
    }
    EXPECT_EQ(window.BtnMacro->geometry(), QRect(584, 8, 81, 17));
    EXPECT_EQ(window.BtnMacro->text(), QStringLiteral("Macro"));
    EXPECT_EQ(window.BtnOpt->geometry(), QRect(672, 8, 81, 17));
    EXPECT_EQ(window.BtnOpt->text(), QStringLiteral("Setup"));
}

TEST_F(MainWindow, TransparentSwatchesShowAndTranslucentOnesUncoverTheirPlaceholders)
{
    const QImage strip = window.ToolBox->grab().toImage();
    for (int pane = 0; pane < 2; ++pane) {
        EXPECT_TRUE(window.TransCol[pane]->isVisible());
        EXPECT_FALSE(window.TransLCol[pane]->isVisible());
        const int x = pane * 312 + 208;
        EXPECT_EQ(strip.pixel(x, 8), qRgb(255, 255, 255)) << "white swatch";
        EXPECT_EQ(strip.pixel(x, 24), kWorkspaceGrey) << "placeholder";
    }
}

TEST_F(MainWindow, SwatchesFollowTheReplacementSwitchesAndTheKeyColours)
{
    workspace.options().setState(OptSwitch::ChkRepTransL, 1);
    workspace.options().setState(OptSwitch::ChkRepTrans, 0);
    for (int pane = 0; pane < 2; ++pane) {
        EXPECT_FALSE(window.TransCol[pane]->isVisible());
        EXPECT_TRUE(window.TransLCol[pane]->isVisible());
    }
    workspace.setKeyColours(1, Colour(255, 0, 255), Colour(64, 64, 64));
    EXPECT_EQ(window.TransCol[1]->colour(), Colour(255, 0, 255));
    EXPECT_EQ(window.TransLCol[1]->colour(), Colour(64, 64, 64));
    EXPECT_EQ(window.TransCol[0]->colour(), kWhite);
}

TEST_F(MainWindow, PanesAreBlackSheetsWithLocatorsAndGreyTilePreviews)
{
    EXPECT_EQ(window.TileSet[0]->geometry(), QRect(8, 40, 256, 32));
    EXPECT_EQ(window.TileSet[1]->geometry(), QRect(320, 40, 256, 32));
    EXPECT_EQ(window.TileSetScroll[0]->geometry(), QRect(272, 40, 17, 81));
    EXPECT_EQ(window.TileSetScroll[1]->geometry(), QRect(296, 40, 17, 81));
    for (int pane = 0; pane < 2; ++pane) {
        EXPECT_EQ(window.TileSetScroll[pane]->minimum(), 0);
        EXPECT_EQ(window.TileSetScroll[pane]->maximum(), 1000);
        EXPECT_EQ(window.Locator[pane]->geometry(), QRect(0, 0, 32, 32));
        const QImage shown = window.TileSet[pane]->grab().toImage();
        EXPECT_EQ(shown.pixel(16, 16), qRgb(0, 0, 0));
        EXPECT_EQ(shown.pixel(0, 0), qRgb(0, 0, 255)) << "locator outline";
        EXPECT_EQ(shown.pixel(200, 0), qRgb(0, 0, 0));
        EXPECT_EQ(window.Chip[pane]->grab().toImage().pixel(5, 5), qRgb(192, 192, 192));
    }
    EXPECT_EQ(window.OpsPane, 0);
}

TEST_F(MainWindow, MacroListIsHiddenAndUsesAFixedPitchFont)
{
    EXPECT_FALSE(window.List1->isVisible());
    EXPECT_EQ(window.List1->geometry(), QRect(584, 40, 169, 513 - 48));
    const QFontMetrics metrics(window.List1->font());
    EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("iiii")),
              metrics.horizontalAdvance(QStringLiteral("WWWW"))) << "fixed pitch";
    EXPECT_DOUBLE_EQ(window.List1->font().pointSizeF(), 8.25);
}

TEST_F(MainWindow, MenuBarShowsMacroAndViewAndTheImageMenuIsAPopup)
{
    QStringList shown;
    for (QAction *action : window.menuBar()->actions())
        if (action->isVisible())
            shown << action->text();
    EXPECT_EQ(shown, (QStringList{QStringLiteral("&Macro"), QStringLiteral("&Edit"), QStringLiteral("&View")}));

    auto captions = [](QMenu *menu) {
        QStringList texts;
        for (QAction *action : menu->actions())
            texts << action->text();
        return texts;
    };
    EXPECT_EQ(window.mimageops->title(), QStringLiteral("&Image"));
    EXPECT_EQ(captions(window.mimageops),
              (QStringList{"&Clear", "&Load", "&Save", "&Replace colour", "&Resize"}));
    EXPECT_EQ(captions(window.mmacro),
              (QStringList{"&Record", "&Play", "&Clear", "&Save / load", "&Hide macro"}));
    EXPECT_EQ(captions(window.mview), (QStringList{"&Options", "&About"}));
    EXPECT_EQ(window.mrecord->shortcut(), QKeySequence(Qt::Key_F4));
    EXPECT_EQ(window.mplay->shortcut(), QKeySequence(Qt::Key_F5));
    EXPECT_TRUE(window.mrecord->isCheckable());
    EXPECT_FALSE(window.mrecord->isChecked());
}

TEST_F(MainWindow, ArrowButtonsChooseThePaneAndOpenTheImageMenuUnderThemselves)
{
    window.BtnImageOps[1]->click();
    EXPECT_EQ(window.OpsPane, 1);
    EXPECT_EQ(window.ImageOpsT(), QStringLiteral("Right"));
    ASSERT_TRUE(window.mimageops->isVisible());
    EXPECT_EQ(window.mimageops->pos(), window.ToolBox->mapToGlobal(QPoint(320, 32)));
    window.mimageops->hide();

    window.BtnImageOps_Click(0);
    EXPECT_EQ(window.OpsPane, 0);
    EXPECT_EQ(window.ImageOpsT(), QStringLiteral("Left"));
    EXPECT_EQ(window.mimageops->pos(), window.ToolBox->mapToGlobal(QPoint(8, 32)));
    window.mimageops->hide();

    window.OpsPane = 7;
    EXPECT_EQ(window.ImageOpsT(), QStringLiteral("Right"));
}

TEST_F(MainWindow, MacroButtonOpensTheMacroMenuUnderItself)
{
    window.BtnMacro->click();
    ASSERT_TRUE(window.mmacro->isVisible());
    EXPECT_EQ(window.mmacro->pos(), window.ToolBox->mapToGlobal(QPoint(584, 25)));
    window.mmacro->hide();
}

TEST_F(MainWindow, ScrollingPlacesATallSheetByTheFormula)
{
    workspace.setSheet(1, Workspace::blankSheet(1024));
    window.TileSetScroll[1]->setValue(500);
    EXPECT_NEAR(window.TileSet[1]->y(), -239.5, 0.5);
    window.TileSetScroll[1]->setValue(1000);
    EXPECT_EQ(window.TileSet[1]->y(), 513 - 8 - 1024);
    EXPECT_EQ(window.TileSet[1]->x(), 320);
    EXPECT_EQ(window.TileSet[0]->y(), 40) << "the other pane stays";
    window.TileSetScroll[1]->setValue(0);
    EXPECT_EQ(window.TileSet[1]->y(), 40);
}

TEST_F(MainWindow, ASheetScrolledUpUnderTheToolStripStaysHiddenBehindIt)
{
    QImage white = Workspace::blankSheet(1024);
    white.fill(Qt::white);
    workspace.setSheet(1, white);
    window.TileSetScroll[1]->setValue(1000);
    ASSERT_LT(window.TileSet[1]->y(), 0);
    // Between the row label and the key captions: nothing but the strip itself.
    const QImage shown = window.clientArea()->grab().toImage();
    const QRgb strip = window.ToolBox->palette().color(QPalette::Window).rgb();
    EXPECT_NE(strip, qRgb(255, 255, 255));
    EXPECT_EQ(shown.pixel(312 + 140, 20), strip);
    EXPECT_EQ(shown.pixel(312 + 140, 36), qRgb(255, 255, 255)) << "the sheet shows below the strip";
}

TEST_F(MainWindow, ASheetOfClientHeightMinusFortyStillScrollsEightPixels)
{
    workspace.setSheet(0, Workspace::blankSheet(473));
    window.TileSetScroll[0]->setValue(1000);
    EXPECT_EQ(window.TileSet[0]->y(), 32);
    workspace.setSheet(0, Workspace::blankSheet(448));
    window.TileSetScroll[0]->setValue(999);
    EXPECT_EQ(window.TileSet[0]->y(), 40);
}

TEST_F(MainWindow, ResizingSetsTheListHeightAndPlacesThePanesForTheNewHeight)
{
    workspace.setSheet(0, Workspace::blankSheet(1024));
    window.TileSetScroll[0]->setValue(1000);
    resizeClient(759, 300);
    EXPECT_EQ(window.List1->height(), 300 - 48);
    EXPECT_EQ(window.TileSet[0]->y() + 1024, 300 - 8) << "the last row still in sight at the bar's end";
    resizeClient(759, 30);
    EXPECT_EQ(window.List1->height(), 300 - 48) << "a negative height is ignored";
}

TEST_F(MainWindow, TheStripRightOfTheToolStripIsPaintedOnlyWhenTheClientIsWider)
{
    resizeClient(760, 513);
    QImage shown = window.clientArea()->grab().toImage();
    EXPECT_NE(shown.pixel(759, 300), kWorkspaceGrey);
    resizeClient(761, 513);
    shown = window.clientArea()->grab().toImage();
    EXPECT_EQ(shown.pixel(760, 300), kWorkspaceGrey);
    EXPECT_EQ(shown.pixel(760, 0), kWorkspaceGrey);
    EXPECT_NE(shown.pixel(759, 300), kWorkspaceGrey);
}

} // namespace
} // namespace vexlo
