// The odd macro files of tests/data/macro, and two too big to keep there
// (made here): each read as the macro dialog reads it, to the exact lines,
// then played on two sheets, to the exact outcome.
#include "common/failure.h"
#include "io/macro_file.h"
#include "macro/macro_player.h"
#include "model/macro_list.h"
#include "model/workspace.h"
#include "support/pixels.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <memory>

namespace vexlo {
namespace {

using test::PatternSheet;
using test::SamePixels;
using test::SheetTile;

QString DataFile(const char *name)
{
    return QStringLiteral(VEXLO_TEST_DATA "/macro/") + QString::fromLatin1(name);
}

QString Bytes(const char *bytes, qsizetype size)
{
    return QString::fromLatin1(bytes, size);
}

struct MacroCase {
    const char *file;
    QStringList lines;
    // What playing them does: the tile (2, 5) of the left sheet in buffer 0
    // or not, and on the right sheet at (0, 1) or not; or the halt.
    bool tileInBuffer;
    bool tileOnRight;
    qsizetype haltLine;
    const char *haltDescription;
};

const QStringList kCopyDrag{QStringLiteral("Get,0,0,2,5"), QStringLiteral("Put,1,0,0,1,-1"),
                            QStringLiteral("Cls,0")};

// Two sheets of known pixels, read into the macro from the file and played.
class MacroRegressionFile : public ::testing::Test {
protected:
    void SetUp() override
    {
        workspace = std::make_unique<Workspace>();
        workspace->setSheet(0, PatternSheet(1, 256));
        workspace->setSheet(1, PatternSheet(2, 256));
    }

    PlayResult readAndPlay(const QString &path)
    {
        workspace->setMacroLines(ReadMacroFile(path));
        return PlayMacroLines(*workspace);
    }

    QImage leftTile() const { return SheetTile(workspace->sheet(0), 2, 5); }

    std::unique_ptr<Workspace> workspace;
};

TEST_F(MacroRegressionFile, EachKeptFileGivesItsExactLinesAndPlaysToItsExactOutcome)
{
    const MacroCase cases[] = {
        {"copy-drag-crlf.vmi", kCopyDrag, false, true, -1, ""},
        {"copy-drag-lf.vmi", kCopyDrag, false, true, -1, ""},
        {"no-final-line-end.vmi", {QStringLiteral("Get,0,0,2,5"), QStringLiteral("Cls,0")}, false, false, -1, ""},
        // A NUL is an ordinary character: "0", NUL reads as 0, and so does NUL, "0" (no number at its start).
        {"nul-bytes.vmi", {Bytes("Get,0\0,0,2,5", 12), Bytes("Cls,\0" "0", 6)}, false, false, -1, ""},
        // A lone CR stays inside its line; "5\rCls" reads as 5, the rest of the line is extra fields.
        {"lone-cr.vmi", {QStringLiteral("Get,0,0,2,5\rCls,0")}, true, false, -1, ""},
        // Bytes above 127 come back as they were; an unknown keyword is skipped.
        {"non-ascii.vmi", {Bytes("Get,0,0,2,5 \xE9\xFF\x80", 15), Bytes("\xC3\xA4,1", 4)}, true, false, -1, ""},
        // ",,," has the empty keyword, skipped; an empty line has no keyword at all.
        {"empty-fields.vmi", {QStringLiteral(",,,"), QString(), QStringLiteral("PUT,,,,,")}, false, false, 1,
         "Subscript out of range"},
        // Not 8-bit text: two lines of unknown keywords.
        {"utf16-bom.vmi", {Bytes("\xFF\xFEG\0e\0t\0\r\0", 10), Bytes("\0", 1)}, false, false, -1, ""},
    };
    for (const MacroCase &c : cases) {
        SCOPED_TRACE(c.file);
        SetUp(); // fresh sheets and buffers
        const PlayResult result = readAndPlay(DataFile(c.file));
        EXPECT_EQ(workspace->macro().lines(), c.lines);
        EXPECT_EQ(result.line, c.haltLine);
        EXPECT_EQ(result.description, QString::fromLatin1(c.haltDescription));
        EXPECT_EQ(result.outcome, c.haltLine < 0 ? PlayResult::Outcome::Played : PlayResult::Outcome::Halted);
        EXPECT_EQ(SamePixels(workspace->buffer(0), leftTile()), c.tileInBuffer);
        EXPECT_EQ(SamePixels(SheetTile(workspace->sheet(1), 0, 1), leftTile()), c.tileOnRight);
        EXPECT_TRUE(SamePixels(workspace->sheet(0), PatternSheet(1, 256))) << "nothing put on the left sheet";
    }
}

TEST_F(MacroRegressionFile, FortyThousandLinesAreRefusedAndTheMacroIsKept)
{
    test::TempFolder folder;
    QByteArray lines;
    for (int i = 0; i < 40000; ++i)
        lines += "Cls,0\r\n";
    folder.write(QStringLiteral("long.vmi"), lines);
    workspace->setMacroLines(kCopyDrag);
    try {
        workspace->setMacroLines(ReadMacroFile(folder.file(QStringLiteral("long.vmi"))));
        ADD_FAILURE() << "read";
    } catch (const Failure &failure) {
        EXPECT_EQ(failure.description(), QStringLiteral("A macro holds at most 32,767 lines; this one would have 40,000."));
    }
    EXPECT_EQ(workspace->macro().lines(), kCopyDrag);

    // The most a macro holds is read and played in full.
    folder.write(QStringLiteral("full.vmi"), lines.left(MacroList::kMaxLines * 7));
    EXPECT_EQ(readAndPlay(folder.file(QStringLiteral("full.vmi"))).outcome, PlayResult::Outcome::Played);
    EXPECT_EQ(workspace->macro().count(), MacroList::kMaxLines);
}

TEST_F(MacroRegressionFile, TenThousandFieldsOnOneLineAreOneEntryWhoseExtraFieldsAreIgnored)
{
    test::TempFolder folder;
    QByteArray line = "Get,0,0,2,5";
    for (int field = 5; field < 10000; ++field)
        line += ",9";
    folder.write(QStringLiteral("wide.vmi"), line + "\r\nPut,1,0,0,1,-1\r\n");
    const PlayResult result = readAndPlay(folder.file(QStringLiteral("wide.vmi")));
    ASSERT_EQ(workspace->macro().count(), 2);
    EXPECT_EQ(workspace->macro().lines().first().toLatin1(), line);
    EXPECT_EQ(result.outcome, PlayResult::Outcome::Played);
    EXPECT_TRUE(SamePixels(SheetTile(workspace->sheet(1), 0, 1), leftTile()));
}

} // namespace
} // namespace vexlo
