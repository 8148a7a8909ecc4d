#include "io/file_read.h"

#include "common/failure.h"

#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace vexlo {
namespace {

constexpr qint64 kBlockBytes = 64 * 1024;

QString SystemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

QString CannotRead(const QString &path, const QString &reason)
{
    return QStringLiteral("Cannot read %1: %2").arg(path, reason);
}

void OpenForReading(QFile &file, const QString &path, SpecialFiles special)
{
    if (path.isEmpty())
        throw Failure(QStringLiteral("No file name given."));
    // Looked at before opening: the open itself may never come back.
    struct stat status {};
    if (stat(QFile::encodeName(path).constData(), &status) != 0)
        throw Failure(CannotRead(path, SystemReason(errno)));
    if (S_ISDIR(status.st_mode))
        throw Failure(CannotRead(path, SystemReason(EISDIR)));
    if (!S_ISREG(status.st_mode) && special == SpecialFiles::Refuse)
        throw Failure(QStringLiteral("%1 is not a regular file.").arg(path));
    file.setFileName(path);
    errno = 0;
    if (!file.open(QIODevice::ReadOnly))
        throw Failure(CannotRead(path, errno != 0 ? SystemReason(errno) : file.errorString()));
}

std::optional<QByteArray> ReadAtMost(QIODevice &device, qint64 maxBytes, const QString &path)
{
    QByteArray bytes;
    for (;;) {
        const qint64 room = maxBytes + 1 - bytes.size(); // one byte more tells a file too large
        if (room <= 0)
            return std::nullopt;
        const qsizetype start = bytes.size();
        bytes.resize(start + qsizetype(std::min(room, kBlockBytes)));
        const qint64 got = device.read(bytes.data() + start, bytes.size() - start);
        if (got < 0)
            throw Failure(CannotRead(path, device.errorString()));
        bytes.resize(start + got);
        if (got == 0) // the end: reads of files and pipes wait for data
            break;
    }
    return bytes;
}

} // namespace vexlo
