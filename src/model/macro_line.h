#pragma once

#include "common/pane_index.h"
#include <QString>

#include <cstdint>
#include <optional>

namespace vexlo {

// One tile operation as a macro line: the keyword and its numbers, separated
// by commas. Recording writes it; playing reads it back.
struct MacroLine {
    enum class Kind { GetTile, PutTile, ClearChip };

    Kind kind = Kind::ClearChip;
    PaneIndex pane = 0;   // Get and Put
    std::int16_t buffer = 0;
    std::int32_t column = 0; // Get and Put
    std::int32_t row = 0;    // Get and Put
    bool replace = false;    // Put

    // "Get,0,0,2,5", "Put,1,0,0,1,-1", "Cls,0": the numbers in shortest
    // decimal without blanks, the replace field as a truth value (-1 or 0).
    QString format() const;

    // Reads a line the way users may have typed it: the keyword in any
    // letter case, the pieces between commas taken exactly as they stand and
    // read as lenient numbers, extra pieces ignored. Nothing for a keyword
    // that is none of the three (such lines are skipped). Fails
    // (vexlo::Failure) for an empty line or a missing piece (subscript out
    // of range) and for a number that does not fit (overflow), the fields
    // read in order, pane first.
    static std::optional<MacroLine> parse(const QString &line);

    friend bool operator==(const MacroLine &, const MacroLine &) = default;
};

} // namespace vexlo
