#include "common/failure.h"
#include "macro/macro_file.h"
#include "macro/macro_list.h"
#include "support/temp_folder.h"

#include <QFile>
#include <QSignalSpy>

#include <gtest/gtest.h>

namespace vexlo {
namespace {

QByteArray DataFile(const char *name)
{
    QFile file(QStringLiteral(VEXLO_TEST_DATA "/macro/") + QString::fromLatin1(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
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

TEST(MacroFileFormat, AHugeSingleLineAndFortyThousandLines)
{
    const QByteArray hugeLine(1024 * 1024, 'x');
    const QStringList one = ParseMacroText(hugeLine);
    ASSERT_EQ(one.size(), 1);
    EXPECT_EQ(one.first().size(), hugeLine.size());

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

TEST(MacroFiles, FailuresDescribeTheProblemAndLeaveTheOldFile)
{
    test::TempFolder folder;
    auto description = [](auto &&action) {
        try {
            action();
        } catch (const Failure &failure) {
            return failure.description();
        }
        return QString();
    };
    EXPECT_TRUE(description([&] { ReadMacroFile(folder.file(QStringLiteral("missing.vmi"))); })
                    .startsWith(QStringLiteral("File not found")));
    EXPECT_FALSE(description([&] { ReadMacroFile(folder.path()); }).isEmpty());

    folder.write(QStringLiteral("old.vmi"), "Cls,1\r\n");
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::ExeOwner);
    const bool denied = !QFileInfo(folder.path()).isWritable();
    const QString failure = description([&] { WriteMacroFile(folder.file(QStringLiteral("old.vmi")), kCopyDrag); });
    QFile::setPermissions(folder.path(), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    if (denied) {
        EXPECT_FALSE(failure.isEmpty());
    }
    EXPECT_FALSE(description([&] { WriteMacroFile(folder.file(QStringLiteral("no/such/x.vmi")), kCopyDrag); })
                     .isEmpty());
    EXPECT_EQ(folder.read(QStringLiteral("old.vmi")), denied ? QByteArray("Cls,1\r\n") : MacroFileBytes(kCopyDrag));
}

TEST(MacroListLimit, AppendingOrSettingPastTheLimitIsRefusedWhole)
{
    MacroList list;
    QStringList full;
    for (int i = 0; i < MacroList::kMaxLines; ++i)
        full << QStringLiteral("Cls,0");
    list.setLines(full);
    EXPECT_THROW(list.append(QStringLiteral("Cls,1")), Failure);
    EXPECT_EQ(list.count(), MacroList::kMaxLines);
    EXPECT_EQ(list.lines().last(), QStringLiteral("Cls,0"));

    list.setLines({QStringLiteral("Get,0,0,0,0")});
    full << QStringLiteral("one too many");
    EXPECT_THROW(list.setLines(full), Failure);
    EXPECT_EQ(list.lines(), QStringList{QStringLiteral("Get,0,0,0,0")});
}

TEST(MacroListLimit, TheModelAnnouncesAppendedRows)
{
    MacroList list;
    QSignalSpy inserted(&list, &QAbstractItemModel::rowsInserted);
    list.append(QStringLiteral("Cls,0"));
    list.append(QStringLiteral("Cls,1"));
    EXPECT_EQ(inserted.count(), 2);
    EXPECT_EQ(list.rowCount(), 2);
    EXPECT_EQ(list.data(list.index(1)).toString(), QStringLiteral("Cls,1"));
}

} // namespace
} // namespace vexlo
