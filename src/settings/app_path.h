#pragma once

#include <QString>

namespace vexlo {

// The program folder, where the settings file and the macro files live.
// It is the executable's folder when that folder can be written (a portable
// copy keeps everything beside itself); an installed program, whose folder is
// read-only, uses the user's configuration folder for Vexlo instead, so that
// settings and macros are never silently lost.
void InitAppPath();
// The same choice for a given executable folder (used by tests and tools).
void InitAppPath(const QString &programFolder);

// Always ends in "/". Empty until InitAppPath has run.
const QString &AppPath();
// AppPath + "Vexlo.INI".
QString IniPath();

// The path unchanged if it ends in "/", otherwise followed by "/".
QString AddBackslash(const QString &path);

} // namespace vexlo
