#pragma once

#include <QString>

#include <sys/types.h>
#include <vector>

namespace vexlo {

// What a write makes beside its targets has a hidden name of a fixed form,
// whatever the target is called, so that it fits beside any name and what
// a write cut short leaves is known for what it is: ".vexlo-ID.tmp" for a
// new content on its way, ".vexlo-ID.old" for the file it replaces while a
// write of several files places them, ".vexlo-ID.journal" for the list of
// such a write. ID is six letters or digits.

// "Cannot write PATH: REASON", the form of every failed write.
QString CannotWrite(const QString &path, const QString &reason);
QString Reason(int error);

// The user files are made and checked as.
uid_t FileUser();

// Where a temporary file is made in `folder` (for QTemporaryFile), and the
// ID of one made so; empty for a name of another form.
QString TempTemplate(const QString &folder);
QString TempId(const QString &tempPath);
// Whether no backup or journal of this ID is in the folder, so a write may
// take it.
bool IdFree(const QString &folder, const QString &id);

// One file of a write on its way into its target's place.
struct PlacedFile {
    QString shown;  // the target as messages name it
    QString folder; // the target's folder, named without links
    QString name;   // the target's name there
    QString id;
    // The new file (made as the temporary file) and the one it replaces (0
    // when there was none), kept as the backup until all are placed: only
    // these very files are ever renamed or removed under those names.
    dev_t device = 0;
    ino_t newInode = 0;
    ino_t oldInode = 0;

    bool hadOld() const { return oldInode != 0; }
    QString target() const;
    QString temp() const;
    QString backup() const;
};

// The list of a write of several files, with a copy in each of their
// folders, each locked (flock) while the write goes on: a later write finds
// it unlocked only when its writer is gone (see ClearLeftovers).
class Journal {
public:
    Journal() = default;
    ~Journal(); // unlocks; the copies stay unless removed
    Journal(const Journal &) = delete;
    Journal &operator=(const Journal &) = delete;

    // Empty, or why it could not be written ("Cannot write TARGET: REASON").
    // Unsynced only when the caller syncs it with the files' contents,
    // before any of them is placed.
    QString open(const std::vector<PlacedFile> &files, bool sync = true);
    // Each failure as "; PATH could not be removed: REASON".
    QString remove();

private:
    struct Copy {
        QString path;
        int fd;
    };
    std::vector<Copy> copies_;
};

// Puts back what a write of these files changed: a replaced file back
// under its name, a new one removed, and its temporary and backup files
// removed. Empty, or each thing it could not do as "; ...".
QString Undo(const std::vector<PlacedFile> &files);
// Removes the backups once every file is placed; failures as above.
QString RemoveBackups(const std::vector<PlacedFile> &files);

// Clears what writes cut short left in the folder: a write of several files
// whose writer is gone is undone (or finished, when every file of it was
// placed) and its journal removed; temporary files whose writer is gone
// are removed once a few seconds old (a younger one may be a write's of a
// moment ago that has not locked it yet). Leftovers of other users and of writes still at work are
// left alone. Failures as above.
QString ClearLeftovers(const QString &folder);

} // namespace vexlo
