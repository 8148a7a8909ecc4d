#pragma once

#include <QtGlobal>

namespace vexlo {

// The most lines a macro holds, in the list and in a macro file alike.
inline constexpr qsizetype kMaxMacroLines = 32767;

// Fails (vexlo::Failure) when a macro of `count` lines would not fit.
void CheckMacroLineCount(qsizetype count);

} // namespace vexlo
