#pragma once

#include "common/pane_index.h"
#include "common/colour.h"
#include "model/pane_file.h"
#include "tiles/key_check.h"

#include <QImage>

#include <functional>

namespace vexlo {

class Workspace;

// The image commands on a pane, each one undo step, kept only when it
// completes (a failure puts back all it did). The windows ask the user
// first and show the result.

// "Load image": the sheet with its keys, shown from the top, as in its file
// (`file`, which the pane then names; empty for none).
void LoadSheet(Workspace &workspace, PaneIndex pane, const QImage &sheet, Colour transparent, Colour translucent,
               const PaneFile &file = {});

// "Clear image": the sheet blacked out at its height; `offerResize` (the
// resize question) runs in the same step, so a ResizeSheet it makes joins it.
void ClearSheet(Workspace &workspace, PaneIndex pane, const std::function<void()> &offerResize);

// "Resize image": the sheet `pixels` high (see SheetWithHeight), shown from
// the top.
void ResizeSheet(Workspace &workspace, PaneIndex pane, int pixels);

// "Replace colour": every pixel of exactly `find` becomes `replace`.
void ReplaceSheetColour(Workspace &workspace, PaneIndex pane, Colour find, Colour replace);

// "Check key colours": the pixels within `distance` of the pane's key
// colours; their tiles are marked on the pane until its next change. No
// undo step: the work does not change.
KeyCheck CheckSheetKeys(Workspace &workspace, PaneIndex pane, int distance);

// "Snap to keys": those pixels set to their keys, one undo step (none when
// there are none); the numbers snapped, by KeyRole.
std::array<std::int64_t, 2> SnapSheetToKeys(Workspace &workspace, PaneIndex pane, int distance);

} // namespace vexlo
