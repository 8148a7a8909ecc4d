#pragma once

#include <QString>

namespace vexlo {

class Workspace;

// How a playback ended.
struct PlayResult {
    enum class Outcome { Played, RecordingOn, EmptyMacro, Halted };

    Outcome outcome = Outcome::Played;
    QString description; // the failure that halted playback
    qsizetype line = -1; // index of the line that failed
};

// Replays the macro from its first line to its last on the sheets, key
// colours and options in force now. A line is a keyword and comma-separated
// numbers read leniently; unknown keywords are skipped; any failure halts,
// keeping the lines before it done.
PlayResult PlayMacroLines(Workspace &workspace);

// Runs one macro line (fails with vexlo::Failure).
void PlayMacroLine(Workspace &workspace, const QString &line);

// Tells the user how a playback went, in message boxes (none when it played).
void TellPlayResult(const PlayResult &result);

} // namespace vexlo
