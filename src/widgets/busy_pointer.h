#pragma once

#include <QApplication>
#include <QCursor>

namespace vexlo {

// The busy pointer for as long as it lives: around work that can take
// longer than a moment (reading, writing or changing a whole sheet, a Play).
// Work too short for it to be seen shows nothing; there is no event loop
// running meanwhile to time it, so it is set for the whole of such work.
class BusyPointer {
public:
    BusyPointer() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyPointer() { QApplication::restoreOverrideCursor(); }
    BusyPointer(const BusyPointer &) = delete;
    BusyPointer &operator=(const BusyPointer &) = delete;
};

} // namespace vexlo
