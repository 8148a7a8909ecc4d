#pragma once

#include <QString>

#include <functional>
#include <optional>

namespace vexlo::test {

// File access is checked as for an ordinary user for the object's lifetime,
// also when the tests run as root, whom permissions do not stop otherwise
// (Linux: the file system user of this thread changes, nothing else).
class ActingAsOrdinaryUser {
public:
    ActingAsOrdinaryUser();
    ~ActingAsOrdinaryUser();
    ActingAsOrdinaryUser(const ActingAsOrdinaryUser &) = delete;
    ActingAsOrdinaryUser &operator=(const ActingAsOrdinaryUser &) = delete;

private:
    bool root_;
};

// A folder whose files may be read but which no file may be added to,
// removed from or renamed in, for the object's lifetime; its files keep
// their own permissions.
class ReadOnlyFolder {
public:
    explicit ReadOnlyFolder(const QString &path);
    ~ReadOnlyFolder();
    ReadOnlyFolder(const ReadOnlyFolder &) = delete;
    ReadOnlyFolder &operator=(const ReadOnlyFolder &) = delete;

    // False when a file can still be made there, so a test of it means nothing.
    bool holds() const;

private:
    QString path_;
    std::optional<ActingAsOrdinaryUser> ordinary_;
};

// A folder to which files can be added but in which none can be renamed
// or removed, for the object's lifetime (needs root and a file system with
// the append-only flag).
class AppendOnlyFolder {
public:
    explicit AppendOnlyFolder(const QString &path);
    ~AppendOnlyFolder();
    AppendOnlyFolder(const AppendOnlyFolder &) = delete;
    AppendOnlyFolder &operator=(const AppendOnlyFolder &) = delete;

    // False when the flag could not be set, so a test of it means nothing.
    bool holds() const { return holds_; }

private:
    int fd_;
    bool holds_ = false;
};

// Runs `body` in a child process in which no file may grow past `bytes` (a
// write beyond fails with "File too large" instead of ending the process),
// as when a disk fills up half-way; the limit holds for root too. True when
// `body` returned true. What `body` changes in memory stays in the child.
bool InChildUnderFileSizeLimit(qint64 bytes, const std::function<bool()> &body);

// Runs `body` in a child process whose address space may grow by at most
// `extraBytes` beyond what it holds at the start, as under `ulimit -v`.
// True when `body` returned true; false also when the child crashed or had
// not ended after `timeoutMs` (then it is killed): a hang is a failure too.
bool InChildUnderMemoryLimit(qint64 extraBytes, const std::function<bool()> &body, int timeoutMs = 30000);

// Runs `body` in a child process: true when it returned true within
// `timeoutMs`, so a call that would never come back fails the test instead
// of holding it.
bool InChildWithin(int timeoutMs, const std::function<bool()> &body);

// The description of the vexlo::Failure that `action` raised; empty when none.
QString FailureOf(const std::function<void()> &action);

} // namespace vexlo::test
