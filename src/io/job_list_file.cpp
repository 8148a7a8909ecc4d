#include "io/job_list_file.h"

#include "common/failure.h"
#include "io/file_read.h"

#include <QFile>

#include <cstdio>

namespace vexlo {
namespace {

constexpr qint64 kMaxJobListBytes = qint64(1) << 30;

} // namespace

QByteArray ReadJobListFile(const QString &path)
{
    QFile file;
    const QString shown = path == u"-" ? QStringLiteral("standard input") : path;
    if (path == u"-") {
        if (!file.open(stdin, QIODevice::ReadOnly))
            throw Failure(CannotRead(shown, file.errorString()));
    } else {
        OpenForReading(file, path, SpecialFiles::Use);
    }
    const auto bytes = ReadAtMost(file, kMaxJobListBytes, shown);
    if (!bytes)
        throw Failure(CannotRead(shown, QStringLiteral("it is larger than 1 GiB")));
    return *bytes;
}

} // namespace vexlo
