#pragma once

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QTimer>

#include <cstdint>

namespace vexlo {

class Workspace;

// Keeps the session's unsaved work in a recovery folder of its own inside
// the user's data folder: about 30 seconds after a change, and when
// the keeper's owner closes, so a crash or a killed process loses little and
// a closed window nothing. Each running Vexlo locks its own folder; a folder
// whose lock nobody holds is work left by a Vexlo that is gone, which the
// next start offers back once.
class RecoveryKeeper : public QObject {
    Q_OBJECT

public:
    static constexpr int kDelayMs = 30000;

    // `root` holds the recoveries of every Vexlo of this user; `delayMs`
    // after the first change not yet kept the work is kept.
    RecoveryKeeper(Workspace &workspace, QString root, QObject *parent = nullptr, int delayMs = kDelayMs);
    ~RecoveryKeeper() override;

    // The recovery folder in the user's data folder (…/Vexlo/recovery).
    static QString defaultRoot();

    // At the start: asks, for each recovery left by a Vexlo that is gone,
    // newest first, whether to restore it, until one is restored (true).
    // No deletes it; one that cannot be read is set aside with a message.
    bool offerLeftWork();

    // Writes the unsaved work now, or removes this session's recovery when
    // nothing is unsaved. Fails (vexlo::Failure) when the work cannot be
    // written; the timer's writes show no failure, as the next change or the
    // close tries again.
    void keep();

    // This session's recovery folder (there only while it holds work).
    QString folder() const;

private:
    void removeLocksLeftAlone();
    void setAside(const QString &folder);

    Workspace &workspace_;
    QString root_;
    QString name_;
    QLockFile lock_;
    QTimer timer_;
    std::uint64_t changes_ = 0;
    std::uint64_t kept_ = 0;
};

} // namespace vexlo
