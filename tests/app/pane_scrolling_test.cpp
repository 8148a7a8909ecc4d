// Every row of a tall sheet within reach: a pane's scroll range grows with a
// very tall sheet, arrow and page steps move tile rows and pages on every
// height, and the mouse wheel scrolls through the scroll bar.
#include "app/sheet_surface.h"
#include "support/form_input.h"
#include "support/shown_main_window.h"

#include <QApplication>
#include <QLabel>
#include <QScrollBar>
#include <QWheelEvent>

namespace vexlo {
namespace {

class PaneScrolling : public test::ShownMainWindow {
protected:
    static constexpr QPoint kPointer{330, 300};

    const QScrollBar &bar() const { return *window.controls().TileSetScroll[1]; }
    int top() const { return window.view().panes[1].sheet.y(); }
    void tallSheet(int tiles)
    {
        workspace.setSheet(1, Workspace::blankSheet(tiles * 32));
        workspace.setScrollValue(1, 0);
    }
    // A key pressed on the scroll bar: the arrow, page and end keys move it
    // as its arrows, its groove and its thumb dragged to the end do.
    void pressOnBar(Qt::Key key) { QTest::keyClick(test::WidgetAt(window, &bar()), key); }
    // The wheel turned with the pointer over the right pane, at kPointer in the client area.
    void turnWheel(int eighthDegrees, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        const SheetSurface *sheet = window.controls().TileSet[1];
        const QPoint at = sheet->mapFrom(window.clientArea(), kPointer);
        QWidget *pane = test::WidgetAt(window, sheet, at);
        QWheelEvent event(at, pane->mapToGlobal(QPointF(at)), QPoint(), QPoint(0, eighthDegrees), Qt::NoButton,
                          modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(pane, &event);
    }
};

TEST_F(PaneScrolling, ArrowStepsMoveATileRowAndPagesTheShownRowsOnEveryHeightToTheLastRow)
{
    const int cases[][2] = {{64, 1000}, {1024, 1024}, {4096, 4096}}; // tiles, scroll maximum
    for (const auto &[tiles, maximum] : cases) {
        SCOPED_TRACE(tiles);
        tallSheet(tiles);
        EXPECT_EQ(bar().maximum(), maximum);
        pressOnBar(Qt::Key_Down);
        EXPECT_GE(40 - top(), 31);
        EXPECT_LE(40 - top(), 32) << "never more than a tile row, or rows are skipped";
        const int afterStep = top();
        pressOnBar(Qt::Key_PageDown);
        EXPECT_NEAR(afterStep - top(), 14 * 32, 16) << "the 14 whole rows the window shows";
        EXPECT_EQ(workspace.scrollValue(1), bar().value());
        pressOnBar(Qt::Key_End);
        EXPECT_EQ(top() + tiles * 32, 513 - 8) << "the last row in sight";
    }
}

TEST_F(PaneScrolling, TheWheelOverAPaneScrollsThreeRowsANotchAndAPageWithShift)
{
    tallSheet(4096);
    workspace.setScrollValue(1, 100);
    const int start = top();
    turnWheel(-120); // towards the user: down the sheet
    EXPECT_EQ(bar().value(), 103);
    EXPECT_NEAR(start - top(), 3 * 32, 2);
    turnWheel(60);
    EXPECT_EQ(bar().value(), 103) << "half a notch moves nothing yet";
    turnWheel(60);
    EXPECT_EQ(bar().value(), 100);
    turnWheel(-120, Qt::ShiftModifier);
    EXPECT_EQ(bar().value(), 100 + bar().pageStep());
    EXPECT_EQ(workspace.scrollValue(1), bar().value());
    EXPECT_EQ(window.view().panes[0].scrollValue, 0) << "the other pane stays";
    // The sheet moved under the pointer: the locator shows the tile now there.
    EXPECT_EQ(window.view().panes[1].row, QString::number((kPointer.y() - top()) / 32));
}

} // namespace
} // namespace vexlo
