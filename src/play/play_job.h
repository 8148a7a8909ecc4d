#pragma once

#include "io/sheet_writer.h"
#include "macro/macro_player.h"
#include "play/play_arguments.h"

#include <QStringList>

#include <array>
#include <vector>

namespace vexlo {

// A sheet file as the load dialog reads it, its transparency as these keys
// when asked for; fails (vexlo::Failure) with the refusal.
[[nodiscard]] QImage ReadSheet(const QString &path, KeyPair keys, bool alphaToKeys);

// One pair of sheets played, its outputs ready to be written.
struct PlayedPair {
    PlayResult played;
    std::vector<SheetOutput> outputs;
    std::vector<TextOutput> texts;
    std::array<int, 2> changedTiles{}; // counted for a dry run only
    QStringList notes;                 // for standard error: the snap counts
};

// Reads the sheets `arguments` names, snaps them when asked and plays the
// macro's lines on them in a workspace of its own, as a single run of
// vexlo-play does; so pairs may be played on several threads at once.
// Fails (vexlo::Failure) when a sheet is refused.
[[nodiscard]] PlayedPair PlayPair(const PlayArguments &arguments, const QStringList &macroLines);

// What is said when the pair did not play through or must not be written
// (--strict); empty when it may be.
[[nodiscard]] QString PairRefusal(const PlayedPair &pair, bool strict);

// Why a file the pair would write could not be written (a dry run's check),
// or the empty text.
[[nodiscard]] QString OutputsProblem(const PlayedPair &pair);

// "12 lines reach beyond the left sheet", one text for each sheet reached.
[[nodiscard]] QStringList BeyondSheetTexts(const PlayedPair &pair);

// "3 tiles of the left sheet and 0 of the right would change" (a dry run).
[[nodiscard]] QString ChangedTilesText(const PlayedPair &pair);

} // namespace vexlo
