// Unsaved work kept on closing and on the timer, offered at the next start
// once, each running Vexlo keeping its own, and a damaged one set aside.
#include "model/tile_drop.h"
#include "model/workspace.h"
#include "io/atomic_write.h"
#include "recovery/recovery_files.h"
#include "recovery/recovery_keeper.h"
#include "support/file_faults.h"
#include "support/pixels.h"
#include "support/scripted_prompt.h"
#include "support/session_state.h"
#include "support/temp_folder.h"
#include "support/test_colours.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSysInfo>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace vexlo {
namespace {

using test::ScriptedPrompt;

// One run of Vexlo: its workspace and its keeper, over a shared data folder.
struct Session {
    explicit Session(const QString &root, int delayMs = RecoveryKeeper::kDelayMs)
        : keeper(workspace, root, nullptr, delayMs)
    {
    }

    // Work worth keeping: sheets, keys, scroll values and a macro of its own.
    void work(int seed)
    {
        workspace.setSheet(0, test::PatternSheet(seed, 96));
        workspace.setSheet(1, test::PatternSheet(seed + 1, 64 + 32 * seed));
        workspace.setKeyColours(1, Colour(seed, 2, 3), Colour(4, 5, seed));
        workspace.setScrollValue(0, 10 * seed);
        workspace.setMacroLines({QStringLiteral("Cls,%1").arg(seed)});
    }

    Workspace workspace;
    RecoveryKeeper keeper;
};

class Recovery : public ::testing::Test {
protected:
    QStringList folders() const
    {
        return QDir(root).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    }

    test::ScopedScriptedPrompt prompt;
    test::TempFolder data;
    QString root = data.file(QStringLiteral("recovery"));
};

TEST_F(Recovery, WorkKeptOnClosingIsOfferedAtTheNextStartAndRestoredExactly)
{
    test::SessionState left;
    {
        Session first(root);
        first.work(3);
        left = test::StateOf(first.workspace);
        first.keeper.keep(); // the close
    }
    ASSERT_EQ(folders().size(), 1);

    Session second(root);
    prompt->answerYesNo(true);
    EXPECT_TRUE(second.keeper.offerLeftWork());
    ASSERT_EQ(prompt->boxes().size(), 1);
    const ScriptedPrompt::Box &asked = prompt->boxes()[0];
    EXPECT_EQ(asked.icon, ScriptedPrompt::Icon::Question);
    EXPECT_EQ(asked.title, QStringLiteral("Vexlo"));
    EXPECT_EQ(asked.text, QStringLiteral("Vexlo was closed with unsaved work. Restore it?"));
    EXPECT_EQ(asked.byDefault, Prompt::Answer::Yes);

    left.buffers = test::StateOf(second.workspace).buffers; // buffers are no work to keep
    EXPECT_TRUE(test::SameState(test::StateOf(second.workspace), left));
    EXPECT_TRUE(second.workspace.unsaved()) << "still unsaved, so closing again keeps it";
    EXPECT_FALSE(second.workspace.undoStack().canUndo()) << "no undo step";
    EXPECT_EQ(folders(), QStringList{QDir(second.keeper.folder()).dirName()}) << "now this run's own";

    Session third(root);
    EXPECT_FALSE(third.keeper.offerLeftWork()) << "the second run owns it while it runs";
    EXPECT_EQ(prompt->boxes().size(), 1);
}

TEST_F(Recovery, NoDeletesItAndNothingIsKeptAfterSaving)
{
    {
        Session first(root);
        first.work(1);
        first.keeper.keep();
    }
    Session second(root);
    prompt->answerYesNo(false);
    EXPECT_FALSE(second.keeper.offerLeftWork());
    EXPECT_TRUE(folders().isEmpty()) << "No deletes it";
    second.work(2);
    second.keeper.keep();
    EXPECT_EQ(folders().size(), 1);
    second.workspace.markPaneSaved(0);
    second.workspace.markPaneSaved(1);
    second.workspace.markMacroSaved();
    second.keeper.keep(); // closing after saving
    EXPECT_TRUE(folders().isEmpty());
}

TEST_F(Recovery, TheTimerKeepsTheWorkSoonAfterAChangeAlsoWhileTheUserGoesOnWorking)
{
    Session run(root, 100);
    run.work(4);
    EXPECT_TRUE(folders().isEmpty()) << "not at once";
    // Changes far more often than the delay: kept all the same.
    for (int i = 0; i < 250 && folders().isEmpty(); ++i) {
        run.workspace.setScrollValue(0, i % 7);
        run.workspace.setKeyColours(0, Colour(i % 256, 0, 0), kBlack);
        QTest::qWait(20);
    }
    EXPECT_FALSE(folders().isEmpty());
    const std::optional<SessionSnapshot> kept = ReadRecovery(run.keeper.folder());
    ASSERT_TRUE(kept.has_value());
    EXPECT_TRUE(test::SamePixels(kept->sheets[1], run.workspace.sheet(1)));

    // A crash now: the folder stays, and a later start can have it once the
    // lock is gone with the process.
    Session other(root);
    EXPECT_FALSE(other.keeper.offerLeftWork()) << "the first run still holds it";
}

TEST_F(Recovery, TwoRunsKeepTheirOwnAndARunThatIsGoneIsOfferedOnce)
{
    auto a = std::make_unique<Session>(root);
    auto b = std::make_unique<Session>(root);
    a->work(1);
    b->work(2);
    a->keeper.keep();
    b->keeper.keep();
    EXPECT_EQ(folders().size(), 2);
    const auto bState = test::StateOf(b->workspace);
    b.reset(); // b closes; a goes on

    Session c(root);
    prompt->answerYesNo(true);
    EXPECT_TRUE(c.keeper.offerLeftWork());
    EXPECT_EQ(prompt->boxes().size(), 1) << "a's is not offered while a runs";
    EXPECT_TRUE(test::SamePixels(c.workspace.sheet(1), bState.sheets[1]));
    EXPECT_TRUE(QDir(a->keeper.folder()).exists());
}

TEST_F(Recovery, AFolderWhoseLockNamesAProcessThatIsGoneIsOffered)
{
    QString folder;
    {
        Session gone(root);
        gone.work(5);
        gone.keeper.keep();
        folder = gone.keeper.folder();
    }
    // The lock a killed Vexlo leaves behind names a process that has ended.
    QProcess ended;
    ended.start(QStringLiteral("true"), {});
    ASSERT_TRUE(ended.waitForStarted());
    const QByteArray pid = QByteArray::number(ended.processId());
    ASSERT_TRUE(ended.waitForFinished());
    const QString killedEarly = QDir(root).filePath(QStringLiteral("killed-before-keeping"));
    for (const QString &owned : {folder, killedEarly}) {
        QFile lock(owned + QStringLiteral(".lock"));
        ASSERT_TRUE(lock.open(QIODevice::WriteOnly));
        lock.write(pid + "\nvexlo\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    }

    Session next(root);
    prompt->answerYesNo(false);
    EXPECT_FALSE(next.keeper.offerLeftWork());
    EXPECT_EQ(prompt->boxes().size(), 1) << "offered";
    EXPECT_FALSE(QFileInfo::exists(killedEarly + QStringLiteral(".lock"))) << "a lock with nothing kept is cleared";
    EXPECT_TRUE(QFileInfo::exists(next.keeper.folder() + QStringLiteral(".lock"))) << "its own stays";
}

TEST_F(Recovery, ALinkAmongTheRecoveriesIsNeitherOfferedNorFollowed)
{
    test::TempFolder elsewhere;
    const QString target = elsewhere.file(QStringLiteral("set"));
    {
        Session first(root);
        first.work(7);
        first.keeper.keep();
        ASSERT_TRUE(QDir().rename(first.keeper.folder(), target));
    }
    QFile precious(target + QStringLiteral("/precious.txt"));
    ASSERT_TRUE(precious.open(QIODevice::WriteOnly));
    precious.close();
    ASSERT_TRUE(QFile::link(target, QDir(root).filePath(QStringLiteral("linked"))));

    Session next(root);
    prompt->answerYesNo(false);
    EXPECT_FALSE(next.keeper.offerLeftWork());
    EXPECT_TRUE(prompt->boxes().isEmpty());
    EXPECT_TRUE(precious.exists());
    EXPECT_TRUE(RecoveryLooksWhole(target));
}

TEST_F(Recovery, ADamagedRecoveryIsSetAsideWithAMessageNamingItsFolder)
{
    {
        Session first(root);
        first.work(6);
        first.keeper.keep();
    }
    const QString folder = QDir(root).filePath(folders().first());
    ASSERT_TRUE(QFile(folder + QStringLiteral("/right.bmp")).resize(100));

    Session next(root);
    EXPECT_FALSE(next.keeper.offerLeftWork());
    ASSERT_EQ(prompt->boxes().size(), 1) << "a message, no question";
    const ScriptedPrompt::Box &told = prompt->boxes()[0];
    EXPECT_EQ(told.icon, ScriptedPrompt::Icon::Exclamation);
    EXPECT_EQ(told.title, QStringLiteral("Vexlo"));
    EXPECT_TRUE(told.text.contains(QDir::toNativeSeparators(folder + QStringLiteral("-unreadable"))))
        << told.text.toStdString();
    EXPECT_TRUE(QDir(folder + QStringLiteral("-unreadable")).exists());

    Session later(root);
    EXPECT_FALSE(later.keeper.offerLeftWork());
    EXPECT_EQ(prompt->boxes().size(), 1) << "set aside, not offered again";
}

TEST_F(Recovery, AQuestionClosedUnansweredKeepsEveryRecoveryForTheNextStart)
{
    for (int seed : {1, 2}) {
        Session gone(root);
        gone.work(seed);
        gone.keeper.keep();
    }
    {
        Session next(root);
        prompt->dismissNextQuestion(); // its close box, Escape or a logout's signal
        EXPECT_FALSE(next.keeper.offerLeftWork());
        EXPECT_EQ(prompt->boxes().size(), 1) << "the second is not asked about either";
        EXPECT_EQ(folders().size(), 2) << "nothing deleted";
    }
    Session later(root);
    prompt->answerYesNo(true);
    EXPECT_TRUE(later.keeper.offerLeftWork()) << "offered again";
}

// A keeping killed between its renames: some files new, some old.
int g_renames = 0;
int KilledAtSecondRename(const char *from, const char *to)
{
    if (++g_renames == 2)
        _exit(9);
    return std::rename(from, to);
}

TEST_F(Recovery, AKeepingKilledHalfWayIsOfferedAsItWasBefore)
{
    test::SessionState before;
    EXPECT_FALSE(test::InChildWithin(30000, [&] {
        Session killed(root);
        killed.work(2);
        killed.keeper.keep();
        killed.work(5);
        SetReplaceStepForTesting(&KilledAtSecondRename);
        killed.keeper.keep();
        return true;
    }));
    test::TempFolder elsewhere;
    Session sameWork(elsewhere.path());
    sameWork.work(2);
    before = test::StateOf(sameWork.workspace);

    Session next(root);
    prompt->answerYesNo(true);
    EXPECT_TRUE(next.keeper.offerLeftWork()) << prompt->texts().join(u'\n').toStdString();
    before.buffers = test::StateOf(next.workspace).buffers;
    EXPECT_TRUE(test::SameState(test::StateOf(next.workspace), before)) << "the last whole keeping";
}

// Whatever stands where a recovery's lock would be, the start neither waits
// nor reads without end; work no running Vexlo holds is offered or set aside.
TEST_F(Recovery, HostileLocksAndFoldersNeitherHoldTheStartNorHideTheWork)
{
    enum class Outcome { SetAside, Offered, NotOffered, OfferedButNotRemoved };
    struct Row {
        const char *lock;
        std::function<void(const QString &lock)> make;
        bool readOnlyRoot;
        Outcome outcome;
    };
    const QByteArray running = QByteArray::number(::getpid()) + "\nvexlo\n" + QSysInfo::machineHostName().toUtf8() + '\n';
    const Row rows[] = {
        {"a FIFO", [](const QString &lock) { ::mkfifo(QFile::encodeName(lock).constData(), 0600); }, false,
         Outcome::SetAside},
        {"a link to /dev/zero", [](const QString &lock) { QFile::link(QStringLiteral("/dev/zero"), lock); }, false,
         Outcome::SetAside},
        {"a sparse 2 GB file", [](const QString &lock) {
             QFile file(lock);
             file.open(QIODevice::WriteOnly);
             file.resize(qint64(2) << 30);
         },
         false, Outcome::SetAside},
        {"a folder", [](const QString &lock) { QDir().mkdir(lock); }, false, Outcome::Offered},
        {"none, in a read-only folder", [](const QString &) {}, true, Outcome::OfferedButNotRemoved},
        {"a running Vexlo's, in a read-only folder",
         [&running](const QString &lock) {
             QFile file(lock);
             file.open(QIODevice::WriteOnly);
             file.write(running);
         },
         true, Outcome::NotOffered},
    };
    for (const Row &row : rows) {
        SCOPED_TRACE(row.lock);
        test::TempFolder fresh;
        const QString where = fresh.path(); // reachable by an ordinary user
        QString folder;
        {
            Session gone(where);
            gone.work(3);
            gone.keeper.keep();
            folder = gone.keeper.folder();
        }
        row.make(folder + QStringLiteral(".lock"));
        const bool asExpected = test::InChildUnderMemoryLimit(qint64(256) << 20, [&] {
            std::optional<test::ReadOnlyFolder> readOnly;
            if (row.readOnlyRoot)
                readOnly.emplace(where);
            Session next(where);
            prompt->answerYesNo(false);
            next.keeper.offerLeftWork();
            const QStringList told = prompt->texts();
            const bool asked = told.contains(QStringLiteral("Vexlo was closed with unsaved work. Restore it?"));
            switch (row.outcome) {
            case Outcome::SetAside:
                return !asked && QDir(folder + QStringLiteral("-unreadable")).exists()
                       && told.last().contains(QStringLiteral("set aside"));
            case Outcome::Offered:
                return asked && !QDir(folder).exists() && told.size() == 1;
            case Outcome::NotOffered:
                return !asked && QDir(folder).exists();
            case Outcome::OfferedButNotRemoved:
                return asked && QDir(folder).exists() && told.last().contains(QStringLiteral("could not be removed"));
            }
            return false;
        }, 20000);
        EXPECT_TRUE(asExpected);
    }
}

} // namespace
} // namespace vexlo
