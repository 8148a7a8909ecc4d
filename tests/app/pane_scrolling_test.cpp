// Every row of a tall sheet within reach: the scroll range of a pane grows
// with a very tall sheet, arrow and page steps move tile rows and pages on
// every height, the mouse wheel scrolls through the scroll bar, and a sheet
// loaded into a scrolled pane is shown from its top, undo putting the tall
// sheet's place back.
#include "app/sheet_surface.h"
#include "common/file_list.h"
#include "common/pane_placement.h"
#include "common/folder_list.h"
#include "imageops/sheet_writer.h"
#include "load/frm_load_image.h"
#include "support/modal.h"
#include "support/shown_main_window.h"

#include <QAction>
#include <QApplication>
#include <QListWidget>
#include <QScrollBar>
#include <QWheelEvent>

namespace vexlo {
namespace {

class PaneScrolling : public test::ShownMainWindow {
protected:
    QScrollBar &bar() { return *window.TileSetScroll[1]; }
    int top() const { return window.TileSet[1]->y(); }
    void tallSheet(int tiles)
    {
        workspace.setSheet(1, Workspace::blankSheet(tiles * 32));
        bar().setValue(0);
    }
    void turnWheel(int eighthDegrees, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        const QPointF at(10, 10);
        QWheelEvent event(at, window.TileSet[1]->mapToGlobal(at), QPoint(), QPoint(0, eighthDegrees), Qt::NoButton,
                          modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(window.TileSet[1], &event);
    }
};

TEST_F(PaneScrolling, ArrowStepsMoveATileRowAndPagesTheShownRowsOnEveryHeightToTheLastRow)
{
    const struct {
        int tiles;
        int maximum;
    } cases[] = {{64, 1000}, {1024, 1024}, {4096, 4096}};
    for (const auto &c : cases) {
        SCOPED_TRACE(c.tiles);
        tallSheet(c.tiles);
        EXPECT_EQ(bar().maximum(), c.maximum);
        ASSERT_EQ(top(), 40);
        bar().triggerAction(QAbstractSlider::SliderSingleStepAdd);
        EXPECT_GE(40 - top(), 31);
        EXPECT_LE(40 - top(), 32) << "never more than a tile row, or rows are skipped";
        const int afterStep = top();
        bar().triggerAction(QAbstractSlider::SliderPageStepAdd);
        EXPECT_NEAR(afterStep - top(), 14 * 32, 16) << "the 14 whole rows the window shows";
        EXPECT_EQ(workspace.scrollValue(1), bar().value());

        bar().triggerAction(QAbstractSlider::SliderToMaximum);
        EXPECT_EQ(top() + c.tiles * 32, 513 - 8) << "the last row in sight";
        bar().triggerAction(QAbstractSlider::SliderSingleStepSub);
        EXPECT_LE(top() + c.tiles * 32 - (513 - 8), 32);
    }
    // A sheet whose travel is just 32,000 pixels keeps the old range.
    tallSheet(32000 / 32 + 14);
    EXPECT_EQ(ScrollTravel(window.TileSet[1]->height(), 513), 32000 - 17);
    EXPECT_EQ(bar().maximum(), 1000);
}

TEST_F(PaneScrolling, TheWheelOverAPaneScrollsThreeRowsANotchAndAPageWithShift)
{
    tallSheet(4096);
    bar().setValue(100);
    const int start = top();
    turnWheel(-120); // towards the user: down the sheet
    EXPECT_EQ(bar().value(), 103);
    EXPECT_NEAR(start - top(), 3 * 32, 2);
    turnWheel(120);
    EXPECT_EQ(bar().value(), 100);
    turnWheel(-60);
    EXPECT_EQ(bar().value(), 100) << "half a notch moves nothing yet";
    turnWheel(-60);
    EXPECT_EQ(bar().value(), 103);
    turnWheel(-120, Qt::ShiftModifier);
    EXPECT_EQ(bar().value(), 103 + bar().pageStep());
    EXPECT_EQ(workspace.scrollValue(1), bar().value());
    EXPECT_EQ(window.TileSetScroll[0]->value(), 0) << "the other pane stays";

    tallSheet(64); // the old range of 1000: three rows are 60 values
    turnWheel(-240);
    EXPECT_EQ(bar().value(), 120);
    EXPECT_NEAR(40 - top(), 6 * 32, 4);
}

TEST_F(PaneScrolling, ALoadedSheetIsShownFromTheTopAndUndoPutsTheTallSheetsPlaceBack)
{
    tallSheet(4096);
    bar().setValue(3000);
    const int tallTop = top();
    WriteSheetFile(test::PatternSheet(5, 64), folder.file(QStringLiteral("short.png")));
    FrmLoadImage &loader = window.frmLoadImage();
    loader.Dir1->setPath(folder.path());
    window.OpsPane = 1;
    test::WhileModal([&] {
        loader.File1->setCurrentItem(loader.File1->findItems(QStringLiteral("short.png"), Qt::MatchExactly).value(0));
        loader.BtnDefTrans_Click(0);
        loader.BtnDefTrans_Click(1);
        loader.BtnLoad_Click();
    });
    window.mload->trigger();
    ASSERT_EQ(workspace.sheet(1).height(), 64);
    EXPECT_EQ(bar().value(), 0);
    EXPECT_EQ(bar().maximum(), 1000);
    EXPECT_EQ(top(), 40);

    window.mundo->trigger();
    EXPECT_EQ(workspace.sheet(1).height(), 4096 * 32);
    EXPECT_EQ(workspace.scrollValue(1), 3000) << "kept, though the short sheet's range ends at 1000";
    EXPECT_EQ(bar().maximum(), 4096);
    EXPECT_EQ(bar().value(), 3000);
    EXPECT_EQ(top(), tallTop);
    window.mredo->trigger();
    EXPECT_EQ(bar().value(), 0);
    EXPECT_EQ(top(), 40);
}

} // namespace
} // namespace vexlo
