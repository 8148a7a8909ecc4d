#include "recovery/recovery_keeper.h"

#include "common/failure.h"
#include "common/program_name.h"
#include "common/prompt.h"
#include "model/workspace.h"
#include "recovery/recovery_files.h"

#include <QDir>
#include <QStandardPaths>
#include <QUuid>

namespace vexlo {
namespace {

const QString kSetAside = QStringLiteral("-unreadable");

QString LockPath(const QString &folder)
{
    return folder + QStringLiteral(".lock");
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
        if (entry.fileName() == name_ || entry.fileName().endsWith(kSetAside))
            continue;
        QLockFile owner(LockPath(path));
        owner.setStaleLockTime(0);
        if (!owner.tryLock(0))
            continue; // a running Vexlo's
        if (!RecoveryLooksWhole(path)) {
            setAside(path);
            continue;
        }
        if (!Prompt::current().askYesNo(ProgramName(),
                                        QStringLiteral("Vexlo was closed with unsaved work. Restore it?"),
                                        Prompt::Answer::Yes)) {
            QDir(path).removeRecursively();
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
            QDir(path).removeRecursively();
        } catch (const Failure &) {
            // the old copy stays, to be offered again should this session end unkept
        }
        return true;
    }
    return false;
}

void RecoveryKeeper::setAside(const QString &folder)
{
    QString aside = folder + kSetAside;
    for (int n = 2; QFileInfo::exists(aside); ++n)
        aside = folder + kSetAside + QString::number(n);
    QDir().rename(folder, aside);
    Prompt::current().message(Prompt::Icon::Exclamation, ProgramName(),
                              QStringLiteral("The unsaved work of an earlier Vexlo could not be read. "
                                             "It was set aside in %1.")
                                  .arg(QDir::toNativeSeparators(aside)));
}

} // namespace vexlo
