#pragma once

class QScrollBar;
class QWheelEvent;

namespace vexlo {

// Gives a scroll bar that places a sheet the range and steps of that
// sheet's height in a client of that height (see pane_placement.h), quietly:
// a value the new range cannot hold is shown at its end without being
// reported as a change.
void FitScrollBar(QScrollBar &bar, int sheetHeight, int clientHeight);

// The mouse wheel over a sheet, turned into steps of its scroll bar, so
// that the bar's own change places the sheet: three arrow steps a notch, a
// page step a notch with Shift. A fine wheel's parts of a notch add up.
class WheelSteps {
public:
    void turn(QScrollBar &bar, const QWheelEvent &event);

private:
    int eighthDegrees_ = 0; // turned but not yet a whole notch
};

} // namespace vexlo
