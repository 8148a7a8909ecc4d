#include "common/atomic_write.h"

#include <QSaveFile>

#include <cerrno>
#include <cstring>

namespace vexlo {

QString WriteFileAtomically(const QString &path, const std::function<bool(QIODevice &)> &write)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
    errno = 0;
    const bool written = write(file);
    // A write cut short (disk full, file size limit) leaves the device
    // saying "Unknown error" at best; the system still knows why.
    const int writeErrno = errno;
    if (!written || !file.flush() || file.error() != QFileDevice::NoError) {
        const QString reason =
            writeErrno != 0 ? QString::fromLocal8Bit(std::strerror(writeErrno)) : file.errorString();
        file.cancelWriting();
        return QStringLiteral("Cannot write %1: %2").arg(path, reason);
    }
    if (!file.commit())
        return QStringLiteral("Cannot write %1: %2").arg(path, file.errorString());
    return {};
}

QString WriteFileAtomically(const QString &path, const QByteArray &bytes)
{
    return WriteFileAtomically(path, [&bytes](QIODevice &device) {
        return device.write(bytes) == bytes.size();
    });
}

} // namespace vexlo
