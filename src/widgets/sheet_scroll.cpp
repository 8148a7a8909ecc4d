#include "widgets/sheet_scroll.h"

#include "common/pane_placement.h"

#include <QScrollBar>
#include <QSignalBlocker>
#include <QWheelEvent>

namespace vexlo {
namespace {

constexpr int kNotch = 120; // eighths of a degree
constexpr int kRowsPerNotch = 3;

} // namespace

void FitScrollBar(QScrollBar &bar, int sheetHeight, int clientHeight)
{
    const ScrollSteps steps = ScrollStepsFor(sheetHeight, clientHeight);
    const QSignalBlocker quiet(&bar);
    bar.setRange(0, ScrollMaximum(sheetHeight, clientHeight));
    bar.setSingleStep(steps.single);
    bar.setPageStep(steps.page);
}

void WheelSteps::turn(QScrollBar &bar, const QWheelEvent &event)
{
    const QPoint angle = event.angleDelta();
    // Some systems turn a wheel held with Shift into a sideways one.
    eighthDegrees_ += angle.y() != 0 ? angle.y() : angle.x();
    const int notches = eighthDegrees_ / kNotch;
    eighthDegrees_ -= notches * kNotch;
    if (notches == 0)
        return;
    const bool page = event.modifiers() & Qt::ShiftModifier;
    const int step = page ? bar.pageStep() : kRowsPerNotch * bar.singleStep();
    bar.setValue(bar.value() - notches * step); // turning away from the user scrolls up
}

} // namespace vexlo
