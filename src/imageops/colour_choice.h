#pragma once

#include "common/colour.h"

#include <QStringList>
#include <QStringView>

#include <optional>

namespace vexlo {

class Workspace;

// The colour dialog's rules, apart from its window.

// What a colour component box holds as a scroll bar value: the number the
// text begins with (0 when none), rounded half to even; nothing when that
// lies outside 0 to 255, so the scroll bar keeps its value.
[[nodiscard]] std::optional<int> ComponentFromText(QStringView text);

// The colour a component swatch shows: row 0 red, 1 green, 2 blue, alone.
Colour ComponentColour(int row, int value);

// The entries of the colour list, in order. Entry 0 stands for the mixed
// colour and the last one for no colour (-1).
enum class ColourEntry {
    Mixed,
    LeftDropper,
    LeftTransparent,
    LeftTranslucent,
    RightDropper,
    RightTransparent,
    RightTranslucent,
    None,
};
inline constexpr int kColourEntryCount = 8;
const QStringList &ColourEntryNames();

// The colour an entry stands for now: the mixed colour, a pane's dropper or
// key colour as the workspace holds it, or -1 for "None" and for an index
// outside the list.
Colour ColourOfEntry(const Workspace &workspace, int entry, Colour mixed);

} // namespace vexlo
