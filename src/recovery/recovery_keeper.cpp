#include "recovery/recovery_keeper.h"

#include "common/failure.h"
#include "common/program_name.h"
#include "common/prompt.h"
#include "io/write_leftovers.h"
#include "model/workspace.h"
#include "recovery/recovery_files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>
#include <QSysInfo>
#include <QUuid>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace vexlo {
namespace {

const QString kSetAside = QStringLiteral("-unreadable");
// A lock names a process, an application and a machine: a few dozen bytes.
constexpr qint64 kMaxLockBytes = 512;

QString LockPath(const QString &folder)
{
    return folder + QStringLiteral(".lock");
}

// What stands where a recovery's lock would be. The locking code reads a
// lock whole and waits on a FIFO, so only a small regular file is given to
// it; anything else was not made by a Vexlo.
enum class LockKind { None, Sound, Folder, Foreign };

LockKind LockKindOf(const QString &path)
{
    struct stat status {};
    if (::lstat(QFile::encodeName(path).constData(), &status) != 0)
        return errno == ENOENT ? LockKind::None : LockKind::Foreign;
    if (S_ISDIR(status.st_mode))
        return LockKind::Folder;
    return S_ISREG(status.st_mode) && status.st_size <= kMaxLockBytes ? LockKind::Sound : LockKind::Foreign;
}

// After a lock could not be taken: whether a running Vexlo holds it, rather
// than the lock being impossible to make (a full or read-only disk, a folder
// in its place) or left by a process that is gone.
bool HeldByRunningVexlo(QLockFile &lock, LockKind kind)
{
    qint64 pid = 0;
    QString host;
    QString application;
    if (kind != LockKind::Sound || !lock.getLockInfo(&pid, &host, &application))
        return false;
    if (host != QSysInfo::machineHostName())
        return true; // another machine's: nothing here can tell it is gone
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

// A free name beside `path` for what is set aside.
QString AsideName(const QString &path)
{
    QString aside = path + kSetAside;
    for (int n = 2; QFileInfo::exists(aside) || QFileInfo(aside).isSymLink(); ++n)
        aside = path + kSetAside + QString::number(n);
    return aside;
}

void TellNotRemoved(const QString &folder)
{
    Prompt::current().message(Prompt::Icon::Exclamation, ProgramName(),
                              QStringLiteral("The unsaved work of an earlier Vexlo could not be removed from %1. "
                                             "It will be offered again at the next start.")
                                  .arg(QDir::toNativeSeparators(folder)));
}

// Whole or not at all: in a folder that cannot lose entries (read-only,
// say) the files inside could still go, leaving a recovery that is damaged.
void Remove(const QString &folder)
{
    const QByteArray parent = QFile::encodeName(QFileInfo(folder).absolutePath());
    if (::faccessat(AT_FDCWD, parent.constData(), W_OK | X_OK, AT_EACCESS) != 0 || !QDir(folder).removeRecursively())
        TellNotRemoved(folder);
}

} // namespace

RecoveryKeeper::RecoveryKeeper(Workspace &workspace, QString root, QObject *parent, int delayMs)
    : QObject(parent), workspace_(workspace), root_(std::move(root)),
      name_(QUuid::createUuid().toString(QUuid::WithoutBraces)), lock_(LockPath(folder()))
{
    QDir().mkpath(root_);
    lock_.setStaleLockTime(0); // a lock is stale only when its process is gone
    lock_.tryLock(0);
    timer_.setSingleShot(true);
    timer_.setInterval(delayMs);
    connect(&timer_, &QTimer::timeout, this, [this] {
        try {
            keep();
        } catch (const Failure &) {
            // shown by no box: the next change or the close tries again
        }
    });
    // Counted from the first change not yet kept, not the last: steady work
    // is kept too.
    connect(&workspace_, &Workspace::workChanged, this, [this] {
        ++changes_;
        if (!timer_.isActive())
            timer_.start();
    });
}

RecoveryKeeper::~RecoveryKeeper() = default;

QString RecoveryKeeper::defaultRoot()
{
    return QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation) + QStringLiteral("/recovery");
}

QString RecoveryKeeper::folder() const
{
    return QDir(root_).filePath(name_);
}

void RecoveryKeeper::keep()
{
    timer_.stop();
    if (!workspace_.unsaved()) {
        QDir(folder()).removeRecursively();
        return;
    }
    if (kept_ == changes_ && QDir(folder()).exists())
        return;
    if (!lock_.isLocked())
        lock_.tryLock(0); // it could not be made at the start (a full disk, say)
    try {
        WriteRecovery(folder(), TakeSnapshot(workspace_));
    } catch (const Failure &) {
        QDir(root_).rmdir(name_); // a first write that failed leaves no empty set behind
        throw;
    }
    kept_ = changes_;
}

void RecoveryKeeper::removeLocksLeftAlone()
{
    const QFileInfoList locks =
        QDir(root_).entryInfoList({QStringLiteral("*.lock")}, QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    for (const QFileInfo &lock : locks) {
        const QString owned = lock.absoluteFilePath().chopped(5);
        if (owned == folder() || QFileInfo::exists(owned))
            continue;
        if (LockKindOf(lock.absoluteFilePath()) != LockKind::Sound) {
            QFile::rename(lock.absoluteFilePath(), AsideName(lock.absoluteFilePath()));
            continue;
        }
        // A Vexlo killed before it kept anything: taking its stale lock
        // removes it when `stale` goes.
        QLockFile stale(lock.absoluteFilePath());
        stale.setStaleLockTime(0);
        stale.tryLock(0);
    }
}

bool RecoveryKeeper::offerLeftWork()
{
    removeLocksLeftAlone();
    const QFileInfoList found =
        // Newest first. A link is no recovery of ours: following it could
        // remove what it points to.
        QDir(root_).entryInfoList(QDir::Dirs | QDir::NoDotAndDotDot | QDir::NoSymLinks, QDir::Time);
    for (const QFileInfo &entry : found) {
        const QString path = entry.absoluteFilePath();
        if (entry.fileName() == name_ || entry.fileName().endsWith(kSetAside) || entry.fileName().endsWith(u".lock"))
            continue;
        const LockKind lockKind = LockKindOf(LockPath(path));
        if (lockKind == LockKind::Foreign) {
            QFile::rename(LockPath(path), AsideName(LockPath(path)));
            setAside(path);
            continue;
        }
        QLockFile owner(LockPath(path));
        owner.setStaleLockTime(0);
        const bool locked = lockKind != LockKind::Folder && owner.tryLock(0);
        if (!locked && HeldByRunningVexlo(owner, lockKind))
            continue; // a running Vexlo's
        ClearLeftovers(path); // a keeping cut short by a kill is put back to the last whole one
        if (!RecoveryLooksWhole(path)) {
            setAside(path);
            continue;
        }
        const Prompt::Reply reply = Prompt::current().ask(
            ProgramName(), QStringLiteral("Vexlo was closed with unsaved work. Restore it?"), Prompt::Answer::Yes);
        if (reply == Prompt::Reply::Dismissed)
            return false; // kept, and offered again at the next start
        if (reply == Prompt::Reply::No) {
            Remove(path);
            continue;
        }
        const std::optional<SessionSnapshot> snapshot = ReadRecovery(path);
        if (!snapshot) {
            setAside(path);
            continue;
        }
        RestoreSnapshot(workspace_, *snapshot);
        // This session's own copy first; the old one goes only once that is kept.
        try {
            keep();
            Remove(path);
        } catch (const Failure &) {
            TellNotRemoved(path); // the old copy stays: this session could not keep its own
        }
        return true;
    }
    return false;
}

void RecoveryKeeper::setAside(const QString &folder)
{
    const QString aside = AsideName(folder);
    const QString text = QDir().rename(folder, aside)
                             ? QStringLiteral("The unsaved work of an earlier Vexlo could not be read. "
                                              "It was set aside in %1.")
                                   .arg(QDir::toNativeSeparators(aside))
                             : QStringLiteral("The unsaved work of an earlier Vexlo in %1 could not be read.")
                                   .arg(QDir::toNativeSeparators(folder));
    Prompt::current().message(Prompt::Icon::Exclamation, ProgramName(), text);
}

} // namespace vexlo
