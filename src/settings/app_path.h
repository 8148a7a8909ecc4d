#pragma once

#include <QString>

namespace vexlo {

// The program folder, where the settings file and the macro files live.
// It is the executable's folder when that folder can be written (a portable
// copy keeps everything beside itself). An installed program uses the user's
// configuration folder for Vexlo instead, so that settings and macros are
// never silently lost in a read-only folder, nor written into a system folder
// by someone who happens to be allowed to: installed means its folder cannot
// be written, or the install's desktop entry stands beside it
// (BIN/../share/applications/org.vexlo.Vexlo.desktop).
void InitAppPath();
// The same choice for a given executable folder (used by tests and tools).
void InitAppPath(const QString &programFolder);

// Always ends in "/". Empty until InitAppPath has run.
const QString &AppPath();
// AppPath + "Vexlo.INI".
QString IniPath();

} // namespace vexlo
