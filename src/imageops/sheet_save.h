#pragma once

#include "common/pane_index.h"
#include "model/pane_file.h"

#include <QString>

namespace vexlo {

class Workspace;

// Writes a pane's whole sheet to the file (see WriteSheetFile; its key colours
// as transparency when the file says so), which the pane then names as its
// file, saved. A sheet that is not whole tiles high is written only once the
// user says so: false when not. A failed write fails (vexlo::Failure) and
// changes nothing.
bool SaveSheet(Workspace &workspace, PaneIndex pane, const PaneFile &file);

// Whether the pane's sheet can be written back to its file in that file's
// own format: it has one, and it is a PNG or a bitmap (Vexlo writes no JPEG,
// GIF or icon).
bool CanSaveBack(const Workspace &workspace, PaneIndex pane);

} // namespace vexlo
