#pragma once

#include "io/special_files.h"

#include <QByteArray>
#include <QString>

#include <chrono>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <vector>

class QIODevice;

namespace vexlo {

// Every file the program writes goes through here: the content goes to a
// temporary file beside the target, which replaces the target only when it
// is complete, so a failed write leaves what was there before. A replaced
// file keeps its owner, group and mode. A symbolic link is never replaced:
// the file it names is, and a link to nothing or a loop of links is refused
// ("Cannot write PATH: it is a link to a file that does not exist", or the
// system's reason). A file the writer may not write (read-only, or
// another's in a shared sticky folder) is left alone: a failure. A target
// that exists and is not a regular file (a device such as /dev/null, a FIFO)
// is refused as "PATH is not a regular file.", or with SpecialFiles::Use
// written directly instead, since replacing it would destroy it; a FIFO
// that nobody reads is then a failure, not a wait.
// The files made beside a target have short hidden names of their own
// (".vexlo-ID.tmp" and so on), so any name the target may have can be
// written. What a write cut short left in a target's folder is cleared
// before anything else is written there (see write_leftovers.h).
// `write` puts the content into the device and says whether that worked.
// A write that cannot be done fails (vexlo::Failure) with a description,
// "Cannot write PATH: REASON".
void WriteFileAtomically(const QString &path, const std::function<bool(QIODevice &)> &write,
                         SpecialFiles special = SpecialFiles::Refuse);
void WriteFileAtomically(const QString &path, const QByteArray &bytes, SpecialFiles special = SpecialFiles::Refuse);

struct FileContent {
    QString path;
    std::function<bool(QIODevice &)> write;
};

// Several files as one: every content is completed beside its target before
// any target is replaced, and a target already replaced is put back when a
// later one cannot be (its old file is kept under a backup name in the same
// folder until all are in place). So when this fails, no regular file has
// changed and no temporary or backup file is left behind. A write ended
// between two files (killed) is put back by the next write to their
// folders. When every file is in place but the backups or the journal
// cannot be removed, that fails too: "Cannot clear up after writing PATHS;
// ...".
void WriteFilesAtomically(const std::vector<FileContent> &files, SpecialFiles special = SpecialFiles::Refuse);

// The folders a run of many writes has cleared of what earlier writes cut
// short left there. A write clears its folders first; in one run it is
// enough to do so before the run's first write to each and then every few
// seconds: what is left there meanwhile belongs to writers still at work,
// and rescanning a folder full of the run's own files for every write costs
// more than the write. Shared by the threads of the run.
class ClearedFolders {
public:
    // Clears `folder` unless this run did so a moment ago; the problems, as
    // ClearLeftovers says them, leave it to be tried again.
    QString clear(const QString &folder);

private:
    std::mutex mutex_;
    std::map<QString, std::chrono::steady_clock::time_point> cleared_;
};

// A write of several files as one, as WriteFilesAtomically makes it, in two
// steps so that many such writes share their syncs: every content completed
// beside its target first, then one sync, then the renames. A kill at any
// moment leaves each target its old file or its new one, whole.
class PreparedWrite {
public:
    PreparedWrite();
    ~PreparedWrite(); // a write never committed leaves its targets as they were
    PreparedWrite(PreparedWrite &&) noexcept;
    PreparedWrite &operator=(PreparedWrite &&) noexcept;

    struct Parts;

private:
    friend PreparedWrite PrepareWrite(const std::vector<FileContent> &, SpecialFiles, ClearedFolders *);
    friend std::vector<QString> CommitWrites(std::vector<PreparedWrite> &);
    std::unique_ptr<Parts> parts_;
};

// Completes every file beside its target, not yet synced; a device or a
// FIFO is written at once. Fails (vexlo::Failure) as WriteFilesAtomically
// does, with no regular file changed. The folders are cleared as
// `cleared` says, or before this write when there is none.
PreparedWrite PrepareWrite(const std::vector<FileContent> &files, SpecialFiles special = SpecialFiles::Refuse,
                           ClearedFolders *cleared = nullptr);

// Syncs the contents of all the writes once for each file system they are
// on, then places each write's files, then syncs their folders: each
// write's failure (as WriteFilesAtomically's), in order, empty for one
// whose files are all in place and on the disk.
std::vector<QString> CommitWrites(std::vector<PreparedWrite> &writes);

// Why a write to `path` would be refused or could not begin (a missing or
// read-only folder), as the write would say it; empty when it may go ahead.
// Writes nothing: for a dry run.
QString WriteProblem(const QString &path, SpecialFiles special = SpecialFiles::Refuse);

// The step that puts a completed file in its target's place, rename(2)
// unless a test replaces it to make it fail; nullptr restores it.
using ReplaceStep = int (*)(const char *from, const char *to);
void SetReplaceStepForTesting(ReplaceStep step);

} // namespace vexlo
