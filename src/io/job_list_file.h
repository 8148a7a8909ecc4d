#pragma once

#include <QByteArray>
#include <QString>

namespace vexlo {

// The bytes of a job list, "-" naming standard input; a pipe or a device is
// read to its end. Fails (vexlo::Failure) with "Cannot read PATH: REASON",
// also past a size no job list of a million jobs reaches.
QByteArray ReadJobListFile(const QString &path);

} // namespace vexlo
