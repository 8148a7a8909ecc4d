#pragma once

#include <QString>

#include <cstdint>

class QCheckBox;
class QObject;
class QWidget;

namespace vexlo {

// Saves and restores a window's controls in the settings file without
// knowing which controls the window has. A control persists when its "Tag"
// property is exactly one of these codes:
//   "O" option button (checkable button): on/off, written as True / False;
//   "C" check box: its state 0 clear, 1 ticked, 2 greyed;
//   "T" line edit: its text, unchanged;
//   "N" line edit holding a number: its text, restored as the plain number
//       the stored text begins with (0 if none).
// The section is the window's objectName; the key the control's objectName,
// followed directly by its "Index" property for members of a control array.
// Controls are visited in the window's order of children, so that order is
// the order of the keys in a new file.
//
// An empty `file` means IniPath(), which is then stored into `file`.
// All of the window's keys are written in one update of the file.
void SaveControls(QWidget &window, QString &file);

// Restores every coded control, with its current state as the default, so a
// missing file, section or key leaves it as it is. A restored state that
// differs from the current one raises the control's change signals exactly
// as a user's change would; an equal one raises nothing. A stored value that
// cannot be applied (a check-box number outside 0..2, an option button that
// cannot be switched off on its own) keeps the current state.
void LoadControls(QWidget &window, QString &file);

// True when the control is a member of a control array, that is when it has
// an "Index" property holding a whole number.
bool HasIndex(const QObject &control);

// A check box's state as the settings store it, and back: 0 clear,
// 1 ticked, 2 greyed. Numbers outside 0..2 leave the box unchanged and give
// false.
std::int16_t CheckBoxValue(const QCheckBox &box);
bool SetCheckBoxValue(QCheckBox &box, std::int16_t value);

} // namespace vexlo
