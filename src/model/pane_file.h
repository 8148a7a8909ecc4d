#pragma once

#include <QString>

namespace vexlo {

// The file a pane's sheet was loaded from or last saved to, and whether its
// transparency stood for the pane's key colours there, so that saving back
// writes it as it was.
struct PaneFile {
    QString path;
    bool keysAsAlpha = false;

    friend bool operator==(const PaneFile &, const PaneFile &) = default;
};

} // namespace vexlo
