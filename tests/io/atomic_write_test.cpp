// Writing files as one: all of them or none, a replaced file keeping its
// owner, group and mode, and devices and FIFOs written where they are. (A
// folder that refuses late is tried with vexlo-play's two outputs.)
#include "io/atomic_write.h"

#include "support/file_faults.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <ctime>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <thread>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace vexlo {
namespace {

constexpr uid_t kNobody = 65534;

struct stat StatusOf(const QString &path)
{
    struct stat status {};
    EXPECT_EQ(stat(QFile::encodeName(path).constData(), &status), 0) << path.toStdString();
    return status;
}

// Every name in the folder, hidden ones too.
QStringList Names(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
}

std::vector<FileContent> Contents(const QStringList &paths, const QByteArray &bytes)
{
    std::vector<FileContent> files;
    for (const QString &path : paths)
        files.push_back({path, [bytes](QIODevice &device) { return device.write(bytes) == bytes.size(); }});
    return files;
}

// The replace step fails from its `failAt`th call on, as a rename refused
// by a shared folder or a full directory would.
int g_replaceCalls = 0;
int g_failAt = 0;
int FailingReplace(const char *from, const char *to)
{
    if (++g_replaceCalls >= g_failAt) {
        errno = EPERM;
        return -1;
    }
    return std::rename(from, to);
}

// The process ends at the replace step's `g_failAt`th call, before or
// after that rename, as when a write is killed.
bool g_renameBeforeKill = false;
int KilledReplace(const char *from, const char *to)
{
    if (++g_replaceCalls == g_failAt) {
        if (g_renameBeforeKill)
            std::rename(from, to);
        _exit(9);
    }
    return std::rename(from, to);
}

// After its second rename, nothing can be removed from the folder named here.
QString g_lockedFolder;
std::optional<test::AppendOnlyFolder> g_appendOnly;
int AppendOnlyAfterReplace(const char *from, const char *to)
{
    const int result = std::rename(from, to);
    if (++g_replaceCalls == 2)
        g_appendOnly.emplace(g_lockedFolder);
    return result;
}

class FailingReplaceStep {
public:
    explicit FailingReplaceStep(int failAt, ReplaceStep step = &FailingReplace)
    {
        g_replaceCalls = 0;
        g_failAt = failAt;
        SetReplaceStepForTesting(step);
    }
    ~FailingReplaceStep() { SetReplaceStepForTesting(nullptr); }
};

TEST(WritingFilesAsOne, AReplaceRefusedLatePutsBackTheFilesAlreadyReplaced)
{
    test::TempFolder folder;
    folder.write(QStringLiteral("a.bmp"), "old a");
    folder.write(QStringLiteral("c.bmp"), "old c");
    const ino_t inodeA = StatusOf(folder.file(QStringLiteral("a.bmp"))).st_ino;
    const QStringList paths{folder.file(QStringLiteral("a.bmp")), folder.file(QStringLiteral("b.bmp")),
                            folder.file(QStringLiteral("c.bmp"))};
    {
        const FailingReplaceStep failing(3);
        EXPECT_EQ(test::FailureOf([&] { WriteFilesAtomically(Contents(paths, "new")); }),
                  QStringLiteral("Cannot write %1: Operation not permitted").arg(paths[2]));
    }
    EXPECT_EQ(folder.read(QStringLiteral("a.bmp")), "old a");
    EXPECT_EQ(StatusOf(paths[0]).st_ino, inodeA) << "the very file that was there, not a copy";
    EXPECT_EQ(folder.read(QStringLiteral("c.bmp")), "old c");
    EXPECT_EQ(Names(folder.path()), (QStringList{QStringLiteral("a.bmp"), QStringLiteral("c.bmp")}))
        << "the new file is gone again and no temporary or backup file is left";

    EXPECT_NO_THROW(WriteFilesAtomically(Contents(paths, "new")));
    for (const char *name : {"a.bmp", "b.bmp", "c.bmp"})
        EXPECT_EQ(folder.read(QString::fromLatin1(name)), "new");
    EXPECT_EQ(Names(folder.path()).size(), 3);
}

TEST(WritingFilesAsOne, AWriteKilledBetweenItsFilesIsPutBackOrFinishedByTheNextWriteThere)
{
    // The second file in a folder of its own too, which the next write goes to.
    const struct {
        int killAt;
        bool renamed;
        QByteArray kept;
        QString second;
        bool pairAgain = false; // the next write is the same pair's, not another file's
    } cases[] = {{1, false, "old", QStringLiteral("b.bmp")},
                 {2, false, "old", QStringLiteral("b.bmp")},
                 {2, true, "new", QStringLiteral("b.bmp")},
                 {2, false, "old", QStringLiteral("sub/b.bmp")},
                 {2, false, "again", QStringLiteral("b.bmp"), true}};
    for (const auto &c : cases) {
        test::TempFolder folder;
        QDir(folder.path()).mkdir(QStringLiteral("sub"));
        const QStringList paths{folder.file(QStringLiteral("a.bmp")), folder.file(c.second)};
        folder.write(QStringLiteral("a.bmp"), "old");
        folder.write(c.second, "old");
        const ino_t inodeA = StatusOf(paths[0]).st_ino;
        EXPECT_FALSE(test::InChildWithin(30000, [&] {
            const FailingReplaceStep killed(c.killAt, &KilledReplace);
            g_renameBeforeKill = c.renamed;
            WriteFilesAtomically(Contents(paths, "new"));
            return true;
        }));
        EXPECT_EQ(folder.read(QStringLiteral("a.bmp")), c.killAt == 2 ? "new" : "old") << "killed where meant";

        const QString next = QFileInfo(paths[1]).dir().filePath(QStringLiteral("c.bmp"));
        if (c.pairAgain)
            EXPECT_NO_THROW(WriteFilesAtomically(Contents(paths, "again")));
        else
            EXPECT_NO_THROW(WriteFileAtomically(next, QByteArray("c")));
        EXPECT_EQ(folder.read(QStringLiteral("a.bmp")), c.kept) << c.killAt;
        EXPECT_EQ(folder.read(c.second), c.kept) << c.killAt;
        if (c.kept == "old") {
            EXPECT_EQ(StatusOf(paths[0]).st_ino, inodeA) << "the very file that was there, not a copy";
        }
        QStringList left{QStringLiteral("a.bmp"), QStringLiteral("b.bmp")};
        if (!c.pairAgain)
            left << QStringLiteral("c.bmp");
        EXPECT_EQ(Names(folder.path()) + Names(folder.file(QStringLiteral("sub"))), left) << "no leftovers";
    }

    // A temporary file nobody holds: removed once it is old enough that its
    // writer cannot be about to lock it.
    test::TempFolder folder;
    folder.write(QStringLiteral(".vexlo-Stale0.tmp"), "x");
    folder.write(QStringLiteral(".vexlo-Fresh0.tmp"), "x");
    const struct timespec longAgo[2] = {{0, UTIME_OMIT}, {time(nullptr) - 120, 0}};
    utimensat(AT_FDCWD, QFile::encodeName(folder.file(QStringLiteral(".vexlo-Stale0.tmp"))).constData(), longAgo, 0);
    EXPECT_NO_THROW(WriteFileAtomically(folder.file(QStringLiteral("c.bmp")), QByteArray("c")));
    EXPECT_EQ(Names(folder.path()), (QStringList{QStringLiteral(".vexlo-Fresh0.tmp"), QStringLiteral("c.bmp")}));
}

// Only the replace step's `failAt`th call fails: one write of a group.
int FailingOnce(const char *from, const char *to)
{
    if (++g_replaceCalls == g_failAt) {
        errno = EPERM;
        return -1;
    }
    return std::rename(from, to);
}

// Three pairs prepared, then committed with one sync: a pair that cannot be
// placed is put back alone; a kill among them leaves each pair old or new,
// whole, once the next write in the folder has cleared up.
TEST(WritingFilesAsOne, AGroupOfWritesIsPlacedWriteByWrite)
{
    const struct {
        int failAt;  // the replace step's call that fails or is killed (pairs rename twice)
        bool killed;
        QByteArray kept[3];
    } cases[] = {{3, false, {"new", "old", "new"}},
                 {4, false, {"new", "old", "new"}},
                 {4, true, {"new", "old", "old"}},
                 {5, true, {"new", "new", "old"}}};
    for (const auto &c : cases) {
        test::TempFolder folder;
        std::vector<QStringList> pairs;
        for (const char *pair : {"a", "b", "c"}) {
            pairs.push_back({folder.file(QStringLiteral("%1l").arg(QLatin1String(pair))),
                             folder.file(QStringLiteral("%1r").arg(QLatin1String(pair)))});
            for (const QString &path : pairs.back())
                folder.write(QFileInfo(path).fileName(), "old");
        }
        auto commit = [&] {
            const FailingReplaceStep failing(c.failAt, c.killed ? &KilledReplace : &FailingOnce);
            g_renameBeforeKill = false;
            std::vector<PreparedWrite> writes;
            for (const QStringList &pair : pairs)
                writes.push_back(PrepareWrite(Contents(pair, "new")));
            return CommitWrites(writes);
        };
        if (c.killed) {
            EXPECT_FALSE(test::InChildWithin(30000, [&] { return commit().empty(); }));
            EXPECT_NO_THROW(WriteFileAtomically(folder.file(QStringLiteral("next")), QByteArray("x")));
        } else {
            const std::vector<QString> failures = commit();
            ASSERT_EQ(failures.size(), 3u);
            EXPECT_TRUE(failures[0].isEmpty() && failures[2].isEmpty());
            EXPECT_TRUE(failures[1].startsWith(QStringLiteral("Cannot write %1").arg(pairs[1][c.failAt - 3])))
                << failures[1].toStdString();
        }
        for (int pair = 0; pair < 3; ++pair)
            for (const QString &path : pairs[pair])
                EXPECT_EQ(folder.read(QFileInfo(path).fileName()), c.kept[pair]) << c.failAt << " " << pair;
    }
}

// As vexlo-play's threads prepare their jobs' writes, with one sweep of
// leftovers for the run: every new file takes the umask, none is open to all.
TEST(WritingFilesAsOne, NewFilesPreparedOnSeveralThreadsAtOnceTakeTheUmask)
{
    test::TempFolder folder;
    const mode_t before = umask(027);
    ClearedFolders cleared;
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < 100; ++i) {
                std::vector<PreparedWrite> writes;
                writes.push_back(PrepareWrite(Contents({folder.file(QStringLiteral("%1-%2").arg(t).arg(i))}, "new"),
                                              SpecialFiles::Refuse, &cleared));
                CommitWrites(writes);
            }
        });
    for (std::thread &thread : threads)
        thread.join();
    umask(before);
    const QStringList names = Names(folder.path());
    EXPECT_EQ(names.size(), 400);
    for (const QString &name : names)
        EXPECT_EQ(StatusOf(folder.file(name)).st_mode & 0777, 0640u) << name.toStdString();
}

TEST(WritingFilesAsOne, AClearUpThatFailsIsReportedAndTriedAgainByTheNextWriteThere)
{
    test::TempFolder folder;
    QDir(folder.path()).mkdir(QStringLiteral("sub"));
    const QStringList paths{folder.file(QStringLiteral("a.bmp")), folder.file(QStringLiteral("sub/b.bmp"))};
    folder.write(QStringLiteral("a.bmp"), "old");
    folder.write(QStringLiteral("sub/b.bmp"), "old");
    g_lockedFolder = folder.path();
    QString failure;
    {
        const FailingReplaceStep locking(0, &AppendOnlyAfterReplace);
        failure = test::FailureOf([&] { WriteFilesAtomically(Contents(paths, "new")); });
    }
    if (!g_appendOnly || !g_appendOnly->holds()) {
        g_appendOnly.reset();
        GTEST_SKIP() << "append-only folders need root and a file system that has them (ext4, xfs, btrfs)";
    }
    const QString backup = folder.file(
        QDir(folder.path()).entryList({QStringLiteral(".vexlo-*.old")}, QDir::Files | QDir::Hidden).value(0));
    EXPECT_EQ(failure, QStringLiteral("Cannot clear up after writing %1, %2; %3 could not be removed: Operation not "
                                      "permitted")
                           .arg(paths[0], paths[1], backup));
    EXPECT_EQ(folder.read(QStringLiteral("a.bmp")), "new");
    EXPECT_EQ(folder.read(QStringLiteral("sub/b.bmp")), "new");

    // From the other folder of the pair too.
    const QString c = folder.file(QStringLiteral("sub/c.bmp"));
    EXPECT_EQ(test::FailureOf([&] { WriteFileAtomically(c, QByteArray("c")); }),
              QStringLiteral("Cannot write %1: cannot clear up after an earlier write that was cut short; %2 could "
                             "not be removed: Operation not permitted")
                  .arg(c, backup));
    EXPECT_FALSE(QFile::exists(c));
    g_appendOnly.reset();
    EXPECT_NO_THROW(WriteFileAtomically(c, QByteArray("c")));
    EXPECT_EQ(Names(folder.path()) + Names(folder.file(QStringLiteral("sub"))),
              (QStringList{QStringLiteral("a.bmp"), QStringLiteral("b.bmp"), QStringLiteral("c.bmp")}));
}

TEST(WritingFilesAsOne, LinksAreWrittenThroughOrRefusedAndNamesOfAnyLegalLengthAreWritten)
{
    test::TempFolder folder;
    const QString longOld(250, u'o');
    const QString longNew(255, u'n');
    folder.write(QStringLiteral("sheet.bmp"), "old");
    folder.write(longOld, "old");
    ASSERT_TRUE(QFile::link(folder.file(QStringLiteral("sheet.bmp")), folder.file(QStringLiteral("link.bmp"))));
    ASSERT_TRUE(QFile::link(folder.file(QStringLiteral("gone.bmp")), folder.file(QStringLiteral("dangling.bmp"))));
    ASSERT_TRUE(QFile::link(folder.file(QStringLiteral("loop.bmp")), folder.file(QStringLiteral("loop.bmp"))));
    const struct {
        QString name;
        QString failure;
    } cases[] = {
        {QStringLiteral("link.bmp"), {}},
        {longOld, {}},
        {longNew, {}},
        {QStringLiteral("dangling.bmp"), QStringLiteral("Cannot write %1: it is a link to a file that does not exist")},
        {QStringLiteral("loop.bmp"), QStringLiteral("Cannot write %1: Too many levels of symbolic links")},
    };
    for (const auto &c : cases) {
        const QString path = folder.file(c.name);
        EXPECT_EQ(test::FailureOf([&] { WriteFileAtomically(path, QByteArray("new")); }),
                  c.failure.isEmpty() ? QString() : c.failure.arg(path))
            << c.name.toStdString();
    }
    for (const QString &name : {QStringLiteral("sheet.bmp"), longOld, longNew})
        EXPECT_EQ(folder.read(name), "new") << name.size();
    EXPECT_TRUE(QFileInfo(folder.file(QStringLiteral("dangling.bmp"))).isSymLink());
    EXPECT_TRUE(QFileInfo(folder.file(QStringLiteral("loop.bmp"))).isSymLink());
    EXPECT_EQ(Names(folder.path()), (QStringList{QStringLiteral("dangling.bmp"), QStringLiteral("link.bmp"),
                                                QStringLiteral("loop.bmp"), longNew, longOld,
                                                QStringLiteral("sheet.bmp")}))
        << "nothing made for a refused link, nothing left behind";
}

TEST(WritingFilesAsOne, ASharedFolderRefusingToReplaceAnotherUsersFileChangesNothing)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to give a file to another user";
    test::TempFolder folder;
    chmod(QFile::encodeName(folder.path()).constData(), 01777); // shared by all, as /tmp: sticky
    folder.write(QStringLiteral("mine.bmp"), "my old sheet");
    folder.write(QStringLiteral("theirs.bmp"), "their sheet");
    chmod(QFile::encodeName(folder.file(QStringLiteral("theirs.bmp"))).constData(), 0666); // writable, not replaceable
    folder.write(QStringLiteral("probe"), "root's alone");
    chmod(QFile::encodeName(folder.file(QStringLiteral("probe"))).constData(), 0600);
    if (chown(QFile::encodeName(folder.file(QStringLiteral("mine.bmp"))).constData(), kNobody, kNobody) != 0)
        GTEST_SKIP() << "user " << kNobody << " cannot own files here";
    QString failure;
    {
        const test::ActingAsOrdinaryUser me; // nobody, who owns mine.bmp but not theirs.bmp
        if (QFile(folder.file(QStringLiteral("probe"))).open(QIODevice::ReadWrite))
            GTEST_SKIP() << "acting as another user does not take here";
        failure = test::FailureOf([&] {
            WriteFilesAtomically(Contents(
                {folder.file(QStringLiteral("mine.bmp")), folder.file(QStringLiteral("theirs.bmp"))}, "new sheet"));
        });
    }
    QFile::remove(folder.file(QStringLiteral("probe")));
    EXPECT_EQ(failure, QStringLiteral("Cannot write %1: Operation not permitted")
                           .arg(folder.file(QStringLiteral("theirs.bmp"))));
    EXPECT_EQ(folder.read(QStringLiteral("mine.bmp")), "my old sheet");
    EXPECT_EQ(folder.read(QStringLiteral("theirs.bmp")), "their sheet");
    EXPECT_EQ(Names(folder.path()), (QStringList{QStringLiteral("mine.bmp"), QStringLiteral("theirs.bmp")}));
}

TEST(WritingFilesAsOne, AFileTheWriterMayNotWriteIsLeftAlone)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "needs root to give files to another user";
    test::TempFolder folder;
    const QString readOnly = folder.file(QStringLiteral("read-only.bmp"));
    const QString roots = folder.file(QStringLiteral("roots.bmp"));
    folder.write(QStringLiteral("read-only.bmp"), "kept");
    folder.write(QStringLiteral("roots.bmp"), "root's");
    chmod(QFile::encodeName(readOnly).constData(), 0444);
    // nobody's folder and read-only file, and root's file among them
    if (chown(QFile::encodeName(folder.path()).constData(), kNobody, kNobody) != 0
        || chown(QFile::encodeName(readOnly).constData(), kNobody, kNobody) != 0)
        GTEST_SKIP() << "user " << kNobody << " cannot own files here";
    const QString noFolder = folder.file(QStringLiteral("none/x.bmp"));
    QStringList failures;
    QStringList foreseen; // as a dry run tells them
    {
        const test::ActingAsOrdinaryUser nobody;
        for (const QString &path : {readOnly, roots, noFolder}) {
            failures << test::FailureOf([&] { WriteFileAtomically(path, QByteArray("new")); });
            foreseen << WriteProblem(path);
        }
    }
    EXPECT_EQ(failures, (QStringList{QStringLiteral("Cannot write %1: Permission denied").arg(readOnly),
                                     QStringLiteral("Cannot write %1: Permission denied").arg(roots),
                                     QStringLiteral("Cannot write %1: No such file or directory").arg(noFolder)}));
    EXPECT_EQ(foreseen, failures);
    EXPECT_EQ(folder.read(QStringLiteral("read-only.bmp")), "kept");
    EXPECT_EQ(StatusOf(roots).st_uid, 0u) << "not taken over";
    EXPECT_EQ(Names(folder.path()), (QStringList{QStringLiteral("read-only.bmp"), QStringLiteral("roots.bmp")}));
}

TEST(WritingFilesAsOne, AReplacedFileKeepsItsOwnerGroupAndModeAndALinkStaysALink)
{
    test::TempFolder folder;
    const QString path = folder.file(QStringLiteral("shared.INI"));
    folder.write(QStringLiteral("shared.INI"), "old");
    chmod(QFile::encodeName(path).constData(), 0640);
    const bool root = geteuid() == 0;
    if (root && chown(QFile::encodeName(path).constData(), kNobody, kNobody) != 0)
        GTEST_SKIP() << "user " << kNobody << " cannot own files here";
    ASSERT_TRUE(QFile::link(path, folder.file(QStringLiteral("link.INI"))));

    EXPECT_NO_THROW(WriteFileAtomically(folder.file(QStringLiteral("link.INI")), QByteArray("new")));
    EXPECT_EQ(folder.read(QStringLiteral("shared.INI")), "new");
    EXPECT_TRUE(QFileInfo(folder.file(QStringLiteral("link.INI"))).isSymLink());
    const struct stat after = StatusOf(path);
    EXPECT_EQ(after.st_mode & 07777, 0640u);
    if (root) {
        EXPECT_EQ(after.st_uid, kNobody) << "root's write took another user's file over";
        EXPECT_EQ(after.st_gid, kNobody);
    }

    const mode_t mask = umask(022);
    EXPECT_NO_THROW(WriteFileAtomically(folder.file(QStringLiteral("new.INI")), QByteArray("x")));
    umask(mask);
    EXPECT_EQ(StatusOf(folder.file(QStringLiteral("new.INI"))).st_mode & 07777, 0644u);
}

TEST(WritingFilesAsOne, DevicesAndFifosAreRefusedOrWrittenWhereTheyAreAndStayWhatTheyAre)
{
    test::TempFolder folder;
    const QString fifo = folder.file(QStringLiteral("out.fifo"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(fifo, folder.file(QStringLiteral("out.bmp"))));
    const auto write = [](const QString &path, const QByteArray &bytes) {
        return test::FailureOf([&] { WriteFileAtomically(path, bytes, SpecialFiles::Use); });
    };

    // The windows' way: refused before anything waits on it.
    EXPECT_EQ(test::FailureOf(
                  [&] { WriteFileAtomically(folder.file(QStringLiteral("out.bmp")), QByteArray("sheet")); }),
              QStringLiteral("%1 is not a regular file.").arg(folder.file(QStringLiteral("out.bmp"))));
    // Nobody reads it: a failure at once, not a wait.
    EXPECT_EQ(write(folder.file(QStringLiteral("out.bmp")), QByteArray("sheet")),
              QStringLiteral("Cannot write %1: nothing reads from it").arg(folder.file(QStringLiteral("out.bmp"))));

    QProcess reader;
    reader.start(QStringLiteral("cat"), {fifo});
    ASSERT_TRUE(reader.waitForStarted());
    QString failure;
    for (int tries = 0; tries < 100; ++tries) { // until cat has the FIFO open
        failure = write(folder.file(QStringLiteral("out.bmp")), QByteArray("sheet"));
        if (failure.isEmpty())
            break;
        usleep(20000);
    }
    EXPECT_EQ(failure, QString());
    ASSERT_TRUE(reader.waitForFinished());
    EXPECT_EQ(reader.readAllStandardOutput(), "sheet");
    EXPECT_TRUE(S_ISFIFO(StatusOf(fifo).st_mode));
    EXPECT_EQ(Names(folder.path()), (QStringList{QStringLiteral("out.bmp"), QStringLiteral("out.fifo")}));

    const QString null = folder.file(QStringLiteral("null"));
    if (mknod(QFile::encodeName(null).constData(), S_IFCHR | 0666, makedev(1, 3)) != 0)
        GTEST_SKIP() << "cannot make a device node here (needs root outside a restricted container)";
    EXPECT_EQ(write(null, QByteArray("thrown away")), QString());
    EXPECT_TRUE(S_ISCHR(StatusOf(null).st_mode));
}

} // namespace
} // namespace vexlo
