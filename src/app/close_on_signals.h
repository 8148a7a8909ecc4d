#pragma once

class QWidget;

namespace vexlo {

// A logout, a shutdown or a Ctrl+C in the terminal (SIGTERM, SIGHUP, SIGINT)
// closes the window as its close box does, so the settings are written and
// unsaved work is kept, instead of ending the program on the spot. Call once,
// with the window that lives as long as the program.
void CloseOnSignals(QWidget &window);

} // namespace vexlo
