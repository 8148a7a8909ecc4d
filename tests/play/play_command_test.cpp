// vexlo-play from the command line: arguments, refusals, halting, outputs.
#include "io/sheet_writer.h"
#include "io/sheet_file.h"
#include "support/picture_bytes.h"
#include "play/play_arguments.h"
#include "play_support.h"
#include "support/file_faults.h"
#include "support/test_colours.h"

#include <QDir>
#include <QFile>
#include <QThread>

#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <gtest/gtest.h>

namespace vexlo {
namespace {

using test::PatternSheet;
using test::RunVexloPlay;
using test::SamePixels;
using test::SheetTile;

class VexloPlay : public ::testing::Test {
protected:
    void SetUp() override
    {
        WriteSheetFile(PatternSheet(1, 256), folder.file(QStringLiteral("left.bmp")));
        WriteSheetFile(PatternSheet(2, 128), folder.file(QStringLiteral("right.bmp")));
        folder.write(QStringLiteral("copy.vmi"), "Get,0,0,2,5\r\nPut,1,0,0,1,-1\r\nCls,0\r\n");
    }

    test::PlayRun play(QStringList arguments) const { return RunVexloPlay(arguments, folder.path()); }
    QStringList sheets() const
    {
        return {QStringLiteral("--left"), QStringLiteral("left.bmp"), QStringLiteral("--right"),
                QStringLiteral("right.bmp")};
    }
    QImage output(const char *name) const
    {
        const SheetFile loaded = LoadSheetFile(folder.file(QString::fromLatin1(name)));
        EXPECT_TRUE(loaded.accepted()) << name << ": " << loaded.refusal.toStdString();
        return loaded.sheet;
    }

    test::TempFolder folder;
};

TEST_F(VexloPlay, HelpAndVersionGoToStandardOutput)
{
    for (const QString &option : {QStringLiteral("--help"), QStringLiteral("-h")}) {
        const test::PlayRun help = play({option});
        EXPECT_EQ(help.exitCode, 0);
        EXPECT_TRUE(help.out.startsWith(QStringLiteral("usage: vexlo-play MACRO.vmi --left LEFT --right RIGHT")));
        EXPECT_TRUE(help.err.isEmpty());
    }
    const test::PlayRun version = play({QStringLiteral("--version")});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, QStringLiteral("vexlo-play 2.1.13\n"));
}

TEST_F(VexloPlay, WrongArgumentsPrintTheUsageAndExitWithTwo)
{
    const QList<QStringList> wrong{
        {},
        {QStringLiteral("copy.vmi")},
        {QStringLiteral("copy.vmi"), QStringLiteral("--left"), QStringLiteral("left.bmp")},
        QStringList{QStringLiteral("copy.vmi"), QStringLiteral("--colour"), QStringLiteral("x")} + sheets(),
        QStringList{QStringLiteral("copy.vmi"), QStringLiteral("--left-keys"), QStringLiteral("#FF00FF")} + sheets(),
        QStringList{QStringLiteral("copy.vmi"), QStringLiteral("--right-keys"), QStringLiteral("#FF00FF,red")} + sheets(),
        QStringList{QStringLiteral("copy.vmi"), QStringLiteral("--replace-translucent"), QStringLiteral("yes")} + sheets(),
        QStringList{QStringLiteral("copy.vmi"), QStringLiteral("other.vmi")} + sheets(),
        QStringList{QStringLiteral("copy.vmi")} + sheets() + QStringList{QStringLiteral("--out-left")},
        // Signs and blanks are no hexadecimal digits.
        QStringList{QStringLiteral("copy.vmi"), QStringLiteral("--left-keys"), QStringLiteral("#+FFFFF,#000000")} + sheets(),
        QStringList{QStringLiteral("copy.vmi"), QStringLiteral("--left-keys"), QStringLiteral("# FFFFF,#000000")} + sheets(),
        // Empty file names name no file.
        QStringList{QStringLiteral("")} + sheets(),
        QStringList{QStringLiteral("copy.vmi"), QStringLiteral("--left"), QStringLiteral(""), QStringLiteral("--right"),
                    QStringLiteral("right.bmp")},
        QStringList{QStringLiteral("copy.vmi"), QStringLiteral("--out-right"), QStringLiteral("")} + sheets(),
        QStringList{QStringLiteral("copy.vmi"), QStringLiteral("-x")} + sheets(),
        // Transparency goes into PNG files only; distances run from 1 to 32.
        QStringList{QStringLiteral("copy.vmi"), QStringLiteral("--keys-to-alpha"), QStringLiteral("--out-left"),
                    QStringLiteral("out.bmp")} + sheets(),
        QStringList{QStringLiteral("copy.vmi"), QStringLiteral("--snap-keys"), QStringLiteral("33")} + sheets(),
        {QStringLiteral("--check-keys"), QStringLiteral("0"), QStringLiteral("left.bmp")},
        {QStringLiteral("--check-keys"), QStringLiteral("8")},
        {QStringLiteral("--check-keys"), QStringLiteral("8"), QStringLiteral("--out-left"), QStringLiteral("x.png"),
         QStringLiteral("left.bmp")},
        // A job list names every job's files; threads go with a job list.
        QStringList{QStringLiteral("copy.vmi"), QStringLiteral("--jobs"), QStringLiteral("-")} + sheets(),
        {QStringLiteral("copy.vmi"), QStringLiteral("--jobs"), QStringLiteral("-"), QStringLiteral("--remap"),
         QStringLiteral("r.csv")},
        {QStringLiteral("copy.vmi"), QStringLiteral("--jobs"), QStringLiteral("-"), QStringLiteral("--threads"),
         QStringLiteral("0")},
        QStringList{QStringLiteral("copy.vmi"), QStringLiteral("--threads"), QStringLiteral("2")} + sheets(),
    };
    for (const QStringList &arguments : wrong) {
        const test::PlayRun run = play(arguments);
        EXPECT_EQ(run.exitCode, 2) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(run.err.contains(QStringLiteral("usage: vexlo-play"))) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(run.out.isEmpty());
    }
    // Unknown and repeated options are named as such, wherever they stand.
    const test::PlayRun unknown = play(QStringList{QStringLiteral("copy.vmi")} + sheets() + QStringList{QStringLiteral("--bogus")});
    EXPECT_TRUE(unknown.err.startsWith(QStringLiteral("vexlo-play: unknown option --bogus\n")));
    const test::PlayRun twice = play(QStringList{QStringLiteral("copy.vmi"), QStringLiteral("--left"), QStringLiteral("other.bmp")} + sheets());
    EXPECT_TRUE(twice.err.startsWith(QStringLiteral("vexlo-play: --left is given twice\n")));
    // A name that is no UTF-8 text is refused, not turned into another name.
    QProcess shell;
    shell.setWorkingDirectory(folder.path());
    shell.start(QStringLiteral("bash"), {QStringLiteral("-c"),
                                         QStringLiteral("\"$0\" copy.vmi --left left.bmp --right right.bmp "
                                                        "--out-right $'bad\\xffname.bmp'"),
                                         QStringLiteral(VEXLO_PLAY_BINARY)});
    ASSERT_TRUE(shell.waitForFinished(30000));
    EXPECT_EQ(shell.exitCode(), 2);
    EXPECT_TRUE(shell.readAllStandardError().contains("is not valid UTF-8"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 3) << "nothing written";
}

TEST_F(VexloPlay, KeyColoursAreReadAsHexadecimalRgb)
{
    EXPECT_EQ(ParseHexColour(QStringLiteral("#FF00FF")), Colour(255, 0, 255));
    EXPECT_EQ(ParseHexColour(QStringLiteral("#008080")), Colour(0, 128, 128));
    EXPECT_EQ(ParseHexColour(QStringLiteral("#0000ff")), Colour(0, 0, 255));
    EXPECT_FALSE(ParseHexColour(QStringLiteral("FF00FF")));
    EXPECT_FALSE(ParseHexColour(QStringLiteral("#FF00F")));
    EXPECT_FALSE(ParseHexColour(QStringLiteral("#GG0000")));
    EXPECT_FALSE(ParseHexColour(QStringLiteral("#-FFFFF")));
    EXPECT_FALSE(ParseHexColour(QStringLiteral("#FFFFF ")));
}

TEST_F(VexloPlay, PlaysAndWritesTheRequestedSheets)
{
    QImage left = PatternSheet(1, 256);
    left.setPixel(2 * 32, 5 * 32, qRgb(255, 0, 255));
    WriteSheetFile(left, folder.file(QStringLiteral("left.bmp")));
    const test::PlayRun run = play(QStringList{QStringLiteral("copy.vmi"), QStringLiteral("--left-keys"),
                                               QStringLiteral("#FF00FF,#000000"), QStringLiteral("--right-keys"),
                                               QStringLiteral("#00FFFF,#000000"), QStringLiteral("--out-right"),
                                               QStringLiteral("out.bmp")}
                                   + sheets());
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty());
    QImage expected = PatternSheet(2, 128);
    QImage tile = SheetTile(left, 2, 5);
    tile.setPixel(0, 0, qRgb(0, 255, 255)); // transparent replacement is on by default
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            expected.setPixel(x, 32 + y, tile.pixel(x, y));
    EXPECT_TRUE(SamePixels(output("out.bmp"), expected));
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("left-out.bmp"))));
}

TEST_F(VexloPlay, PngSheetsAreReadAndAPngNameIsWrittenAsAPngWithTheSamePixels)
{
    WriteSheetFile(PatternSheet(1, 256), folder.file(QStringLiteral("left.png")));
    const test::PlayRun run =
        play({QStringLiteral("copy.vmi"), QStringLiteral("--left"), QStringLiteral("left.png"), QStringLiteral("--right"),
              QStringLiteral("right.bmp"), QStringLiteral("--replace-transparent"), QStringLiteral("off"),
              QStringLiteral("--out-left"), QStringLiteral("x.png"), QStringLiteral("--out-right"),
              QStringLiteral("Y.PNG")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    for (const char *name : {"x.png", "Y.PNG"})
        EXPECT_TRUE(folder.read(QString::fromLatin1(name)).startsWith("\x89PNG\r\n")) << name;
    EXPECT_TRUE(SamePixels(output("x.png"), PatternSheet(1, 256)));
    QImage right = PatternSheet(2, 128);
    for (int y = 0; y < 32; ++y)
        for (int x = 0; x < 32; ++x)
            right.setPixel(x, 32 + y, PatternSheet(1, 256).pixel(2 * 32 + x, 5 * 32 + y));
    EXPECT_TRUE(SamePixels(output("Y.PNG"), right));
}

TEST_F(VexloPlay, TransparencyBecomesTheKeysAndTheKeysTransparencyAgainWithNearKeysSnapped)
{
    QImage left(64, 32, QImage::Format_ARGB32);
    left.fill(qRgba(10, 20, 30, 255));
    left.setPixel(1, 1, qRgba(0, 0, 0, 0));
    left.setPixel(2, 1, qRgba(0, 0, 0, 128));
    left.setPixel(40, 3, qRgb(250, 0, 255)); // near the transparent key, in tile 1,0
    ASSERT_TRUE(left.save(folder.file(QStringLiteral("left.png"))));
    const QStringList keyed{QStringLiteral("--left"), QStringLiteral("left.png"), QStringLiteral("--left-keys"),
                            QStringLiteral("#FF00FF,#800080"), QStringLiteral("--right"), QStringLiteral("right.bmp")};

    const test::PlayRun check = play(QStringList{QStringLiteral("--check-keys"), QStringLiteral("8"),
                                                 QStringLiteral("--keys"), QStringLiteral("#FF00FF,#800080"),
                                                 QStringLiteral("left.png"), QStringLiteral("right.bmp")});
    EXPECT_EQ(check.exitCode, 1);
    EXPECT_EQ(check.out, QStringLiteral("left.png: tile 1,0 pixel 40,3 colour #FA00FF near the transparent key\n"));

    const test::PlayRun run = play(QStringList{QStringLiteral("copy.vmi"), QStringLiteral("--alpha-to-keys"),
                                               QStringLiteral("--keys-to-alpha"), QStringLiteral("--snap-keys"),
                                               QStringLiteral("8"), QStringLiteral("--out-left"),
                                               QStringLiteral("out.png")} + keyed);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.startsWith(
        QStringLiteral("vexlo-play: left.png: 1 pixels snapped to the transparent key, 0 to the translucent key\n")));
    const QImage out = QImage(folder.file(QStringLiteral("out.png"))).convertToFormat(QImage::Format_ARGB32);
    EXPECT_EQ(out.pixel(1, 1), 0u);
    EXPECT_EQ(out.pixel(2, 1), 0x80000000u);
    EXPECT_EQ(out.pixel(40, 3), 0u) << "snapped, then written as transparency";
    EXPECT_EQ(out.pixel(3, 1), qRgb(10, 20, 30));

    const test::PlayRun clean = play(QStringList{QStringLiteral("--check-keys"), QStringLiteral("8"),
                                                 QStringLiteral("--alpha-to-keys"), QStringLiteral("--keys"),
                                                 QStringLiteral("#FF00FF,#800080"), QStringLiteral("out.png")});
    EXPECT_EQ(clean.exitCode, 0) << clean.out.toStdString();
}

TEST_F(VexloPlay, SheetsAreRefusedWithTheLoadDialogsTextsNamingTheFile)
{
    WriteSheetFile(QImage(320, 64, QImage::Format_RGB32), folder.file(QStringLiteral("wide.bmp")));
    WriteSheetFile(QImage(256, 100, QImage::Format_RGB32), folder.file(QStringLiteral("short.bmp")));
    const test::PlayRun wide = play({QStringLiteral("copy.vmi"), QStringLiteral("--left"), QStringLiteral("wide.bmp"),
                                     QStringLiteral("--right"), QStringLiteral("right.bmp")});
    EXPECT_EQ(wide.exitCode, 1);
    EXPECT_EQ(wide.err, QStringLiteral("vexlo-play: wide.bmp: Invalid size (X > 256).\n"));
    const test::PlayRun tall = play({QStringLiteral("copy.vmi"), QStringLiteral("--left"), QStringLiteral("left.bmp"),
                                     QStringLiteral("--right"), QStringLiteral("short.bmp")});
    EXPECT_EQ(tall.err, QStringLiteral("vexlo-play: short.bmp: Invalid size (Y mod 32 <> 0).\n"));
    folder.write(QStringLiteral("bomb.png"), test::RgbPngBytes(256, 32, test::ZlibZeros(qint64(1) << 30)));
    const test::PlayRun bomb = play({QStringLiteral("copy.vmi"), QStringLiteral("--left"), QStringLiteral("bomb.png"),
                                     QStringLiteral("--right"), QStringLiteral("right.bmp")});
    EXPECT_EQ(bomb.err, QStringLiteral("vexlo-play: bomb.png: The picture holds more data than its size needs.\n"));
}

TEST_F(VexloPlay, AFileThatCannotBeReadIsNamedOnceWithOneReason)
{
    QFile::link(folder.file(QStringLiteral("gone")), folder.file(QStringLiteral("dangling")));
    const QString noSuchFile = QStringLiteral("vexlo-play: Cannot read %1: No such file or directory\n");
    for (const QString &macro : {QStringLiteral("none.vmi"), QStringLiteral("dangling")}) {
        const test::PlayRun run = play(QStringList{macro} + sheets());
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, noSuchFile.arg(macro));
    }
    for (const QString &sheet : {QStringLiteral("none.bmp"), QStringLiteral("dangling")}) {
        const test::PlayRun run = play({QStringLiteral("copy.vmi"), QStringLiteral("--left"), sheet,
                                        QStringLiteral("--right"), QStringLiteral("right.bmp")});
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, noSuchFile.arg(sheet));
    }
}

TEST_F(VexloPlay, AnEmptyMacroIsRefusedAsInTheWindow)
{
    folder.write(QStringLiteral("empty.vmi"), QByteArray());
    const test::PlayRun run = play(QStringList{QStringLiteral("empty.vmi"), QStringLiteral("--out-left"),
                                               QStringLiteral("out.bmp")}
                                   + sheets());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, QStringLiteral("vexlo-play: No macro to play.\n"));
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("out.bmp"))));

    // Through links of every kind, to files that are there or not yet.
    ASSERT_TRUE(QFile::link(folder.file(QStringLiteral("left.bmp")), folder.file(QStringLiteral("link.bmp"))));
    ASSERT_EQ(::link(QFile::encodeName(folder.file(QStringLiteral("left.bmp"))).constData(),
                     QFile::encodeName(folder.file(QStringLiteral("hard.bmp"))).constData()),
              0);
    ASSERT_TRUE(QFile::link(folder.path(), folder.file(QStringLiteral("here"))));
    ASSERT_TRUE(QFile::link(folder.file(QStringLiteral("later.bmp")), folder.file(QStringLiteral("dangling.bmp"))));
    ASSERT_EQ(::mkfifo(QFile::encodeName(folder.file(QStringLiteral("fifo"))).constData(), 0600), 0);
    const char *const pairs[][2] = {{"left.bmp", "link.bmp"}, {"left.bmp", "hard.bmp"}, {"new.bmp", "here/new.bmp"},
                                    {"later.bmp", "dangling.bmp"}, {"fifo", "fifo"}};
    for (const auto &[left, right] : pairs) {
        const test::PlayRun run = play(QStringList{QStringLiteral("copy.vmi"), QStringLiteral("--out-left"),
                                                   QString::fromLatin1(left), QStringLiteral("--out-right"),
                                                   QString::fromLatin1(right)}
                                       + sheets());
        EXPECT_EQ(run.exitCode, 2) << left << " and " << right << " are one file";
    }

    const test::PlayRun discarded = play(QStringList{QStringLiteral("copy.vmi"), QStringLiteral("--out-left"),
                                                     QStringLiteral("/dev/null"), QStringLiteral("--out-right"),
                                                     QStringLiteral("/dev/null")}
                                         + sheets());
    EXPECT_EQ(discarded.exitCode, 0) << discarded.err.toStdString();
}

TEST_F(VexloPlay, AHaltNamesTheLineAndWritesNothing)
{
    folder.write(QStringLiteral("bad.vmi"), "Get,0,0,2,5\r\nCopy,1,2\r\nPut,1,0,0,1,-1\r\nGet,2,0,0,0\r\nCls,0\r\n");
    folder.write(QStringLiteral("old.bmp"), "earlier file");
    const test::PlayRun run = play(QStringList{QStringLiteral("bad.vmi"), QStringLiteral("--out-left"),
                                               QStringLiteral("new.bmp"), QStringLiteral("--out-right"),
                                               QStringLiteral("old.bmp")}
                                   + sheets());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, QStringLiteral("Play Macro Halted: Control array element '2' doesn't exist (line 4)\n"));
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("new.bmp"))));
    EXPECT_EQ(folder.read(QStringLiteral("old.bmp")), "earlier file");
}

TEST_F(VexloPlay, AnOutputThatCannotBeWrittenIsReportedAndTheOtherIsNotWrittenEither)
{
    folder.write(QStringLiteral("old.bmp"), "earlier file");
    ASSERT_TRUE(QFile::link(folder.file(QStringLiteral("gone.bmp")), folder.file(QStringLiteral("dangling.bmp"))));
    const char *const cases[][2] = {
        {"no/such/folder/out.bmp", "No such file or directory"},
        {"dangling.bmp", "it is a link to a file that does not exist"},
    };
    for (const auto &[output, reason] : cases) {
        const test::PlayRun run = play(QStringList{QStringLiteral("copy.vmi"), QStringLiteral("--out-left"),
                                                   QStringLiteral("old.bmp"), QStringLiteral("--out-right"),
                                                   QString::fromLatin1(output)}
                                       + sheets());
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, QStringLiteral("vexlo-play: Cannot write %1: %2\n").arg(output, reason));
        EXPECT_EQ(folder.read(QStringLiteral("old.bmp")), "earlier file");
        EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden | QDir::System).size(), 5)
            << "no temporary file left behind, no file made for the link";
    }
}

TEST_F(VexloPlay, AnOutputThatCannotReplaceItsFileLeavesTheOtherAsItWas)
{
    folder.write(QStringLiteral("old.bmp"), "earlier file");
    QDir(folder.path()).mkdir(QStringLiteral("log"));
    folder.write(QStringLiteral("log/out.bmp"), "earlier log");
    test::AppendOnlyFolder appendOnly(folder.file(QStringLiteral("log")));
    if (!appendOnly.holds())
        GTEST_SKIP() << "append-only folders need root and a file system that has them (ext4, xfs, btrfs)";
    const test::PlayRun run = play(QStringList{QStringLiteral("copy.vmi"), QStringLiteral("--out-left"),
                                               QStringLiteral("old.bmp"), QStringLiteral("--out-right"),
                                               QStringLiteral("log/out.bmp")}
                                   + sheets());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, QStringLiteral("vexlo-play: Cannot write log/out.bmp: it or its folder is append-only or immutable\n"));
    EXPECT_EQ(folder.read(QStringLiteral("old.bmp")), "earlier file");
    EXPECT_EQ(folder.read(QStringLiteral("log/out.bmp")), "earlier log");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 4) << "no temporary file left behind";
    EXPECT_EQ(QDir(folder.file(QStringLiteral("log"))).entryList(QDir::Files | QDir::Hidden).size(), 1);
}

TEST_F(VexloPlay, AFileSizeLimitIsAReportedFailureThatChangesNoFile)
{
    folder.write(QStringLiteral("old.bmp"), "earlier file");
    const test::PlayRun run = test::RunVexloPlay(
        QStringList{QStringLiteral("copy.vmi"), QStringLiteral("--out-left"), QStringLiteral("old.bmp")} + sheets(),
        folder.path(), [] {
            std::signal(SIGXFSZ, SIG_DFL); // as a shell leaves it: the program must see to it itself
            const rlimit limit{4096, 4096};
            setrlimit(RLIMIT_FSIZE, &limit);
        });
    EXPECT_EQ(run.exitCode, 1) << "not ended by SIGXFSZ";
    EXPECT_EQ(run.err, QStringLiteral("vexlo-play: Cannot write old.bmp: File too large\n"));
    EXPECT_EQ(folder.read(QStringLiteral("old.bmp")), "earlier file");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden).size(), 4) << "no temporary file left behind";
}

TEST_F(VexloPlay, AReaderThatQuitsEarlyIsAReportedFailure)
{
    QProcess shell;
    shell.setWorkingDirectory(folder.path());
    shell.start(QStringLiteral("bash"), {QStringLiteral("-c"),
                                         QStringLiteral("\"$0\" copy.vmi --left left.bmp --right right.bmp "
                                                        "--out-left >(head -c 100 >/dev/null)"),
                                         QStringLiteral(VEXLO_PLAY_BINARY)});
    ASSERT_TRUE(shell.waitForFinished(30000));
    EXPECT_EQ(shell.exitCode(), 1) << "not ended by SIGPIPE";
    EXPECT_TRUE(shell.readAllStandardError().endsWith(": Broken pipe\n"));
}

TEST_F(VexloPlay, PipesAreReadAndWrittenAndEndlessInputStopsAtTheLimit)
{
    // As a shell gives them: <(...) and >(...) name pipes.
    QProcess shell;
    shell.setWorkingDirectory(folder.path());
    shell.start(QStringLiteral("bash"),
                {QStringLiteral("-c"),
                 QStringLiteral("\"$0\" copy.vmi --left <(cat left.bmp) --right right.bmp "
                                "--out-left >(cat > piped.bmp; touch piped.done)"),
                 QStringLiteral(VEXLO_PLAY_BINARY)});
    ASSERT_TRUE(shell.waitForFinished(30000));
    EXPECT_EQ(shell.exitCode(), 0) << shell.readAllStandardError().constData();
    for (int wait = 0; wait < 500 && !QFile::exists(folder.file(QStringLiteral("piped.done"))); ++wait)
        QThread::msleep(10);
    const test::PlayRun direct =
        play(QStringList{QStringLiteral("copy.vmi"), QStringLiteral("--out-left"), QStringLiteral("direct.bmp")} + sheets());
    ASSERT_EQ(direct.exitCode, 0);
    EXPECT_EQ(folder.read(QStringLiteral("piped.bmp")), folder.read(QStringLiteral("direct.bmp")));

    // A device without an end is read up to the limit of its kind and refused.
    const test::PlayRun macro = play(QStringList{QStringLiteral("/dev/zero")} + sheets());
    EXPECT_EQ(macro.exitCode, 1);
    EXPECT_EQ(macro.err, QStringLiteral("vexlo-play: /dev/zero is too large to be a macro file.\n"));
    const test::PlayRun sheet = play({QStringLiteral("copy.vmi"), QStringLiteral("--left"), QStringLiteral("/dev/zero"),
                                      QStringLiteral("--right"), QStringLiteral("right.bmp")});
    EXPECT_EQ(sheet.exitCode, 1);
    EXPECT_EQ(sheet.err, QStringLiteral("vexlo-play: /dev/zero is too large to be a sheet file.\n"));
}

TEST_F(VexloPlay, BothOutputsNamingOneFileAreRefusedAsWrongArguments)
{
    const test::PlayRun run = play(QStringList{QStringLiteral("copy.vmi"), QStringLiteral("--out-left"),
                                               QStringLiteral("out.bmp"), QStringLiteral("--out-right"),
                                               QStringLiteral("./out.bmp")}
                                   + sheets());
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("vexlo-play: --out-left and --out-right name the same file\n")));
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("out.bmp"))));

    ASSERT_TRUE(QFile::link(folder.file(QStringLiteral("left.bmp")), folder.file(QStringLiteral("link.bmp"))));
    const test::PlayRun linked = play(QStringList{QStringLiteral("copy.vmi"), QStringLiteral("--out-left"),
                                                  QStringLiteral("left.bmp"), QStringLiteral("--out-right"),
                                                  QStringLiteral("link.bmp")}
                                      + sheets());
    EXPECT_EQ(linked.exitCode, 2) << "a link to the other output is the same file";

    const test::PlayRun discarded = play(QStringList{QStringLiteral("copy.vmi"), QStringLiteral("--out-left"),
                                                     QStringLiteral("/dev/null"), QStringLiteral("--out-right"),
                                                     QStringLiteral("/dev/null")}
                                         + sheets());
    EXPECT_EQ(discarded.exitCode, 0) << discarded.err.toStdString();
}

} // namespace
} // namespace vexlo

namespace vexlo {
namespace {

// The remap table after swaps, copies and clears; none after a halt.
TEST_F(VexloPlay, TheRemapTableNamesWhereEveryTileCameFrom)
{
    const struct {
        const char *macro;
        QStringList lines; // expected among the table's lines
    } cases[] = {
        {"Get,0,0,1,0\nGet,0,1,2,3\nPut,0,0,2,3,0\nPut,0,1,1,0,0\nCls,0\nCls,1\n",
         {"left,1,left,26", "left,26,left,1", "left,0,left,0", "right,31,right,31"}},
        {"Get,0,0,2,5\nPut,1,0,0,1,-1\nCls,0\n", {"right,8,left,42", "left,42,left,42"}},
        {"Get,1,1,7,3\nPut,0,1,0,7,0\nCls,0\nPut,1,0,3,0,0\n", {"left,56,right,31", "right,3,,"}},
        {"Get,0,1,0,99\nPut,1,1,0,0,0\nPut,1,1,9,0,0\n", {"right,0,,"}},
    };
    for (const auto &run : cases) {
        SCOPED_TRACE(run.macro);
        folder.write(QStringLiteral("run.vmi"), run.macro);
        const test::PlayRun played = play(QStringList{QStringLiteral("run.vmi"), QStringLiteral("--remap"),
                                                      QStringLiteral("map.csv")} + sheets());
        ASSERT_EQ(played.exitCode, 0) << played.err.toStdString();
        QFile table(folder.file(QStringLiteral("map.csv")));
        ASSERT_TRUE(table.open(QIODevice::ReadOnly));
        const QStringList lines = QString::fromLatin1(table.readAll()).split(u'\n', Qt::SkipEmptyParts);
        ASSERT_EQ(lines.size(), 1 + 64 + 32);
        EXPECT_EQ(lines.first(), QStringLiteral("sheet,index,from_sheet,from_index"));
        EXPECT_TRUE(lines[1].startsWith(QStringLiteral("left,0,")) && lines[65].startsWith(QStringLiteral("right,0,")));
        for (const QString &expected : run.lines)
            EXPECT_TRUE(lines.contains(expected)) << expected.toStdString();
    }
    QFile::remove(folder.file(QStringLiteral("map.csv")));
    folder.write(QStringLiteral("halts.vmi"), "Cls,0\nGet,2,0,0,0\n");
    EXPECT_EQ(play(QStringList{QStringLiteral("halts.vmi"), QStringLiteral("--remap"), QStringLiteral("map.csv")}
                   + sheets()).exitCode, 1);
    EXPECT_FALSE(QFile::exists(folder.file(QStringLiteral("map.csv")))) << "written only with the outputs";
    EXPECT_EQ(play(QStringList{QStringLiteral("copy.vmi"), QStringLiteral("--remap"), QStringLiteral("out.bmp"),
                               QStringLiteral("--out-left"), QStringLiteral("out.bmp")}
                   + sheets()).exitCode, 2);
}

} // namespace
} // namespace vexlo
