#pragma once

#include <QString>

namespace vexlo {

// Before a file is written under a name the user typed: true when no file
// has that name, or the user answers Yes to replacing it (No is the default).
bool MayReplace(const QString &path);

} // namespace vexlo
