// The odd settings files of tests/data/ini: the exact values read from each,
// and a write that changes one value and keeps every other byte.
#include "settings/ini_file.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

namespace vexlo {
namespace {

// One regression file as the program's settings file.
class IniRegressionFile : public ::testing::Test {
protected:
    QByteArray use(const char *name) const
    {
        const QByteArray bytes = test::TestData(QStringLiteral("ini/") + QString::fromLatin1(name));
        folder.write(QStringLiteral("Vexlo.INI"), bytes);
        return bytes;
    }
    QString read(const char *section, const char *key) const
    {
        return ReadIniString(path(), QString::fromLatin1(section), QString::fromLatin1(key),
                             QStringLiteral("default"));
    }
    bool write(const char *section, const char *key, const char *value) const
    {
        return WriteIniString(path(), QString::fromLatin1(section), QString::fromLatin1(key),
                              QString::fromLatin1(value));
    }
    QByteArray stored() const { return folder.read(QStringLiteral("Vexlo.INI")); }
    // The file as it was with one line replaced by another.
    static QByteArray Replaced(QByteArray before, const QByteArray &line, const QByteArray &by)
    {
        return before.replace(line, by);
    }
    QString path() const { return folder.file(QStringLiteral("Vexlo.INI")); }

    test::TempFolder folder;
};

TEST_F(IniRegressionFile, AUtf8ByteOrderMarkIsNoPartOfTheFirstSectionAndStaysAtTheFront)
{
    const QByteArray before = use("bom.ini");
    EXPECT_EQ(read("Opt", "ChkStartWiz"), QStringLiteral("0"));
    EXPECT_TRUE(write("Opt", "ChkRepTrans", "1"));
    EXPECT_EQ(stored(), before + "ChkRepTrans=1\n");
}

TEST_F(IniRegressionFile, CarriageReturnLineFeedLinesKeepTheirEndsAndNewLinesGetThem)
{
    use("crlf.ini");
    EXPECT_EQ(read("Opt", "ChkStartWiz"), QStringLiteral("0"));
    EXPECT_EQ(read("Opt", "ChkRepTransL"), QStringLiteral("1"));
    EXPECT_TRUE(write("Opt", "ChkStartWiz", "1"));
    EXPECT_TRUE(write("Opt", "ChkRepTrans", "0"));
    EXPECT_EQ(stored(), "[Opt]\r\nChkStartWiz=1\r\nChkRepTransL=1\r\nChkRepTrans=0\r\n");
}

TEST_F(IniRegressionFile, AMissingFinalLineEndIsAddedOnlyWhenALineFollows)
{
    use("no-final-newline.ini");
    EXPECT_EQ(read("Opt", "ChkRepTrans"), QStringLiteral("0"));
    EXPECT_TRUE(write("Opt", "ChkRepTrans", "1"));
    EXPECT_EQ(stored(), "[Opt]\nChkStartWiz=0\nChkRepTrans=1");
    EXPECT_TRUE(write("Opt", "ChkRepTransL", "1"));
    EXPECT_EQ(stored(), "[Opt]\nChkStartWiz=0\nChkRepTrans=1\nChkRepTransL=1\n");
}

TEST_F(IniRegressionFile, LoneCarriageReturnsDoNotEndLines)
{
    // Only a line feed ends a line: the whole file is the section's header
    // line, so no key of it is found and a new key goes on a line of its own.
    const QByteArray before = use("lone-cr.ini");
    EXPECT_EQ(read("Opt", "ChkStartWiz"), QStringLiteral("default"));
    EXPECT_EQ(read("Opt", "ChkRepTrans"), QStringLiteral("default"));
    EXPECT_TRUE(write("Opt", "ChkStartWiz", "1"));
    EXPECT_EQ(stored(), before + "\nChkStartWiz=1\n");
    EXPECT_EQ(read("Opt", "ChkStartWiz"), QStringLiteral("1"));
}

TEST_F(IniRegressionFile, ALastLineEndingInALoneCarriageReturnKeepsItWhenALineFollows)
{
    // Found by fuzzing the writer: the last line's CR is content, not half
    // of a line end, and stays when the line gets its own line end.
    const QByteArray before = use("last-line-lone-cr.ini");
    EXPECT_TRUE(before.endsWith("]0\r"));
    EXPECT_EQ(read("Opt", "ChkStartWiz"), QStringLiteral("default")) << "no line of it is a section header";
    EXPECT_TRUE(write("Opt", "ChkRepTrans", "1"));
    EXPECT_EQ(stored(), before + "\r\n[Opt]\r\nChkRepTrans=1\r\n");
}

TEST_F(IniRegressionFile, AFileOfOneUnendedLineEndingInACarriageReturnKeepsEveryByte)
{
    // Found by fuzzing the writer: with no line end to follow, new lines end
    // in LF, and the old bytes stay as they were in front of them.
    const QByteArray before = use("unterminated-lone-cr.ini");
    EXPECT_EQ(before, "[N_#l&ass_\r");
    EXPECT_TRUE(write("Opt", "ChkRepTrans", "1"));
    EXPECT_EQ(stored(), before + "\n[Opt]\nChkRepTrans=1\n");
    EXPECT_EQ(read("Opt", "ChkRepTrans"), QStringLiteral("1"));
    EXPECT_EQ(read("N_#l&ass_", "ChkRepTrans"), QStringLiteral("default"));
}

TEST_F(IniRegressionFile, AHundredThousandCharacterLineIsReadCutAndWrittenBackWhole)
{
    const QByteArray before = use("long-line.ini");
    EXPECT_EQ(read("Opt", "DefDir0"), QString(kIniValueMaxLength, u'x'));
    EXPECT_EQ(read("Opt", "ChkRepTrans"), QStringLiteral("0"));
    EXPECT_TRUE(write("Opt", "ChkRepTrans", "1"));
    EXPECT_EQ(stored(), Replaced(before, "ChkRepTrans=0", "ChkRepTrans=1"));
}

TEST_F(IniRegressionFile, NulBytesAreOrdinaryCharactersOfNamesAndValues)
{
    const QByteArray before = use("nul.ini");
    EXPECT_EQ(read("Opt", "ChkStartWiz"), QStringLiteral("default")) << "the key is ChkStart, NUL, Wiz";
    EXPECT_EQ(read("Opt", "ChkRepTrans"), QString::fromLatin1("0\0" "1", 3));
    EXPECT_EQ(ReadIniNumber(path(), QStringLiteral("Opt"), QStringLiteral("ChkRepTrans"), 5), 0);
    EXPECT_TRUE(write("Opt", "ChkRepTrans", "1"));
    EXPECT_EQ(stored(), Replaced(before, QByteArray("ChkRepTrans=0\0" "1", 15), "ChkRepTrans=1"));
}

TEST_F(IniRegressionFile, ASectionWithoutItsClosingBracketStillNamesItsSection)
{
    const QByteArray before = use("unclosed-section.ini");
    EXPECT_EQ(read("Opt", "ChkStartWiz"), QStringLiteral("0"));
    EXPECT_EQ(read("Other", "ChkRepTrans"), QStringLiteral("0"));
    EXPECT_EQ(read("Opt", "ChkRepTrans"), QStringLiteral("default"));
    EXPECT_TRUE(write("Opt", "ChkStartWiz", "1"));
    EXPECT_EQ(stored(), Replaced(before, "ChkStartWiz=0", "ChkStartWiz=1"));
}

TEST_F(IniRegressionFile, OfDuplicateKeysAndSectionsTheFirstIsReadAndWritten)
{
    const QByteArray before = use("duplicate-keys.ini");
    EXPECT_EQ(read("Opt", "ChkRepTrans"), QStringLiteral("0"));
    EXPECT_EQ(read("Opt", "ChkRepTransL"), QStringLiteral("default")) << "it is in the second [opt]";
    EXPECT_TRUE(write("Opt", "ChkRepTrans", "1"));
    EXPECT_TRUE(write("Opt", "ChkRepTransL", "0"));
    EXPECT_EQ(stored(), "[Opt]\nChkRepTrans=1\nChkRepTrans=1\nChkRepTransL=0\n[opt]\nChkRepTransL=1\n");
    EXPECT_EQ(read("Opt", "ChkRepTransL"), QStringLiteral("0"));
}

} // namespace
} // namespace vexlo
