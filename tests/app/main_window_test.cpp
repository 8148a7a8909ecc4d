#include "app/frm_main.h"
#include "app/sheet_surface.h"
#include "common/colour.h"
#include "widgets/key_swatch.h"
#include "model/workspace.h"
#include "settings/app_path.h"
#include "support/form_input.h"
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
    const FrmMain::Controls controls = window.controls();
    EXPECT_EQ(controls.ToolBox->geometry(), QRect(0, 0, 760, 32));
    for (int pane = 0; pane < 2; ++pane) {
        const int x = pane * 312;
        EXPECT_EQ(controls.BtnImageOps[pane]->geometry(), QRect(x + 8, 7, 25, 25));
        EXPECT_EQ(controls.BtnImageOps[pane]->toolTip(), QStringLiteral("Image operations menu"));
        EXPECT_EQ(controls.BtnImageOps[pane]->arrowType(), Qt::DownArrow);
        EXPECT_EQ(controls.LblX[pane]->geometry(), QRect(x + 40, 8, 49, 17));
        EXPECT_EQ(controls.LblY[pane]->geometry(), QRect(x + 88, 8, 49, 17));
        EXPECT_EQ(controls.LblX[pane]->text(), QStringLiteral("0"));
        EXPECT_EQ(controls.LblY[pane]->text(), QStringLiteral("0"));
        EXPECT_EQ(controls.LblX[pane]->toolTip(), QStringLiteral("X coordinate of selected tile"));
        EXPECT_EQ(controls.LblY[pane]->toolTip(), QStringLiteral("Y coordinate of selected tile"));
        EXPECT_TRUE(controls.LblX[pane]->font().bold());
        EXPECT_EQ(controls.LblX[pane]->font().pointSize(), 12);
        EXPECT_EQ(controls.Label1[pane * 2]->text(), QStringLiteral("Transparent:"));
        EXPECT_EQ(controls.Label1[pane * 2 + 1]->text(), QStringLiteral("Translucent:"));
        EXPECT_EQ(controls.Label1[pane * 2 + 1]->geometry(), QRect(x + 144, 16, 51, 10));
        EXPECT_EQ(controls.TransCol[pane]->geometry(), QRect(x + 200, 0, 16, 16));
        EXPECT_EQ(controls.TransLCol[pane]->geometry(), QRect(x + 200, 16, 16, 16));
        EXPECT_EQ(controls.NoTransp[pane]->geometry(), controls.TransCol[pane]->geometry());
        EXPECT_EQ(controls.NoTransp[pane + 2]->geometry(), controls.TransLCol[pane]->geometry());
        EXPECT_EQ(controls.TransCol[pane]->toolTip(), QStringLiteral("Transparent colour #FFFFFF"));
        EXPECT_EQ(controls.TransLCol[pane]->toolTip(), QStringLiteral("Translucent (shadow) colour #FFFFFF"));
        EXPECT_EQ(controls.Chip[pane]->geometry(), QRect(x + 232, 0, 32, 32));
        EXPECT_EQ(controls.Chip[pane]->toolTip(), QStringLiteral("Tile preview"));
    }
    EXPECT_EQ(controls.BtnMacro->geometry(), QRect(584, 8, 81, 17));
    EXPECT_EQ(controls.BtnMacro->text(), QStringLiteral("Macro"));
    EXPECT_EQ(controls.BtnOpt->geometry(), QRect(672, 8, 81, 17));
    EXPECT_EQ(controls.BtnOpt->text(), QStringLiteral("Setup"));
}

TEST_F(MainWindow, TransparentSwatchesShowAndTranslucentOnesUncoverTheirPlaceholders)
{
    const QImage strip = test::Shown(window, window.controls().ToolBox);
    for (int pane = 0; pane < 2; ++pane) {
        EXPECT_TRUE(window.view().panes[pane].transparentShown);
        EXPECT_FALSE(window.view().panes[pane].translucentShown);
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
        EXPECT_FALSE(window.view().panes[pane].transparentShown);
        EXPECT_TRUE(window.view().panes[pane].translucentShown);
    }
    workspace.setKeyColours(1, Colour(255, 0, 255), Colour(64, 64, 64));
    const FrmMain::View shown = window.view();
    EXPECT_EQ(shown.panes[1].transparent, Colour(255, 0, 255));
    EXPECT_EQ(shown.panes[1].translucent, Colour(64, 64, 64));
    EXPECT_EQ(shown.panes[0].transparent, kWhite);
}

TEST_F(MainWindow, PanesAreBlackSheetsWithLocatorsAndGreyTilePreviews)
{
    const FrmMain::Controls controls = window.controls();
    EXPECT_EQ(window.view().panes[0].sheet, QRect(8, 40, 256, 32));
    EXPECT_EQ(window.view().panes[1].sheet, QRect(320, 40, 256, 32));
    EXPECT_EQ(controls.TileSetScroll[0]->geometry(), QRect(272, 40, 17, 81));
    EXPECT_EQ(controls.TileSetScroll[1]->geometry(), QRect(296, 40, 17, 81));
    for (int pane = 0; pane < 2; ++pane) {
        EXPECT_EQ(controls.TileSetScroll[pane]->minimum(), 0);
        EXPECT_EQ(controls.TileSetScroll[pane]->maximum(), 1000);
        EXPECT_EQ(controls.Locator[pane]->geometry(), QRect(0, 0, 32, 32));
        const QImage shown = test::Shown(window, controls.TileSet[pane]);
        EXPECT_EQ(shown.pixel(16, 16), qRgb(0, 0, 0));
        EXPECT_EQ(shown.pixel(0, 0), qRgb(0, 0, 255)) << "locator outline";
        EXPECT_EQ(shown.pixel(200, 0), qRgb(0, 0, 0));
        EXPECT_EQ(test::Shown(window, controls.Chip[pane]).pixel(5, 5), qRgb(192, 192, 192));
    }
    EXPECT_EQ(window.opsPane(), 0);
}

TEST_F(MainWindow, MacroListIsHiddenAndUsesAFixedPitchFont)
{
    const QListView *list = window.controls().List1;
    EXPECT_FALSE(window.view().macroShown);
    EXPECT_EQ(list->geometry(), QRect(584, 40, 169, 513 - 48));
    const QFontMetrics metrics(list->font());
    EXPECT_EQ(metrics.horizontalAdvance(QStringLiteral("iiii")),
              metrics.horizontalAdvance(QStringLiteral("WWWW"))) << "fixed pitch";
    EXPECT_DOUBLE_EQ(list->font().pointSizeF(), 8.25);
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
    QMenu *image = test::MenuOf(window, QStringLiteral("&Image"));
    ASSERT_NE(image, nullptr);
    EXPECT_EQ(image->title(), QStringLiteral("&Image"));
    EXPECT_EQ(captions(image), (QStringList{"&Clear", "&Load", "&Save", "Save &back", "&Replace colour", "&Resize",
                                            "Check &key colours"}));
    EXPECT_EQ(captions(test::MenuOf(window, QStringLiteral("&Macro"))),
              (QStringList{"&Record", "&Play", "&Clear", "&Save / load", "&Hide macro"}));
    EXPECT_EQ(captions(test::MenuOf(window, QStringLiteral("&View"))), (QStringList{"&Options", "&About"}));
    const QAction *record = test::MenuCommand(window, QStringLiteral("&Macro"), QStringLiteral("&Record"));
    EXPECT_EQ(record->shortcut(), QKeySequence(Qt::Key_F4));
    EXPECT_EQ(test::MenuCommand(window, QStringLiteral("&Macro"), QStringLiteral("&Play"))->shortcut(),
              QKeySequence(Qt::Key_F5));
    EXPECT_TRUE(record->isCheckable());
    EXPECT_FALSE(record->isChecked());
}

TEST_F(MainWindow, ArrowButtonsChooseThePaneAndOpenTheImageMenuUnderThemselves)
{
    const QMenu *image = test::MenuOf(window, QStringLiteral("&Image"));
    const QWidget *toolBox = window.controls().ToolBox;
    test::Click(window, window.controls().BtnImageOps[1]);
    EXPECT_EQ(window.opsPane(), 1);
    EXPECT_EQ(window.ImageOpsT(), QStringLiteral("Right"));
    ASSERT_TRUE(image->isVisible());
    EXPECT_EQ(image->pos(), toolBox->mapToGlobal(QPoint(320, 32)));
    test::ClosePopup();

    window.BtnImageOps_Click(0);
    EXPECT_EQ(window.opsPane(), 0);
    EXPECT_EQ(window.ImageOpsT(), QStringLiteral("Left"));
    EXPECT_EQ(image->pos(), toolBox->mapToGlobal(QPoint(8, 32)));
    test::ClosePopup();
}

TEST_F(MainWindow, MacroButtonOpensTheMacroMenuUnderItself)
{
    const QMenu *macro = test::MenuOf(window, QStringLiteral("&Macro"));
    test::Click(window, window.controls().BtnMacro);
    ASSERT_TRUE(macro->isVisible());
    EXPECT_EQ(macro->pos(), window.controls().ToolBox->mapToGlobal(QPoint(584, 25)));
    test::ClosePopup();
}

TEST_F(MainWindow, ScrollingPlacesATallSheetByTheFormula)
{
    workspace.setSheet(1, Workspace::blankSheet(1024));
    workspace.setScrollValue(1, 500);
    EXPECT_NEAR(window.view().panes[1].sheet.y(), -239.5, 0.5);
    workspace.setScrollValue(1, 1000);
    EXPECT_EQ(window.view().panes[1].sheet.y(), 513 - 8 - 1024);
    EXPECT_EQ(window.view().panes[1].sheet.x(), 320);
    EXPECT_EQ(window.view().panes[0].sheet.y(), 40) << "the other pane stays";
    workspace.setScrollValue(1, 0);
    EXPECT_EQ(window.view().panes[1].sheet.y(), 40);
}

TEST_F(MainWindow, ASheetScrolledUpUnderTheToolStripStaysHiddenBehindIt)
{
    QImage white = Workspace::blankSheet(1024);
    white.fill(Qt::white);
    workspace.setSheet(1, white);
    workspace.setScrollValue(1, 1000);
    ASSERT_LT(window.view().panes[1].sheet.y(), 0);
    // Between the row label and the key captions: nothing but the strip itself.
    const QImage shown = window.clientArea()->grab().toImage();
    const QRgb strip = window.controls().ToolBox->palette().color(QPalette::Window).rgb();
    EXPECT_NE(strip, qRgb(255, 255, 255));
    EXPECT_EQ(shown.pixel(312 + 140, 20), strip);
    EXPECT_EQ(shown.pixel(312 + 140, 36), qRgb(255, 255, 255)) << "the sheet shows below the strip";
}

TEST_F(MainWindow, ASheetOfClientHeightMinusFortyStillScrollsEightPixels)
{
    workspace.setSheet(0, Workspace::blankSheet(473));
    workspace.setScrollValue(0, 1000);
    EXPECT_EQ(window.view().panes[0].sheet.y(), 32);
    workspace.setSheet(0, Workspace::blankSheet(448));
    workspace.setScrollValue(0, 999);
    EXPECT_EQ(window.view().panes[0].sheet.y(), 40);
}

TEST_F(MainWindow, ResizingSetsTheListHeightAndPlacesThePanesForTheNewHeight)
{
    workspace.setSheet(0, Workspace::blankSheet(1024));
    workspace.setScrollValue(0, 1000);
    resizeClient(759, 300);
    EXPECT_EQ(window.controls().List1->height(), 300 - 48);
    EXPECT_EQ(window.view().panes[0].sheet.y() + 1024, 300 - 8) << "the last row still in sight at the bar's end";
    resizeClient(759, 30);
    EXPECT_EQ(window.controls().List1->height(), 300 - 48) << "a negative height is ignored";
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
