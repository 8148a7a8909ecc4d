// Every row of a tall sheet within reach: a pane's scroll range grows with a
// very tall sheet, arrow and page steps move tile rows and pages on every
// height, and the mouse wheel scrolls through the scroll bar.
#include "app/sheet_surface.h"
#include "support/shown_main_window.h"

#include <QApplication>
#include <QLabel>
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
        QWheelEvent event(QPointF(10, 10), window.TileSet[1]->mapToGlobal(QPointF(10, 10)), QPoint(),
                          QPoint(0, eighthDegrees), Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(window.TileSet[1], &event);
    }
};

TEST_F(PaneScrolling, ArrowStepsMoveATileRowAndPagesTheShownRowsOnEveryHeightToTheLastRow)
{
    const int cases[][2] = {{64, 1000}, {1024, 1024}, {4096, 4096}}; // tiles, scroll maximum
    for (const auto &[tiles, maximum] : cases) {
        SCOPED_TRACE(tiles);
        tallSheet(tiles);
        EXPECT_EQ(bar().maximum(), maximum);
        bar().triggerAction(QAbstractSlider::SliderSingleStepAdd);
        EXPECT_GE(40 - top(), 31);
        EXPECT_LE(40 - top(), 32) << "never more than a tile row, or rows are skipped";
        const int afterStep = top();
        bar().triggerAction(QAbstractSlider::SliderPageStepAdd);
        EXPECT_NEAR(afterStep - top(), 14 * 32, 16) << "the 14 whole rows the window shows";
        EXPECT_EQ(workspace.scrollValue(1), bar().value());
        bar().triggerAction(QAbstractSlider::SliderToMaximum);
        EXPECT_EQ(top() + tiles * 32, 513 - 8) << "the last row in sight";
    }
}

TEST_F(PaneScrolling, TheWheelOverAPaneScrollsThreeRowsANotchAndAPageWithShift)
{
    tallSheet(4096);
    bar().setValue(100);
    const int start = top();
    turnWheel(-120); // towards the user: down the sheet
    EXPECT_EQ(bar().value(), 103);
    EXPECT_NEAR(start - top(), 3 * 32, 2);
    turnWheel(60);
    EXPECT_EQ(bar().value(), 103) << "half a notch moves nothing yet";
    turnWheel(60);
    EXPECT_EQ(bar().value(), 100);
    const int beforePage = top();
    turnWheel(-120, Qt::ShiftModifier);
    EXPECT_EQ(bar().value(), 100 + bar().pageStep());
    EXPECT_EQ(workspace.scrollValue(1), bar().value());
    EXPECT_EQ(window.TileSetScroll[0]->value(), 0) << "the other pane stays";
    // The sheet moved under the pointer: the locator shows the tile now there.
    EXPECT_EQ(window.LblY[1]->text(), QString::number((10 + beforePage - top()) / 32));
}

} // namespace
} // namespace vexlo
