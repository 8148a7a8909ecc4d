#pragma once

#include <QString>

#include <array>

namespace vexlo {

class TileOrigins;
class Workspace;

// How a playback ended; showing it is the caller's business.
struct [[nodiscard]] PlayResult {
    enum class Outcome { Played, RecordingOn, EmptyMacro, Halted };

    Outcome outcome = Outcome::Played;
    // Why it did not play (refused) or where it stopped (the failure that
    // halted it); empty when it played.
    QString description;
    qsizetype line = -1; // index of the line that failed
    // Lines played whose tile lies partly or wholly outside the left and the
    // right sheet (a macro recorded on a taller sheet, say).
    std::array<qsizetype, 2> beyondSheet{};
};

// Replays the macro from its first line to its last on the sheets, key
// colours and options in force now. A line is a keyword and comma-separated
// numbers read leniently; unknown keywords are skipped; any failure halts,
// keeping the lines before it done. With `origins`, where every tile came
// from is followed beside the pixels.
PlayResult PlayMacroLines(Workspace &workspace, TileOrigins *origins = nullptr);

// Play (the Macro menu's): PlayMacroLines as one undo step, "Play macro",
// with the lines done before a halt. Any other failure puts back what the
// run did and leaves no step.
PlayResult PlayMacro(Workspace &workspace);

} // namespace vexlo
