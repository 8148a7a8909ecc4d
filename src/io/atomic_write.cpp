#include "io/atomic_write.h"

#include "common/failure.h"
#include "io/write_leftovers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <cstdio>
#include <map>
#include <fcntl.h>
#include <linux/fs.h>
#include <memory>
#include <sys/file.h>
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

QByteArray Native(const QString &path)
{
    return QFile::encodeName(path);
}

// Read, not set and put back: umask(2) changes it for every thread, and a
// file another thread made meanwhile would be open to all.
mode_t CurrentUmask()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (status.open(QIODevice::ReadOnly))
        for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine())
            if (line.startsWith("Umask:")) {
                bool read = false;
                const uint mask = line.mid(6).trimmed().toUInt(&read, 8);
                if (read)
                    return mode_t(mask);
            }
    static std::mutex alone; // no /proc: set and put back, one thread at a time
    std::lock_guard lock(alone);
    const mode_t mask = umask(0);
    umask(mask);
    return mask;
}

// Where a write lands: the path as given (for messages), the file it names
// once symbolic links are followed and its folder named without links, and
// what is there now.
struct Target {
    QString shown;
    QString real;
    QString folder;
    bool exists = false;
    bool link = false; // the path itself is a symbolic link
    int error = 0;     // why nothing could be looked at, when it is not there
    struct stat status {};

    bool special() const { return exists && !S_ISREG(status.st_mode); }
};

Target Resolve(const QString &path)
{
    Target target;
    target.shown = target.real = path;
    const QByteArray native = Native(path);
    target.exists = stat(native.constData(), &target.status) == 0;
    target.error = target.exists ? 0 : errno;
    struct stat itself {};
    target.link = lstat(native.constData(), &itself) == 0 && S_ISLNK(itself.st_mode);
    // A device or a pipe (/dev/fd/N of a shell's >(...)) is opened through
    // the path as given; a regular file is replaced where its links lead.
    if (target.special())
        return target;
    const QFileInfo real(target.exists && target.link ? QFileInfo(path).canonicalFilePath() : path);
    const QString folder = QDir(real.absolutePath()).canonicalPath();
    target.folder = folder.isEmpty() ? real.absolutePath() : folder;
    target.real = target.folder + u'/' + real.fileName();
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
    // A link is never replaced by a file of its own: one that leads nowhere
    // or round in a loop is refused, as is a name that cannot be looked up.
    if (!target.exists && (target.link || target.error != ENOENT))
        return CannotWrite(target.shown, target.link && target.error == ENOENT
                                             ? QStringLiteral("it is a link to a file that does not exist")
                                             : Reason(target.error));
    if (target.exists && S_ISDIR(target.status.st_mode))
        return CannotWrite(target.shown, Reason(EISDIR));
    if (target.special())
        return special == SpecialFiles::Use ? QString() : QStringLiteral("%1 is not a regular file.").arg(target.shown);
    if (Unreplaceable(target.folder) || (target.exists && Unreplaceable(target.real)))
        return CannotWrite(target.shown, QStringLiteral("it or its folder is append-only or immutable"));
    if (!target.exists)
        return {};
    if (faccessat(AT_FDCWD, Native(target.real).constData(), W_OK, AT_EACCESS) != 0)
        return CannotWrite(target.shown, Reason(errno));
    struct stat folderStatus {};
    const uid_t user = FileUser();
    if (user != 0 && stat(Native(target.folder).constData(), &folderStatus) == 0
        && (folderStatus.st_mode & S_ISVTX) != 0 && target.status.st_uid != user && folderStatus.st_uid != user)
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

// One regular file on its way: its temporary file, removed with this
// unless it took the target's place.
struct Staged {
    Target target;
    std::unique_ptr<QTemporaryFile> temp;
    PlacedFile file;
};

QString Stage(Staged &staged, const FileContent &content, bool sync)
{
    const Target &target = staged.target;
    PlacedFile &file = staged.file;
    // Locked while it exists, so a later write can tell it from one whose
    // writer is gone; an ID that a leftover's backup or journal still uses
    // is not taken.
    do {
        staged.temp = std::make_unique<QTemporaryFile>(TempTemplate(target.folder));
        errno = 0;
        if (!staged.temp->open() || flock(staged.temp->handle(), LOCK_EX) != 0)
            return CannotWrite(target.shown, errno != 0 ? Reason(errno) : staged.temp->errorString());
        file.id = TempId(staged.temp->fileName());
    } while (!IdFree(target.folder, file.id));
    const int fd = staged.temp->handle();
    struct stat status {};
    fstat(fd, &status);
    file.shown = target.shown;
    file.folder = target.folder;
    file.name = QFileInfo(target.real).fileName();
    file.device = status.st_dev;
    file.newInode = status.st_ino;
    file.oldInode = target.exists ? target.status.st_ino : 0;
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
    if (sync && fsync(fd) != 0)
        return CannotWrite(target.shown, Reason(errno));
    return {};
}

// Keeps the file being replaced under its backup name: a second name for
// it where the file system allows, or else moved aside.
bool KeepOld(const PlacedFile &file)
{
    const QByteArray target = Native(file.target());
    const QByteArray backup = Native(file.backup());
    return ::link(target.constData(), backup.constData()) == 0
           || std::rename(target.constData(), backup.constData()) == 0;
}

// The renames made to last as the contents do. A folder the file system
// cannot sync still holds the files.
void SyncFolders(const std::vector<PlacedFile> &files)
{
    QStringList synced;
    for (const PlacedFile &file : files) {
        if (synced.contains(file.folder))
            continue;
        synced << file.folder;
        const int fd = ::open(Native(file.folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        if (fd >= 0) {
            fsync(fd);
            ::close(fd);
        }
    }
}

// The regular files of a write, in the order they are placed.
std::vector<PlacedFile> Placing(const std::vector<Staged> &staged)
{
    std::vector<PlacedFile> files;
    for (const Staged &one : staged)
        if (!one.target.special())
            files.push_back(one.file);
    return files;
}

// Of several files, each replaced one is kept under its backup name, and a
// journal lists them all, until every one is placed: a write cut short
// between them is put back by the next write to their folders.
QString OpenJournal(const std::vector<PlacedFile> &files, Journal &journal, bool sync)
{
    if (files.size() > 1)
        if (const QString failure = journal.open(files, sync); !failure.isEmpty())
            return failure + journal.remove();
    return {};
}

// Every file in place, or every placed one put back and the failure told.
// A single file simply takes its target's place.
QString Place(std::vector<Staged> &staged, const std::vector<PlacedFile> &files, Journal &journal, bool syncFolders)
{
    QStringList shown;
    for (const PlacedFile &file : files)
        shown << file.shown;
    const bool several = files.size() > 1;
    for (Staged &one : staged) {
        if (one.target.special())
            continue;
        const PlacedFile &file = one.file;
        if ((several && file.hadOld() && !KeepOld(file))
            || Replace()(Native(file.temp()).constData(), Native(file.target()).constData()) != 0) {
            const int error = errno;
            const QString problems = Undo(files);
            for (Staged &other : staged)
                if (other.temp)
                    other.temp->setAutoRemove(false); // removed by Undo: the name may be another's by now
            // Kept when something could not be put back, for the next write to try again.
            return CannotWrite(file.shown, Reason(error)) + (problems.isEmpty() ? journal.remove() : problems);
        }
        one.temp->setAutoRemove(false);
    }
    QString problems = several ? RemoveBackups(files) : QString();
    if (problems.isEmpty())
        problems = journal.remove();
    if (syncFolders)
        SyncFolders(files);
    if (!problems.isEmpty())
        return QStringLiteral("Cannot clear up after writing %1%2").arg(shown.join(QStringLiteral(", ")), problems);
    return {};
}

// The description of what stopped the files being written, or the empty
// text once all are in place.
QString Prepare(std::vector<Staged> &staged, const std::vector<FileContent> &files, SpecialFiles special,
                bool syncEach, ClearedFolders *clearedFolders)
{
    staged.resize(files.size());
    auto resolveAll = [&]() -> QString {
        for (std::size_t i = 0; i < files.size(); ++i) {
            staged[i].target = Resolve(files[i].path);
            if (const QString refusal = Refusal(staged[i].target, special); !refusal.isEmpty())
                return refusal;
        }
        return {};
    };
    if (const QString refusal = resolveAll(); !refusal.isEmpty())
        return refusal;
    QStringList cleared;
    for (const Staged &one : staged) {
        if (one.target.special() || cleared.contains(one.target.folder))
            continue;
        cleared << one.target.folder;
        const QString problems =
            clearedFolders ? clearedFolders->clear(one.target.folder) : ClearLeftovers(one.target.folder);
        if (!problems.isEmpty())
            return CannotWrite(one.target.shown,
                               QStringLiteral("cannot clear up after an earlier write that was cut short"))
                   + problems;
    }
    // The clear-up may have put an earlier file back in a target's place: the
    // file replaced now is that one.
    if (const QString refusal = resolveAll(); !refusal.isEmpty())
        return refusal;
    for (std::size_t i = 0; i < files.size(); ++i)
        if (!staged[i].target.special())
            if (const QString failure = Stage(staged[i], files[i], syncEach); !failure.isEmpty())
                return failure;
    // Devices and FIFOs cannot be put back: written only once every other
    // file is complete.
    for (std::size_t i = 0; i < files.size(); ++i)
        if (staged[i].target.special())
            if (const QString failure = WriteDirectly(staged[i].target, files[i]); !failure.isEmpty())
                return failure;
    return {};
}

QString WriteAll(const std::vector<FileContent> &files, SpecialFiles special)
{
    std::vector<Staged> staged;
    if (const QString failure = Prepare(staged, files, special, true, nullptr); !failure.isEmpty())
        return failure;
    const std::vector<PlacedFile> placing = Placing(staged);
    Journal journal;
    if (const QString failure = OpenJournal(placing, journal, true); !failure.isEmpty())
        return failure;
    return Place(staged, placing, journal, true);
}

} // namespace

struct PreparedWrite::Parts {
    std::vector<Staged> staged;
    std::vector<PlacedFile> placing;
    Journal journal;
};

PreparedWrite::PreparedWrite() : parts_(std::make_unique<Parts>()) {}
PreparedWrite::~PreparedWrite() = default;
PreparedWrite::PreparedWrite(PreparedWrite &&) noexcept = default;
PreparedWrite &PreparedWrite::operator=(PreparedWrite &&) noexcept = default;

QString ClearedFolders::clear(const QString &folder)
{
    // What a write killed a moment ago left is cleared only once it is some
    // seconds old (see ClearLeftovers), so a folder is looked at again
    // when that has passed.
    constexpr auto kAgain = std::chrono::seconds(6);
    std::lock_guard lock(mutex_);
    const auto now = std::chrono::steady_clock::now();
    if (const auto last = cleared_.find(folder); last != cleared_.end() && now - last->second < kAgain)
        return {};
    const QString problems = ClearLeftovers(folder);
    if (problems.isEmpty())
        cleared_[folder] = now;
    return problems;
}

PreparedWrite PrepareWrite(const std::vector<FileContent> &files, SpecialFiles special, ClearedFolders *cleared)
{
    PreparedWrite write;
    PreparedWrite::Parts &parts = *write.parts_;
    QString failure = Prepare(parts.staged, files, special, false, cleared);
    if (failure.isEmpty()) {
        parts.placing = Placing(parts.staged);
        failure = OpenJournal(parts.placing, parts.journal, false);
    }
    if (!failure.isEmpty())
        throw Failure(failure);
    return write;
}

std::vector<QString> CommitWrites(std::vector<PreparedWrite> &writes)
{
    // One sync for each file system the contents and journals are on, so
    // that no file takes a target's place before it is whole on the disk.
    std::map<dev_t, int> syncFailures;
    for (PreparedWrite &write : writes)
        for (const Staged &one : write.parts_->staged)
            if (one.temp && !syncFailures.count(one.file.device))
                syncFailures[one.file.device] = syncfs(one.temp->handle()) == 0 ? 0 : errno;
    std::vector<QString> failures(writes.size());
    std::vector<PlacedFile> placed;
    for (std::size_t i = 0; i < writes.size(); ++i) {
        PreparedWrite::Parts &parts = *writes[i].parts_;
        for (const PlacedFile &file : parts.placing)
            if (const int error = syncFailures[file.device]; error != 0 && failures[i].isEmpty())
                failures[i] = CannotWrite(file.shown, Reason(error)) + parts.journal.remove();
        if (failures[i].isEmpty())
            failures[i] = Place(parts.staged, parts.placing, parts.journal, false);
        if (failures[i].isEmpty())
            placed.insert(placed.end(), parts.placing.begin(), parts.placing.end());
    }
    SyncFolders(placed);
    return failures;
}

QString WriteProblem(const QString &path, SpecialFiles special)
{
    const Target target = Resolve(path);
    if (const QString refusal = Refusal(target, special); !refusal.isEmpty() || target.special())
        return refusal;
    if (faccessat(AT_FDCWD, Native(target.folder).constData(), W_OK | X_OK, AT_EACCESS) != 0)
        return CannotWrite(target.shown, Reason(errno));
    return {};
}

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
