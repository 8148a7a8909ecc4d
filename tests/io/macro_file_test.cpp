#include "common/failure.h"
#include "io/macro_file.h"
#include "model/macro_list.h"
#include "model/workspace.h"
#include "support/file_faults.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QFileInfo>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace vexlo {
namespace {

QByteArray DataFile(const char *name)
{
    return test::TestData(QStringLiteral("macro/") + QString::fromLatin1(name));
}

const QStringList kCopyDrag{QStringLiteral("Get,0,0,2,5"), QStringLiteral("Put,1,0,0,1,-1"),
                            QStringLiteral("Cls,0")};

TEST(MacroFileFormat, EveryLineEndsInCarriageReturnLineFeedTheLastOneToo)
{
    EXPECT_EQ(MacroFileBytes(kCopyDrag), "Get,0,0,2,5\r\nPut,1,0,0,1,-1\r\nCls,0\r\n");
    EXPECT_EQ(MacroFileBytes({}), QByteArray());
    EXPECT_EQ(MacroFileBytes({QStringLiteral("a"), QString(), QStringLiteral("b")}), "a\r\n\r\nb\r\n");
}

TEST(MacroFileFormat, ReadsBothLineEndsAndALastLineWithoutOne)
{
    EXPECT_EQ(ParseMacroText(DataFile("copy-drag-crlf.vmi")), kCopyDrag);
    EXPECT_EQ(ParseMacroText(DataFile("copy-drag-lf.vmi")), kCopyDrag);
    EXPECT_EQ(ParseMacroText(DataFile("no-final-line-end.vmi")),
              (QStringList{QStringLiteral("Get,0,0,2,5"), QStringLiteral("Cls,0")}));
    EXPECT_EQ(ParseMacroText(QByteArray()), QStringList());
    EXPECT_EQ(ParseMacroText("\r\n"), QStringList{QString()});
    EXPECT_EQ(ParseMacroText("a\r\n\r\nb\r\n"), (QStringList{"a", "", "b"}));
    // A byte-order mark is two or three bytes of the first line, never a
    // switch to another encoding; the player skips that line as unknown.
    for (const char *mark : {"\xFF\xFE", "\xFE\xFF", "\xEF\xBB\xBF"})
        EXPECT_EQ(ParseMacroText(mark + QByteArray("Cls,0\r\nCls,1\n")),
                  (QStringList{QString::fromLatin1(mark) + "Cls,0", "Cls,1"}));
}

TEST(MacroFileFormat, OddBytesComeBackUnchangedWhenSavedAgain)
{
    for (const char *name : {"nul-bytes.vmi", "lone-cr.vmi", "non-ascii.vmi", "utf16-bom.vmi",
                             "empty-fields.vmi", "copy-drag-crlf.vmi"}) {
        const QByteArray bytes = DataFile(name);
        const QStringList lines = ParseMacroText(bytes);
        EXPECT_EQ(ParseMacroText(MacroFileBytes(lines)), lines) << name;
        if (bytes.endsWith("\r\n") && !bytes.startsWith("\xFF\xFE")) {
            EXPECT_EQ(MacroFileBytes(lines), bytes) << name;
        }
    }
    EXPECT_EQ(ParseMacroText(DataFile("lone-cr.vmi")).size(), 1) << "a lone CR stays inside its line";
    EXPECT_EQ(ParseMacroText(DataFile("nul-bytes.vmi")).first().size(), 12);
}

TEST(MacroFileFormat, LinesOfAtMost65536CharactersAndAtMost32767Lines)
{
    const QByteArray longest = "Cls,0" + QByteArray(65531, ' ') + "\r\n";
    const QStringList one = ParseMacroText(longest);
    ASSERT_EQ(one.size(), 1);
    EXPECT_EQ(one.first().size(), 65536);
    // One line of millions would freeze the list showing it.
    try {
        ParseMacroText("Cls,0\n" + QByteArray(30 * 1024 * 1024, '9') + "\n");
        ADD_FAILURE() << "a line of 30 million characters was taken";
    } catch (const Failure &failure) {
        EXPECT_EQ(failure.description(),
                  QStringLiteral("Line 2 of the macro is longer than 65,536 characters, which no macro line is."));
    }

    QByteArray many;
    for (int i = 0; i < 40000; ++i)
        many += "Cls,0\r\n";
    EXPECT_THROW(ParseMacroText(many), Failure);
    QByteArray most;
    for (int i = 0; i < 32767; ++i)
        most += "Cls,0\n";
    EXPECT_EQ(ParseMacroText(most).size(), 32767);
}

TEST(MacroFiles, RoundTripThroughARealFile)
{
    test::TempFolder folder;
    const QString path = folder.file(QStringLiteral("walls.vmi"));
    WriteMacroFile(path, kCopyDrag);
    EXPECT_EQ(folder.read(QStringLiteral("walls.vmi")), "Get,0,0,2,5\r\nPut,1,0,0,1,-1\r\nCls,0\r\n");
    EXPECT_EQ(ReadMacroFile(path), kCopyDrag);
    WriteMacroFile(path, {});
    EXPECT_EQ(QFileInfo(path).size(), 0);
    EXPECT_EQ(ReadMacroFile(path), QStringList());
}

TEST(MacroFiles, FailuresDescribeTheProblem)
{
    test::TempFolder folder;
    EXPECT_EQ(test::FailureOf([&] { ReadMacroFile(folder.file(QStringLiteral("missing.vmi"))); }),
              QStringLiteral("Cannot read %1: No such file or directory").arg(folder.file(QStringLiteral("missing.vmi"))));
    EXPECT_EQ(test::FailureOf([&] { ReadMacroFile(folder.path()); }),
              QStringLiteral("Cannot read %1: Is a directory").arg(folder.path()));
    EXPECT_TRUE(test::FailureOf([&] { WriteMacroFile(folder.file(QStringLiteral("no/such/x.vmi")), kCopyDrag); })
                    .startsWith(QStringLiteral("Cannot write ")));
}

TEST(MacroFiles, AFifoOrADeviceIsRefusedBeforeItIsOpenedAndEndlessInputStopsAtTheLimit)
{
    test::TempFolder folder;
    const QString fifo = folder.file(QStringLiteral("walls.vmi"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), folder.file(QStringLiteral("zero.vmi"))));
    // Opening a FIFO that nobody writes would never come back.
    EXPECT_TRUE(test::InChildWithin(5000, [&] {
        return test::FailureOf([&] { ReadMacroFile(fifo); }) == fifo + QStringLiteral(" is not a regular file.");
    }));
    EXPECT_EQ(test::FailureOf([&] { ReadMacroFile(folder.file(QStringLiteral("zero.vmi"))); }),
              folder.file(QStringLiteral("zero.vmi")) + QStringLiteral(" is not a regular file."));
    // Read as the batch tool reads them: up to the limit, whatever the size says (0 here).
    EXPECT_EQ(test::FailureOf([&] { ReadMacroFile(folder.file(QStringLiteral("zero.vmi")), SpecialFiles::Use); }),
              folder.file(QStringLiteral("zero.vmi")) + QStringLiteral(" is too large to be a macro file."));
}

TEST(MacroFiles, AReadOnlyFolderOrAWriteCutShortLeavesTheOldFileAsItWas)
{
    test::TempFolder folder;
    const QString path = folder.file(QStringLiteral("old.vmi"));
    folder.write(QStringLiteral("old.vmi"), "Cls,1\r\n");
    QStringList longer;
    for (int i = 0; i < 100; ++i)
        longer << kCopyDrag;
    {
        const test::ReadOnlyFolder readOnly(folder.path());
        ASSERT_TRUE(readOnly.holds());
        EXPECT_EQ(test::FailureOf([&] { WriteMacroFile(path, longer); }),
                  QStringLiteral("Cannot write %1: Permission denied").arg(path));
    }
    EXPECT_TRUE(test::InChildUnderFileSizeLimit(1000, [&] {
        return test::FailureOf([&] { WriteMacroFile(path, longer); })
               == QStringLiteral("Cannot write %1: File too large").arg(path);
    }));
    EXPECT_EQ(folder.read(QStringLiteral("old.vmi")), "Cls,1\r\n");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("old.vmi")});
}

TEST(MacroListLimit, AppendingOrSettingPastTheLimitIsRefusedWhole)
{
    Workspace workspace;
    QStringList full;
    for (int i = 0; i < MacroList::kMaxLines; ++i)
        full << QStringLiteral("Cls,0");
    workspace.setMacroLines(full);
    EXPECT_THROW(workspace.appendMacroLine(QStringLiteral("Cls,1")), Failure);
    EXPECT_EQ(workspace.macro().count(), MacroList::kMaxLines);
    EXPECT_EQ(workspace.macro().lines().last(), QStringLiteral("Cls,0"));

    workspace.setMacroLines({QStringLiteral("Get,0,0,0,0")});
    full << QStringLiteral("one too many");
    EXPECT_THROW(workspace.setMacroLines(full), Failure);
    EXPECT_EQ(workspace.macro().lines(), QStringList{QStringLiteral("Get,0,0,0,0")});
}

TEST(MacroListLimit, TheModelAnnouncesAppendedRows)
{
    Workspace workspace;
    QAbstractItemModel *list = workspace.macroModel();
    QSignalSpy inserted(list, &QAbstractItemModel::rowsInserted);
    workspace.appendMacroLine(QStringLiteral("Cls,0"));
    workspace.appendMacroLine(QStringLiteral("Cls,1"));
    EXPECT_EQ(inserted.count(), 2);
    EXPECT_EQ(list->rowCount(), 2);
    EXPECT_EQ(list->data(list->index(1, 0)).toString(), QStringLiteral("Cls,1"));
}

} // namespace
} // namespace vexlo
