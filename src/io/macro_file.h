#pragma once

#include "io/file_read.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

namespace vexlo {

// Macro files (".vmi"): plain 8-bit text, one macro entry per line, each line
// ended by CR LF, the last one too; an empty macro is an empty file. Lines are
// not changed: every byte of an entry comes back as it was. A line longer
// than 65,536 characters is refused.
// Reading takes LF and CR LF line ends; a lone CR stays inside its line.

// Both fail (vexlo::Failure) with a description for the user. Reading stops
// at a size no macro reaches, whatever the file claims.
QStringList ReadMacroFile(const QString &path, SpecialFiles special = SpecialFiles::Refuse);
void WriteMacroFile(const QString &path, const QStringList &lines);

// The same without the file, for tests and tools.
QStringList ParseMacroText(const QByteArray &bytes);
QByteArray MacroFileBytes(const QStringList &lines);

} // namespace vexlo
