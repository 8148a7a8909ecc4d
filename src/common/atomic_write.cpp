#include "common/atomic_write.h"

#include <QSaveFile>

#include <cerrno>
#include <cstring>
#include <memory>

namespace vexlo {

namespace {

QString CannotWrite(const QString &path, const QString &reason)
{
    return QStringLiteral("Cannot write %1: %2").arg(path, reason);
}

// Writes the content into its temporary file; the target is not touched yet.
QString Stage(QSaveFile &file, const FileContent &content)
{
    if (!file.open(QIODevice::WriteOnly))
        return CannotWrite(content.path, file.errorString());
    errno = 0;
    // Small contents wait in the device's buffer and meet the disk only at
    // the flush, so that is where a write cut short (disk full, file size
    // limit) shows. The device then says "Unknown error" at best; the system
    // still knows why.
    const bool written = content.write(file) && file.error() == QFileDevice::NoError && file.flush();
    const int writeErrno = errno;
    if (!written) {
        const QString reason =
            writeErrno != 0 ? QString::fromLocal8Bit(std::strerror(writeErrno)) : file.errorString();
        file.cancelWriting();
        return CannotWrite(content.path, reason);
    }
    return {};
}

} // namespace

QString WriteFilesAtomically(const std::vector<FileContent> &files)
{
    // A temporary file not committed is removed with its QSaveFile.
    std::vector<std::unique_ptr<QSaveFile>> staged;
    for (const FileContent &content : files) {
        staged.push_back(std::make_unique<QSaveFile>(content.path));
        const QString failure = Stage(*staged.back(), content);
        if (!failure.isEmpty())
            return failure;
    }
    for (std::size_t i = 0; i < staged.size(); ++i)
        if (!staged[i]->commit())
            return CannotWrite(files[i].path, staged[i]->errorString());
    return {};
}

QString WriteFileAtomically(const QString &path, const std::function<bool(QIODevice &)> &write)
{
    return WriteFilesAtomically({{path, write}});
}

QString WriteFileAtomically(const QString &path, const QByteArray &bytes)
{
    return WriteFileAtomically(path, [&bytes](QIODevice &device) {
        return device.write(bytes) == bytes.size();
    });
}

} // namespace vexlo
