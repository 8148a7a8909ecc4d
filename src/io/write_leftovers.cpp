#include "io/write_leftovers.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <sys/fsuid.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace vexlo {
namespace {

const QString kPrefix = QStringLiteral(".vexlo-");
constexpr qsizetype kIdLength = 6;
const QLatin1String kTemp("tmp");
const QLatin1String kBackup("old");
const QLatin1String kJournal("journal");
const QByteArray kJournalStart("vexlo journal 1");
const QByteArray kJournalEnd("end");
// Far above what a list of a few files with the longest paths takes.
constexpr off_t kMaxJournalBytes = 1 << 20;
// A leftover untouched this long is no write of a moment ago that has not
// locked it yet.
constexpr time_t kStaleSeconds = 5;

QByteArray Native(const QString &path)
{
    return QFile::encodeName(path);
}

QString Named(const QString &id, QLatin1String kind)
{
    return kPrefix + id + u'.' + kind;
}

bool IsId(const QString &id)
{
    return id.size() == kIdLength && std::all_of(id.begin(), id.end(), [](QChar c) {
               return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
           });
}

// The ID in a name of the given kind, or empty for a name of another form.
QString IdIn(const QString &name, QLatin1String kind)
{
    const QString id = name.mid(kPrefix.size(), kIdLength);
    return IsId(id) && name == Named(id, kind) ? id : QString();
}

bool Exists(const QString &path, struct stat &status)
{
    return lstat(Native(path).constData(), &status) == 0;
}

// A file descriptor, closed (and so unlocked) with this.
class Descriptor {
public:
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(Descriptor &&other) noexcept : fd_(std::exchange(other.fd_, -1)) {}
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;
    Descriptor &operator=(Descriptor &&) = delete;
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    int get() const { return fd_; }

private:
    int fd_;
};

// A leftover opened to be locked and read: never through a link, only a
// regular file, and without waiting should it be a FIFO.
std::optional<Descriptor> OpenLeftover(const QString &path, struct stat &status)
{
    Descriptor fd(::open(Native(path).constData(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (fd.get() < 0 || fstat(fd.get(), &status) != 0 || !S_ISREG(status.st_mode))
        return std::nullopt;
    return fd;
}

// True when no living writer holds it; the lock is then this process's.
bool Unlocked(const Descriptor &fd)
{
    return flock(fd.get(), LOCK_EX | LOCK_NB) == 0;
}

bool Stale(const struct stat &status)
{
    return status.st_mtime + kStaleSeconds < std::time(nullptr);
}

QString Removal(const QString &path)
{
    if (::unlink(Native(path).constData()) == 0 || errno == ENOENT)
        return {};
    const int error = errno;
    return QStringLiteral("; %1 could not be removed: %2").arg(path, Reason(error));
}

// Whether the name holds that very file, not another that took the name since.
bool Holds(const QString &path, dev_t device, ino_t inode)
{
    struct stat status {};
    return Exists(path, status) && status.st_dev == device && status.st_ino == inode;
}

bool Placed(const PlacedFile &file)
{
    return Holds(file.target(), file.device, file.newInode);
}

bool Kept(const PlacedFile &file)
{
    return file.hadOld() && Holds(file.backup(), file.device, file.oldInode);
}

QByteArray JournalText(const std::vector<PlacedFile> &files)
{
    QByteArray text = kJournalStart + '\n';
    for (const PlacedFile &file : files)
        text += file.id.toLatin1() + ' ' + QByteArray::number(quint64(file.device)) + ' '
                + QByteArray::number(quint64(file.newInode)) + ' ' + QByteArray::number(quint64(file.oldInode)) + ' '
                + Native(file.folder).toPercentEncoding() + ' ' + Native(file.name).toPercentEncoding() + '\n';
    return text + kJournalEnd + '\n';
}

// The files a journal lists; nothing unless it is complete and every field
// as a writer makes it, since what it names is renamed and removed.
std::optional<std::vector<PlacedFile>> ParseJournal(const QByteArray &text)
{
    QList<QByteArray> lines = text.split('\n');
    if (lines.size() < 4 || lines.takeFirst() != kJournalStart || !lines.takeLast().isEmpty()
        || lines.takeLast() != kJournalEnd)
        return std::nullopt;
    std::vector<PlacedFile> files;
    for (const QByteArray &line : lines) {
        const QList<QByteArray> fields = line.split(' ');
        if (fields.size() != 6)
            return std::nullopt;
        PlacedFile file;
        file.id = QString::fromLatin1(fields[0]);
        bool numbers[3] = {};
        file.device = fields[1].toULongLong(&numbers[0]);
        file.newInode = fields[2].toULongLong(&numbers[1]);
        file.oldInode = fields[3].toULongLong(&numbers[2]);
        const QByteArray folder = QByteArray::fromPercentEncoding(fields[4]);
        const QByteArray name = QByteArray::fromPercentEncoding(fields[5]);
        file.folder = QFile::decodeName(folder);
        file.name = QFile::decodeName(name);
        file.shown = file.target();
        const bool plainName = !name.isEmpty() && name != "." && name != ".." && !name.contains('/');
        if (!IsId(file.id) || !numbers[0] || !numbers[1] || !numbers[2] || folder.toPercentEncoding() != fields[4]
            || name.toPercentEncoding() != fields[5] || folder.contains('\0') || name.contains('\0')
            || !folder.startsWith('/') || QDir::cleanPath(file.folder) != file.folder || !plainName)
            return std::nullopt;
        files.push_back(file);
    }
    return files;
}

std::optional<std::vector<PlacedFile>> ReadJournal(const Descriptor &fd, const struct stat &status)
{
    if (status.st_size > kMaxJournalBytes)
        return std::nullopt;
    QByteArray text(status.st_size, Qt::Uninitialized);
    if (::read(fd.get(), text.data(), text.size()) != text.size())
        return std::nullopt;
    return ParseJournal(text);
}

QString PutBack(const PlacedFile &file)
{
    if (std::rename(Native(file.backup()).constData(), Native(file.target()).constData()) == 0)
        return {};
    const int error = errno;
    return QStringLiteral("; the earlier %1 could not be put back (%2) and is kept as %3")
        .arg(file.shown, Reason(error), file.backup());
}

// A journal whose writer is gone: its write undone, or finished when every
// file was placed. It acts only in folders that still hold a copy of it,
// the folders its writer wrote to, and takes the lock of every copy, so no
// other write clears the same one from another folder at the same time.
QString ClearJournal(const QString &folder, const QString &name)
{
    const QString path = folder + u'/' + name;
    struct stat status {};
    const auto found = OpenLeftover(path, status);
    if (!found || status.st_uid != FileUser() || !Unlocked(*found))
        return {};
    const auto files = ReadJournal(*found, status);
    const bool listed = files && std::any_of(files->begin(), files->end(),
                                             [&](const PlacedFile &file) { return file.folder == folder; });
    // A writer stopped before its list was complete had placed nothing yet.
    if (!listed)
        return Stale(status) ? Removal(path) : QString();
    QStringList copies{path};
    std::vector<Descriptor> locks;
    std::vector<PlacedFile> reachable;
    for (const PlacedFile &file : *files) {
        const QString copy = file.folder + u'/' + name;
        if (!copies.contains(copy)) {
            struct stat copyStatus {};
            auto fd = OpenLeftover(copy, copyStatus);
            if (!fd)
                continue;
            if (copyStatus.st_uid != FileUser() || !Unlocked(*fd))
                return {};
            copies << copy;
            locks.push_back(std::move(*fd));
        }
        reachable.push_back(file);
    }
    QString problems = std::all_of(files->begin(), files->end(), Placed) ? RemoveBackups(reachable) : Undo(reachable);
    // Kept when something is left to do, for the next write to try again.
    if (problems.isEmpty())
        for (const QString &copy : copies)
            problems += Removal(copy);
    return problems;
}

// A temporary file whose writer is gone: unlocked, and untouched for long
// enough that it is no write of a moment ago that has not locked it yet.
QString ClearTemp(const QString &path)
{
    struct stat status {};
    const auto fd = OpenLeftover(path, status);
    const uid_t user = FileUser();
    if (!fd || (status.st_uid != user && user != 0) || !Stale(status) || !Unlocked(*fd))
        return {};
    return Removal(path);
}

} // namespace

QString CannotWrite(const QString &path, const QString &reason)
{
    return QStringLiteral("Cannot write %1: %2").arg(path, reason);
}

QString Reason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

uid_t FileUser()
{
    return setfsuid(uid_t(-1)); // fails, telling the user files are checked as
}

QString TempTemplate(const QString &folder)
{
    return folder + u'/' + Named(QStringLiteral("XXXXXX"), kTemp);
}

QString TempId(const QString &tempPath)
{
    return IdIn(tempPath.section(u'/', -1), kTemp);
}

bool IdFree(const QString &folder, const QString &id)
{
    struct stat status {};
    return !Exists(folder + u'/' + Named(id, kBackup), status)
           && !Exists(folder + u'/' + Named(id, kJournal), status);
}

QString PlacedFile::target() const
{
    return folder + u'/' + name;
}

QString PlacedFile::temp() const
{
    return folder + u'/' + Named(id, kTemp);
}

QString PlacedFile::backup() const
{
    return folder + u'/' + Named(id, kBackup);
}

Journal::~Journal()
{
    for (const Copy &copy : copies_)
        ::close(copy.fd);
}

QString Journal::open(const std::vector<PlacedFile> &files, bool sync)
{
    const QByteArray text = JournalText(files);
    const QString name = Named(files.front().id, kJournal);
    for (const PlacedFile &file : files) {
        const QString path = file.folder + u'/' + name;
        if (std::any_of(copies_.begin(), copies_.end(), [&](const Copy &copy) { return copy.path == path; }))
            continue;
        const int fd = ::open(Native(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd < 0)
            return CannotWrite(file.shown, Reason(errno));
        copies_.push_back({path, fd});
        // Locked before it holds anything: a later write finding it
        // incomplete and unlocked could take it for one cut short.
        if (flock(fd, LOCK_EX) != 0 || ::write(fd, text.constData(), text.size()) != text.size()
            || (sync && fsync(fd) != 0))
            return CannotWrite(file.shown, Reason(errno));
    }
    return {};
}

QString Journal::remove()
{
    QString problems;
    for (const Copy &copy : copies_)
        problems += Removal(copy.path);
    return problems;
}

QString Undo(const std::vector<PlacedFile> &files)
{
    QString problems;
    for (auto file = files.rbegin(); file != files.rend(); ++file) {
        const bool placed = Placed(*file);
        const bool kept = Kept(*file);
        struct stat status {};
        const bool there = Exists(file->target(), status);
        if (Holds(file->temp(), file->device, file->newInode))
            problems += Removal(file->temp());
        if (kept && (placed || !there)) {
            problems += PutBack(*file);
        } else if (kept) {
            problems += Removal(file->backup()); // the old file, still under its own name too
        } else if (placed && !file->hadOld() && ::unlink(Native(file->target()).constData()) != 0) {
            const int error = errno;
            problems += QStringLiteral("; the new %1 could not be removed: %2").arg(file->shown, Reason(error));
        }
    }
    return problems;
}

QString RemoveBackups(const std::vector<PlacedFile> &files)
{
    QString problems;
    for (const PlacedFile &file : files)
        if (Kept(file))
            problems += Removal(file.backup());
    return problems;
}

QString ClearLeftovers(const QString &folder)
{
    const QStringList names = QDir(folder).entryList({kPrefix + u'*'}, QDir::Files | QDir::Hidden | QDir::System);
    QString problems;
    for (const QString &name : names)
        if (!IdIn(name, kJournal).isEmpty())
            problems += ClearJournal(folder, name);
    for (const QString &name : names)
        if (!IdIn(name, kTemp).isEmpty())
            problems += ClearTemp(folder + u'/' + name);
    return problems;
}

} // namespace vexlo
