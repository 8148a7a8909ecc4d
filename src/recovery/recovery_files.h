#pragma once

#include "recovery/session_snapshot.h"

#include <QString>

#include <optional>

namespace vexlo {

// A recovery is a folder of four files: each pane's sheet as a 24-bit bitmap
// (every colour exact), the macro as a macro file, and last a short text
// naming the other three with their sizes, the key colours and the scroll
// values. All four are written as one, each atomically.

// Writes the snapshot into the folder (made when missing); fails
// (vexlo::Failure) when it cannot.
void WriteRecovery(const QString &folder, const SessionSnapshot &snapshot);

// True when the folder's text is whole and every file has the size it
// names: what is cheap to check before the user is asked.
[[nodiscard]] bool RecoveryLooksWhole(const QString &folder);

// The snapshot in the folder; nothing when any part is missing, cut short
// or damaged.
[[nodiscard]] std::optional<SessionSnapshot> ReadRecovery(const QString &folder);

} // namespace vexlo
