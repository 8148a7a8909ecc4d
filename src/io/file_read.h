#pragma once

#include "io/special_files.h"

#include <QByteArray>
#include <QString>

#include <optional>

class QFile;
class QIODevice;

namespace vexlo {

// Opens the file for reading, or fails (vexlo::Failure) with one of the
// texts every reader uses: "No file name given.", "PATH is not a regular
// file." or "Cannot read PATH: REASON" with the system's reason.
void OpenForReading(QFile &file, const QString &path, SpecialFiles special);

// "Cannot read PATH: REASON", the form of every failed read.
QString CannotRead(const QString &path, const QString &reason);

// What the device holds, read a block at a time up to `maxBytes`, whatever
// size it claims: a device or a pipe may never end. Nothing when there is
// more than that; fails (vexlo::Failure, naming `path`) when a read fails.
[[nodiscard]] std::optional<QByteArray> ReadAtMost(QIODevice &device, qint64 maxBytes, const QString &path);

} // namespace vexlo
