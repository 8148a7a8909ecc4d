#pragma once

#include <QString>

#include <array>

namespace vexlo {

// What the title says of one pane: its file (empty for none) and whether it
// holds changes not in that file.
struct PaneTitle {
    QString file;
    bool unsaved = false;
};

// The main window's title, naming the left and the right pane's files by
// their names, an unsaved pane's marked with a leading "*":
// "*walls.png | floors.bmp - Vexlo". Just "Vexlo" while neither pane has a
// file or anything unsaved.
QString WindowTitle(const std::array<PaneTitle, 2> &panes);

} // namespace vexlo
