#pragma once

#include "common/colour.h"

#include <QImage>
#include <QStringList>

#include <array>

namespace vexlo {

class Workspace;

// The work a session would lose on closing: both sheets with their key
// colours and scroll values, and the macro.
struct SessionSnapshot {
    std::array<QImage, 2> sheets;
    std::array<Colour, 2> transparent{};
    std::array<Colour, 2> translucent{};
    std::array<int, 2> scroll{};
    QStringList macro;
};

SessionSnapshot TakeSnapshot(const Workspace &workspace);

// Puts a snapshot into the workspace as unsaved work; no undo step.
void RestoreSnapshot(Workspace &workspace, const SessionSnapshot &snapshot);

} // namespace vexlo
