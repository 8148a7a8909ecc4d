#pragma once

class QWidget;

namespace vexlo {

// A logout, a shutdown or a Ctrl+C in the terminal (SIGTERM, SIGHUP, SIGINT)
// closes the window as its close box does, so the settings are written and
// unsaved work is kept, instead of ending the program on the spot.
// CatchClosingSignals, first thing in main, holds such a signal from then on;
// CloseOnSignals, once, with the window that lives as long as the program,
// closes it for every signal held or still to come.
void CatchClosingSignals();
void CloseOnSignals(QWidget &window);

} // namespace vexlo
