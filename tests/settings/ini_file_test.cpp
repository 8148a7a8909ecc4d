#include "settings/ini_file.h"
#include "support/file_faults.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace vexlo {
namespace {

class IniFile : public ::testing::Test {
protected:
    QString path() const { return folder.file(QStringLiteral("Vexlo.INI")); }
    void store(const QByteArray &bytes) const { folder.write(QStringLiteral("Vexlo.INI"), bytes); }
    QByteArray stored() const { return folder.read(QStringLiteral("Vexlo.INI")); }
    QString read(const char *section, const char *key, const char *fallback = "default") const
    {
        return ReadIniString(path(), QString::fromUtf8(section), QString::fromUtf8(key),
                             QString::fromUtf8(fallback));
    }
    bool write(const char *section, const char *key, const QString &value) const
    {
        return WriteIniString(path(), QString::fromUtf8(section), QString::fromUtf8(key), value);
    }

    test::TempFolder folder;
};

TEST_F(IniFile, MissingFileSectionOrKeyGivesTheDefault)
{
    EXPECT_EQ(read("Opt", "ChkRepTrans"), QStringLiteral("default"));
    store("[Opt]\nChkRepTrans=1\n");
    EXPECT_EQ(read("Other", "ChkRepTrans"), QStringLiteral("default"));
    EXPECT_EQ(read("Opt", "ChkStartWiz"), QStringLiteral("default"));
    EXPECT_EQ(ReadIniNumber(path(), QStringLiteral("Opt"), QStringLiteral("ChkStartWiz"), 7), 7);
}

TEST_F(IniFile, PresentEmptyValueGivesEmptyTextAndNumberZero)
{
    store("[Opt]\nDefDir0=\n");
    EXPECT_EQ(read("Opt", "DefDir0"), QString());
    EXPECT_EQ(ReadIniNumber(path(), QStringLiteral("Opt"), QStringLiteral("DefDir0"), 5), 0);
}

TEST_F(IniFile, NamesMatchWithoutRegardToCaseAndBlanksAreTrimmed)
{
    store("[oPT]\n  chkreptrans   =   1 2  \n");
    EXPECT_EQ(read("Opt", "ChkRepTrans"), QStringLiteral("1 2"));
    store("[ Opt ]\nKey=a=b\n");
    EXPECT_EQ(read("opt", "KEY"), QStringLiteral("a=b"));
}

TEST_F(IniFile, NumbersReadWordsAndLeadingNumbers)
{
    store("[S]\na=TRUE\nb=True\nc=true\nd=FALSE\ne=false\nf=1\ng=2\nh=12ab\ni=abc\nj=-1\n");
    auto number = [&](const char *key) {
        return ReadIniNumber(path(), QStringLiteral("S"), QString::fromUtf8(key), 99);
    };
    EXPECT_EQ(number("a"), -1);
    EXPECT_EQ(number("b"), -1);
    EXPECT_EQ(number("c"), -1);
    EXPECT_EQ(number("d"), 0);
    EXPECT_EQ(number("e"), 0);
    EXPECT_EQ(number("f"), 1);
    EXPECT_EQ(number("g"), 2);
    EXPECT_EQ(number("h"), 12);
    EXPECT_EQ(number("i"), 0);
    EXPECT_EQ(number("j"), -1);
}

TEST_F(IniFile, WritesCreateTheFileThenSectionsAndKeysInOrder)
{
    EXPECT_TRUE(write("Opt", "ChkStartWiz", QStringLiteral("1")));
    EXPECT_TRUE(WriteIniNumber(path(), QStringLiteral("Opt"), QStringLiteral("ChkRememberDirs"), 1.0));
    EXPECT_TRUE(write("Opt", "DefDir0", QString()));
    EXPECT_TRUE(WriteIniNumber(path(), QStringLiteral("Other"), QStringLiteral("Flag"), true));
    EXPECT_EQ(stored(), "[Opt]\nChkStartWiz=1\nChkRememberDirs=1\nDefDir0=\n[Other]\nFlag=True\n");
    EXPECT_EQ(read("Opt", "DefDir0"), QString());
}

TEST_F(IniFile, ReplacingAValueKeepsEveryOtherByte)
{
    const QByteArray before = "; comment\r\n[Opt]\r\nChkRepTrans=1\r\nJunk line\r\n\r\n[Other]\r\nx=1\r\n";
    store(before);
    EXPECT_TRUE(write("opt", "chkreptrans", QStringLiteral("0")));
    QByteArray expected = before;
    expected.replace("ChkRepTrans=1", "chkreptrans=0");
    EXPECT_EQ(stored(), expected);
}

TEST_F(IniFile, NewKeysFollowTheSectionsLastLineAndTheFilesLineEnds)
{
    store("[Opt]\r\na=1\r\n\r\n[Other]\r\nb=2");
    EXPECT_TRUE(write("Opt", "c", QStringLiteral("3")));
    EXPECT_TRUE(write("Other", "d", QStringLiteral("4")));
    EXPECT_TRUE(write("New", "e", QStringLiteral("5")));
    EXPECT_EQ(stored(), "[Opt]\r\na=1\r\nc=3\r\n\r\n[Other]\r\nb=2\r\nd=4\r\n[New]\r\ne=5\r\n");
}

TEST_F(IniFile, ByteOrderMarkAndMixedLineEndsSurviveAWrite)
{
    const QByteArray before = "\xEF\xBB\xBF[Opt]\nA=1\r\nB=2\n";
    store(before);
    EXPECT_EQ(read("Opt", "A"), QStringLiteral("1"));
    EXPECT_TRUE(write("Opt", "B", QStringLiteral("3")));
    EXPECT_EQ(stored(), "\xEF\xBB\xBF[Opt]\nA=1\r\nB=3\n");
}

TEST_F(IniFile, ValuesAreCutTo2047CharactersOnReading)
{
    const QString longValue(5000, u'x');
    EXPECT_TRUE(write("Opt", "DefDir0", longValue));
    EXPECT_EQ(read("Opt", "DefDir0").size(), 2047);
    EXPECT_TRUE(stored().contains(longValue.toUtf8())); // the file keeps the whole value
}

TEST_F(IniFile, NonAsciiFolderNamesRoundTrip)
{
    const QString folderName = QStringLiteral("/home/j\u00F6rg/Tiles \u6F22");
    EXPECT_TRUE(write("Opt", "DefDir0", folderName));
    EXPECT_EQ(read("Opt", "DefDir0"), folderName);
}

TEST_F(IniFile, ALineBreakInAValueIsRefusedRatherThanSplittingTheLine)
{
    store("[Opt]\nDefDir0=/a\n");
    EXPECT_FALSE(write("Opt", "DefDir0", QStringLiteral("/b\n[Evil]")));
    EXPECT_EQ(stored(), "[Opt]\nDefDir0=/a\n");
}

TEST_F(IniFile, JunkFilesNeverCrashAndGiveDefaults)
{
    QByteArray junk;
    for (int i = 0; i < 4096; ++i)
        junk.append(char((i * 151 + 7) % 256));
    store(junk);
    EXPECT_EQ(read("Opt", "ChkRepTrans"), QStringLiteral("default"));
    EXPECT_TRUE(write("Opt", "ChkRepTrans", QStringLiteral("1")));
    EXPECT_TRUE(stored().startsWith(junk));
    EXPECT_EQ(read("Opt", "ChkRepTrans"), QStringLiteral("1"));
}

TEST_F(IniFile, HugeLinesMissingFinalLineEndAndKeysBeforeAnySection)
{
    const QByteArray hugeLine(100000, 'q');
    store("Orphan=1\n" + hugeLine + "\n[Opt]\nKey=" + hugeLine + "\n[section\nInside=2");
    EXPECT_EQ(read("", "Orphan"), QStringLiteral("default"));
    EXPECT_EQ(read("Opt", "Key").size(), 2047);
    EXPECT_EQ(read("section", "Inside"), QStringLiteral("2"));
    EXPECT_TRUE(write("section", "Inside", QStringLiteral("3")));
    EXPECT_TRUE(stored().startsWith("Orphan=1\n" + hugeLine + "\n[Opt]\nKey=" + hugeLine + "\n"));
    EXPECT_TRUE(stored().endsWith("[section\nInside=3"));
}

TEST_F(IniFile, DuplicateKeysReadTheFirstAndWriteTheFirst)
{
    store("[Opt]\nA=1\nA=2\n");
    EXPECT_EQ(read("Opt", "A"), QStringLiteral("1"));
    EXPECT_TRUE(write("Opt", "A", QStringLiteral("9")));
    EXPECT_EQ(stored(), "[Opt]\nA=9\nA=2\n");
}

TEST_F(IniFile, UnwritableFileOrFolderFailsWithoutDamage)
{
    store("[Opt]\nA=1\n");
    QFile::setPermissions(path(), QFile::ReadOwner);
    EXPECT_FALSE(write("Opt", "A", QStringLiteral("2")));
    QFile::setPermissions(path(), QFile::ReadOwner | QFile::WriteOwner);
    EXPECT_EQ(stored(), "[Opt]\nA=1\n");

    const QString missingFolder = folder.file(QStringLiteral("no/such/Vexlo.INI"));
    EXPECT_FALSE(WriteIniString(missingFolder, QStringLiteral("Opt"), QStringLiteral("A"), QStringLiteral("1")));
    EXPECT_EQ(ReadIniString(missingFolder, QStringLiteral("Opt"), QStringLiteral("A"), QStringLiteral("d")),
              QStringLiteral("d"));
}

TEST_F(IniFile, AReadOnlyFolderOrAWriteCutShortFailsWithoutDamage)
{
    const QByteArray before = "; notes\n[Opt]\nA=1\n;" + QByteArray(2000, '-') + "\n";
    store(before);
    {
        const test::ReadOnlyFolder readOnly(folder.path());
        ASSERT_TRUE(readOnly.holds());
        EXPECT_FALSE(write("Opt", "A", QStringLiteral("2")));
        EXPECT_FALSE(write("New", "B", QStringLiteral("1")));
        EXPECT_EQ(read("Opt", "A"), QStringLiteral("1"));
    }
    EXPECT_TRUE(test::InChildUnderFileSizeLimit(1000, [&] { return !write("Opt", "A", QStringLiteral("2")); }));
    EXPECT_EQ(stored(), before);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Vexlo.INI")});
}

TEST_F(IniFile, ASettingsFileThatIsNoRegularFileIsReadAsEmptyAndNeverWritten)
{
    const QString fifo = folder.file(QStringLiteral("settings.fifo"));
    ASSERT_EQ(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(fifo, path()));
    // Opening a FIFO that nobody writes would never come back.
    EXPECT_TRUE(test::InChildWithin(5000, [&] {
        return read("Opt", "ChkStartWiz") == QStringLiteral("default")
               && !write("Opt", "ChkStartWiz", QStringLiteral("0"));
    }));
    EXPECT_FALSE(write("Opt", "ChkStartWiz", QStringLiteral("0")));
    EXPECT_TRUE(QFileInfo(path()).isSymLink());
    struct stat status {};
    ASSERT_EQ(stat(QFile::encodeName(fifo).constData(), &status), 0);
    EXPECT_TRUE(S_ISFIFO(status.st_mode));

    // Nor is a link to nothing, which would leave the file it names unmade.
    QFile::remove(fifo);
    EXPECT_FALSE(write("Opt", "ChkStartWiz", QStringLiteral("0")));
    EXPECT_TRUE(QFileInfo(path()).isSymLink());
    EXPECT_FALSE(QFileInfo::exists(fifo));
}

TEST(PlainNumberText, WholeNumbersHaveNoPointAndFractionsNoExponent)
{
    EXPECT_EQ(PlainNumberText(0), QStringLiteral("0"));
    EXPECT_EQ(PlainNumberText(-1), QStringLiteral("-1"));
    EXPECT_EQ(PlainNumberText(2.5), QStringLiteral("2.5"));
    EXPECT_EQ(PlainNumberText(1000000), QStringLiteral("1000000"));
}

} // namespace
} // namespace vexlo
