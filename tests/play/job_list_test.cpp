// vexlo-play --jobs: the job list, many pairs played at once, and kills.
#include "io/sheet_writer.h"
#include "play/job_list.h"
#include "play_support.h"

#include <QDir>
#include <QFile>

#include <csignal>
#include <random>
#include <string_view>
#include <thread>

#include <sys/stat.h>

#include <gtest/gtest.h>

namespace vexlo {
namespace {

using namespace std::string_view_literals;

TEST(JobList, LinesAreReadOrRefusedNamingTheLine)
{
    const struct {
        std::string_view text;
        int jobs;            // -1: refused
        const char *problem; // part of the refusal
        bool keysToAlpha = false;
    } cases[] = {
        {"a\tb\tc\td\n", 1, ""},
        {"a\tb\t\t\n# x\ty\n\n   \r\nc\td\te\t\tmap.csv\r\n", 2, ""},
        {"a\tb\tc\n", -1, "line 1: 3 tab-separated fields"},
        {"\n\na b c d\n", -1, "line 3: 1 tab-separated fields"},
        {"a\tb\tc\td\tm\tx\n", -1, "6 tab-separated fields"},
        {"\tb\tc\td\n", -1, "both the left and the right sheet"},
        {"a\tb\tc\td\n# same output\ne\tf\tc\t\n", -1, "line 3 writes c, which line 1 writes too"},
        {"a\tb\tc\tc\n", -1, "line 1 writes c twice"},
        {"a\tb\tc\td\te\nf\tg\th\te\n", -1, "line 2 writes e, which line 1 writes too"},
        {"a\tb\ta\tb\n", 1, ""}, // in place
        {"a\tb\tc\td\nc\tx\ty\tz\n", -1, "line 2 reads c, which line 1 writes"},
        {"a\tb\t/dev/null\t/dev/null\nc\td\t/dev/null\t\n", 2, ""},
        {"a\tb\tc\xff\td\n", -1, "not valid UTF-8"},
        {"a\tb\tc\0x.bmp\td\n"sv, -1, "line 1: a NUL byte"},
        {"\xEF\xBB\xBF# a byte order mark\na\tb\tc\td\n\xEF\xBB\xBF" "e\tf\tg\th\n", 2, ""},
        {"a\tb\tc.PNG\t\tm.csv\n", 1, "", true},
        {"a\tb\tc.png\td.bmp\n", -1, "--keys-to-alpha writes PNG files only, and d.bmp", true},
    };
    for (const auto &c : cases) {
        QString problem;
        const auto jobs = ParseJobList(QByteArray(c.text.data(), c.text.size()), problem, c.keysToAlpha);
        EXPECT_EQ(jobs ? int(jobs->size()) : -1, c.jobs) << c.text;
        EXPECT_TRUE(problem.contains(QString::fromUtf8(c.problem))) << c.text << " -> " << problem.toStdString();
    }
    QString problem;
    const auto jobs = ParseJobList("# x\n\nl.bmp\tr.bmp\tol.bmp\t\tmap.csv\n", problem);
    ASSERT_TRUE(jobs);
    EXPECT_EQ(jobs->at(0).line, 3);
    EXPECT_EQ(jobs->at(0).outRight, QString());
    EXPECT_EQ(jobs->at(0).remap, QStringLiteral("map.csv"));
}

class Jobs : public ::testing::Test {
protected:
    static constexpr int kPairs = 24;

    void SetUp() override
    {
        // Every fifth left sheet is shorter than the macro reaches.
        for (int i = 0; i < kPairs; ++i) {
            WriteSheetFile(test::PatternSheet(2 * i + 1, i % 5 ? 256 : 128), folder.file(Name("l", i)));
            WriteSheetFile(test::PatternSheet(2 * i + 2, 256), folder.file(Name("r", i)));
        }
        folder.write(QStringLiteral("m.vmi"), "Get,0,0,2,5\r\nPut,1,0,0,1,-1\r\nGet,1,1,3,7\r\nPut,0,1,4,2,0\r\n");
    }

    static QString Name(const char *kind, int i) { return QStringLiteral("%1%2.bmp").arg(QLatin1String(kind)).arg(i); }

    // Each pair written under names starting with `out` beside its sheets,
    // the second job's remap table as OUT.csv.
    QByteArray jobList(const char *out) const
    {
        QByteArray list = "# left\tright\tout-left\tout-right\n";
        for (int i = 0; i < kPairs; ++i)
            list += QStringLiteral("%1\t%2\t%3\t%4%5\n")
                        .arg(Name("l", i), Name("r", i), Name(out, i), Name(QByteArray(out).append('r'), i),
                             i == 1 ? QStringLiteral("\t%1.csv").arg(QLatin1String(out)) : QString())
                        .toUtf8();
        return list;
    }

    test::PlayRun jobs(const QByteArray &list, QStringList options) const
    {
        folder.write(QStringLiteral("jobs.txt"), list);
        return test::RunVexloPlay(QStringList{QStringLiteral("m.vmi"), QStringLiteral("--jobs"), QStringLiteral("jobs.txt")}
                                      + options,
                                  folder.path());
    }

    test::TempFolder folder;
};

TEST_F(Jobs, ThreadsWriteWhatSingleRunsWriteAndAFailingJobStopsNoOther)
{
    for (int i = 0; i < kPairs; ++i) {
        const test::PlayRun single = test::RunVexloPlay(
            {QStringLiteral("m.vmi"), QStringLiteral("--left"), Name("l", i), QStringLiteral("--right"), Name("r", i),
             QStringLiteral("--out-left"), Name("s", i), QStringLiteral("--out-right"), Name("sr", i),
             QStringLiteral("--remap"), QStringLiteral("s%1.csv").arg(i)},
            folder.path());
        ASSERT_EQ(single.exitCode, 0) << single.err.toStdString();
    }
    const test::PlayRun four = jobs(jobList("p"), {QStringLiteral("--threads"), QStringLiteral("4")});
    EXPECT_EQ(four.exitCode, 0) << four.err.toStdString();
    EXPECT_TRUE(four.err.endsWith(QStringLiteral("24 jobs: 24 written, 0 failed\n")));
    EXPECT_TRUE(four.err.contains(QStringLiteral("vexlo-play: job 2: 1 line reaches beyond the left sheet\n")));
    for (int i = 0; i < kPairs; ++i) {
        EXPECT_EQ(folder.read(Name("p", i)), folder.read(Name("s", i))) << i;
        EXPECT_EQ(folder.read(Name("pr", i)), folder.read(Name("sr", i))) << i;
    }
    EXPECT_EQ(folder.read(QStringLiteral("p.csv")), folder.read(QStringLiteral("s1.csv")));
    EXPECT_FALSE(folder.read(QStringLiteral("p.csv")).isEmpty());

    // A missing sheet among good jobs; --strict refuses the short sheets too.
    QFile::remove(folder.file(Name("r", 3)));
    const test::PlayRun strict = jobs(jobList("q"), {QStringLiteral("--strict")});
    EXPECT_EQ(strict.exitCode, 1);
    EXPECT_TRUE(strict.err.contains(QStringLiteral("vexlo-play: job 5 (l3.bmp): Cannot read r3.bmp: No such file")));
    EXPECT_TRUE(strict.err.contains(
        QStringLiteral("vexlo-play: job 7 (l5.bmp): 1 line reaches beyond the left sheet (--strict)\n")));
    EXPECT_TRUE(strict.err.endsWith(QStringLiteral("24 jobs: 18 written, 6 failed\n"))) << strict.err.toStdString();
    EXPECT_FALSE(QFile::exists(folder.file(Name("q", 5))));
    EXPECT_EQ(folder.read(Name("q", 4)), folder.read(Name("s", 4)));

    const test::PlayRun dry = jobs(jobList("d"), {QStringLiteral("--dry-run")});
    EXPECT_EQ(dry.exitCode, 1);
    EXPECT_TRUE(dry.out.startsWith(QStringLiteral("job 2 (l0.bmp): 1 tile of the left sheet and 1 of the right would change\n")))
        << dry.out.toStdString();
    EXPECT_FALSE(QFile::exists(folder.file(Name("d", 1))));
    const test::PlayRun dryMissing = jobs("l0.bmp\tr0.bmp\tnone/x.bmp\t\n", {QStringLiteral("--dry-run")});
    EXPECT_TRUE(dryMissing.err.contains(QStringLiteral("vexlo-play: job 1 (l0.bmp): Cannot write none/x.bmp: No such file")))
        << dryMissing.err.toStdString();

    const test::PlayRun missing = test::RunVexloPlay(
        {QStringLiteral("m.vmi"), QStringLiteral("--jobs"), QStringLiteral("none.txt")}, folder.path());
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_EQ(missing.err, QStringLiteral("vexlo-play: Cannot read none.txt: No such file or directory\n"));

    const test::PlayRun unreadable = jobs("x\ty\n", {});
    EXPECT_EQ(unreadable.exitCode, 2);
    EXPECT_EQ(unreadable.err, QStringLiteral("vexlo-play: job list jobs.txt: line 1: 2 tab-separated fields, not 4 or 5 "
                                             "(LEFT RIGHT OUT-LEFT OUT-RIGHT [REMAP])\n"));
}

// Stopped (SIGTERM) while its second job reads a pipe, a run plays that job
// to its end, writes what it played, starts no other and leaves nothing else.
TEST_F(Jobs, AStoppedRunWritesThePlayedJobsAndNoOther)
{
    const QString pipe = folder.file(QStringLiteral("pipe.bmp"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(pipe).constData(), 0600), 0);
    QByteArray list = jobList("t");
    list.replace("l1.bmp\t", "pipe.bmp\t");
    folder.write(QStringLiteral("jobs.txt"), list);
    QProcess process;
    process.setWorkingDirectory(folder.path());
    process.start(QStringLiteral(VEXLO_PLAY_BINARY), {QStringLiteral("m.vmi"), QStringLiteral("--jobs"),
                                                       QStringLiteral("jobs.txt"), QStringLiteral("--threads"),
                                                       QStringLiteral("1")});
    QFile writer(pipe);
    ASSERT_TRUE(writer.open(QIODevice::WriteOnly)); // once the job opens it
    ::kill(pid_t(process.processId()), SIGTERM);
    writer.write(folder.read(Name("l", 1)));
    writer.close();
    ASSERT_TRUE(process.waitForFinished());
    EXPECT_EQ(process.exitCode(), 143);
    EXPECT_TRUE(process.readAllStandardError().endsWith("24 jobs: 2 written, 0 failed, 22 not played (stopped)\n"));
    EXPECT_TRUE(QFile::exists(folder.file(Name("tr", 1))));
    EXPECT_FALSE(QFile::exists(folder.file(Name("t", 2))));
    EXPECT_EQ(QDir(folder.path()).entryList({QStringLiteral(".vexlo-*")}, QDir::Files | QDir::Hidden), QStringList());
}

// Killed at random moments, a run leaves every output its old file or its
// new one, whole; the next run still writes every one.
TEST_F(Jobs, KillsLeaveEveryOutputOldOrNewAndWhole)
{
    ASSERT_EQ(jobs(jobList("n"), {}).exitCode, 0);
    std::mt19937 random(25);
    for (int round = 0; round < 12; ++round) {
        for (int i = 0; i < kPairs; ++i) {
            folder.write(Name("k", i), "old left");
            folder.write(Name("kr", i), "old right");
        }
        folder.write(QStringLiteral("jobs.txt"), jobList("k"));
        QProcess process;
        process.setWorkingDirectory(folder.path());
        process.start(QStringLiteral(VEXLO_PLAY_BINARY),
                      {QStringLiteral("m.vmi"), QStringLiteral("--jobs"), QStringLiteral("jobs.txt")});
        ASSERT_TRUE(process.waitForStarted());
        std::this_thread::sleep_for(std::chrono::microseconds(random() % 60000));
        ::kill(pid_t(process.processId()), SIGKILL);
        process.waitForFinished();
        for (int i = 0; i < kPairs; ++i) {
            const QByteArray left = folder.read(Name("k", i));
            const QByteArray right = folder.read(Name("kr", i));
            EXPECT_TRUE(left == "old left" || left == folder.read(Name("n", i))) << round << " " << i;
            EXPECT_TRUE(right == "old right" || right == folder.read(Name("nr", i))) << round << " " << i;
        }
    }
    ASSERT_EQ(jobs(jobList("k"), {}).exitCode, 0);
    for (int i = 0; i < kPairs; ++i)
        EXPECT_EQ(folder.read(Name("kr", i)), folder.read(Name("nr", i))) << i;
}

} // namespace
} // namespace vexlo
