#include "common/atomic_write.h"

#include "common/failure.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <linux/fs.h>
#include <memory>
#include <sys/fsuid.h>
#include <sys/ioctl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vexlo {
namespace {

ReplaceStep &Replace()
{
    static ReplaceStep step = &std::rename;
    return step;
}

QString Reason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString CannotWrite(const QString &path, const QString &reason)
{
    return QStringLiteral("Cannot write %1: %2").arg(path, reason);
}

QByteArray Native(const QString &path)
{
    return QFile::encodeName(path);
}

mode_t CurrentUmask()
{
    const mode_t mask = umask(0);
    umask(mask);
    return mask;
}

// Where a write lands: the path as given (for messages), the file it names
// once symbolic links are followed, and what is there now.
struct Target {
    QString shown;
    QString real;
    bool exists = false;
    struct stat status {};

    bool special() const { return exists && !S_ISREG(status.st_mode); }
};

Target Resolve(const QString &path)
{
    Target target;
    target.shown = target.real = path;
    target.exists = stat(Native(path).constData(), &target.status) == 0;
    // Only a regular file's link is followed by name: a device or a pipe
    // (/dev/fd/N of a shell's >(...)) is opened through the path as given.
    if (target.exists && S_ISREG(target.status.st_mode) && QFileInfo(path).isSymLink())
        target.real = QFileInfo(path).canonicalFilePath();
    return target;
}

// An append-only or immutable folder or file lets a temporary file be made
// but neither renamed over the target nor removed again.
bool Unreplaceable(const QString &path)
{
    const int fd = ::open(Native(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false; // the write itself will say what is wrong
    int flags = 0;
    const bool known = ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    ::close(fd);
    return known && (flags & (FS_APPEND_FL | FS_IMMUTABLE_FL)) != 0;
}

// Why the target must be left alone before anything is made beside it, or
// the empty text: a file the writer may not write is meant to stay as it is,
// and in a sticky folder only the file's or the folder's owner may replace
// it, while the backup and temporary names made first could not be removed.
QString Refusal(const Target &target, SpecialFiles special)
{
    if (target.exists && S_ISDIR(target.status.st_mode))
        return CannotWrite(target.shown, Reason(EISDIR));
    if (target.special())
        return special == SpecialFiles::Use ? QString() : QStringLiteral("%1 is not a regular file.").arg(target.shown);
    const QString folder = QFileInfo(target.real).absolutePath();
    if (Unreplaceable(folder) || (target.exists && Unreplaceable(target.real)))
        return CannotWrite(target.shown, QStringLiteral("it or its folder is append-only or immutable"));
    if (!target.exists)
        return {};
    if (faccessat(AT_FDCWD, Native(target.real).constData(), W_OK, AT_EACCESS) != 0)
        return CannotWrite(target.shown, Reason(errno));
    struct stat folderStatus {};
    const uid_t user = setfsuid(uid_t(-1)); // fails, telling the user files are checked as
    if (user != 0 && stat(Native(folder).constData(), &folderStatus) == 0 && (folderStatus.st_mode & S_ISVTX) != 0
        && target.status.st_uid != user && folderStatus.st_uid != user)
        return CannotWrite(target.shown, Reason(EPERM));
    return {};
}

// Puts the content into the device. Small contents wait in the device's
// buffer and meet the disk only at the flush, so that is where a write cut
// short (disk full, file size limit) shows. The device then says "Unknown
// error" at best; the system still knows why.
QString Fill(QFileDevice &file, const std::function<bool(QIODevice &)> &write, const QString &shown)
{
    errno = 0;
    const bool written = write(file) && file.error() == QFileDevice::NoError && file.flush();
    const int writeErrno = errno;
    if (!written)
        return CannotWrite(shown, writeErrno != 0 ? Reason(writeErrno) : file.errorString());
    return {};
}

// A device or a FIFO is written in place. Opened without waiting, so a FIFO
// that nobody reads fails at once; the writes themselves then wait as usual.
QString WriteDirectly(const Target &target, const FileContent &content)
{
    const int fd = ::open(Native(target.real).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return CannotWrite(target.shown, errno == ENXIO ? QStringLiteral("nothing reads from it") : Reason(errno));
    fcntl(fd, F_SETFL, fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    QFile file;
    if (!file.open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return CannotWrite(target.shown, file.errorString());
    }
    return Fill(file, content.write, target.shown);
}

// One regular file on its way: its temporary file (removed with this
// unless it took the target's place) and, while the others are placed, the
// replaced file kept under a backup name.
struct Staged {
    Target target;
    std::unique_ptr<QTemporaryFile> temp;
    QString backup;
    bool placed = false;
};

QString Stage(Staged &staged, const FileContent &content)
{
    const Target &target = staged.target;
    const QFileInfo real(target.real);
    staged.temp = std::make_unique<QTemporaryFile>(real.absolutePath() + u'/' + real.fileName()
                                                   + QStringLiteral(".XXXXXX"));
    errno = 0;
    if (!staged.temp->open())
        return CannotWrite(target.shown, errno != 0 ? Reason(errno) : staged.temp->errorString());
    const int fd = staged.temp->handle();
    if (target.exists) {
        // Root keeps another user's file theirs; others can keep the group.
        if (fchown(fd, target.status.st_uid, target.status.st_gid) != 0
            && fchown(fd, uid_t(-1), target.status.st_gid) != 0) {
            // the writer's own, as any file it makes
        }
        fchmod(fd, target.status.st_mode & 07777); // after the owner: a change of owner clears set-id bits
    } else {
        fchmod(fd, 0666 & ~CurrentUmask()); // as a new file of its own would be
    }
    const QString failure = Fill(*staged.temp, content.write, target.shown);
    if (!failure.isEmpty())
        return failure;
    if (fsync(fd) != 0)
        return CannotWrite(target.shown, Reason(errno));
    return {};
}

// Keeps the file being replaced under a backup name beside it: a second
// name for it where the file system allows, or else moved aside.
bool KeepOld(Staged &staged)
{
    if (!staged.target.exists)
        return true;
    const QString backup = staged.temp->fileName() + QStringLiteral(".old");
    const QByteArray real = Native(staged.target.real);
    if (::link(real.constData(), Native(backup).constData()) != 0
        && std::rename(real.constData(), Native(backup).constData()) != 0)
        return false;
    staged.backup = backup;
    return true;
}

// Undoes a placed file (or a moved-aside one): the old file back under its
// name, or a new file removed. Empty, or why that failed.
QString PutBack(const Staged &staged)
{
    const QByteArray real = Native(staged.target.real);
    const bool undone = staged.backup.isEmpty() ? ::unlink(real.constData()) == 0
                                                : std::rename(Native(staged.backup).constData(), real.constData()) == 0;
    if (undone)
        return {};
    const QString reason = Reason(errno);
    return staged.backup.isEmpty()
               ? QStringLiteral("; the new %1 could not be removed: %2").arg(staged.target.shown, reason)
               : QStringLiteral("; the earlier %1 could not be put back (%2) and is kept as %3")
                     .arg(staged.target.shown, reason, staged.backup);
}

// Every file in place, or every placed one put back and the failure told.
QString Place(std::vector<Staged> &files)
{
    for (Staged &staged : files) {
        if (staged.target.special())
            continue;
        int error = 0;
        if (!KeepOld(staged)) {
            error = errno;
        } else if (Replace()(Native(staged.temp->fileName()).constData(), Native(staged.target.real).constData()) != 0) {
            error = errno;
            if (!staged.backup.isEmpty() && !QFileInfo::exists(staged.target.real))
                std::rename(Native(staged.backup).constData(), Native(staged.target.real).constData());
            else if (!staged.backup.isEmpty())
                ::unlink(Native(staged.backup).constData());
        }
        if (error != 0) {
            QString failure = CannotWrite(staged.target.shown, Reason(error));
            for (auto placed = files.rbegin(); placed != files.rend(); ++placed)
                if (placed->placed)
                    failure += PutBack(*placed);
            return failure;
        }
        staged.placed = true;
        staged.temp->setAutoRemove(false);
    }
    for (const Staged &staged : files)
        if (!staged.backup.isEmpty())
            ::unlink(Native(staged.backup).constData());
    return {};
}

// The description of what stopped the files being written, or the empty
// text once all are in place.
QString WriteAll(const std::vector<FileContent> &files, SpecialFiles special)
{
    std::vector<Staged> staged(files.size());
    for (std::size_t i = 0; i < files.size(); ++i) {
        staged[i].target = Resolve(files[i].path);
        if (const QString refusal = Refusal(staged[i].target, special); !refusal.isEmpty())
            return refusal;
    }
    for (std::size_t i = 0; i < files.size(); ++i)
        if (!staged[i].target.special())
            if (const QString failure = Stage(staged[i], files[i]); !failure.isEmpty())
                return failure;
    // Devices and FIFOs cannot be put back: written only once every other
    // file is complete.
    for (std::size_t i = 0; i < files.size(); ++i)
        if (staged[i].target.special())
            if (const QString failure = WriteDirectly(staged[i].target, files[i]); !failure.isEmpty())
                return failure;
    return Place(staged);
}

} // namespace

void SetReplaceStepForTesting(ReplaceStep step)
{
    Replace() = step != nullptr ? step : &std::rename;
}

void WriteFilesAtomically(const std::vector<FileContent> &files, SpecialFiles special)
{
    if (const QString failure = WriteAll(files, special); !failure.isEmpty())
        throw Failure(failure);
}

void WriteFileAtomically(const QString &path, const std::function<bool(QIODevice &)> &write, SpecialFiles special)
{
    WriteFilesAtomically({{path, write}}, special);
}

void WriteFileAtomically(const QString &path, const QByteArray &bytes, SpecialFiles special)
{
    WriteFileAtomically(
        path, [&bytes](QIODevice &device) { return device.write(bytes) == bytes.size(); }, special);
}

} // namespace vexlo
