// A recovery written and read back: every pixel, key colour, scroll value
// and macro line exact; anything cut short, damaged or swapped for a
// special file read as nothing, at once.
#include "recovery/recovery_files.h"
#include "support/pixels.h"
#include "support/temp_folder.h"
#include "support/test_colours.h"

#include <QDir>
#include <QFile>

#include <sys/stat.h>

#include <gtest/gtest.h>

namespace vexlo {
namespace {

using test::PatternSheet;
using test::SamePixels;

SessionSnapshot Sample()
{
    SessionSnapshot snapshot;
    snapshot.sheets = {PatternSheet(1, 80), PatternSheet(2, 2048)}; // 2.5 tiles high, and a tall one
    snapshot.transparent = {Colour(255, 0, 255), Colour(1, 2, 3)};
    snapshot.translucent = {kBlack, kWhite};
    snapshot.scroll = {0, 731};
    snapshot.macro = {QStringLiteral("Get,0,0,2,5"), QStringLiteral("Put,1,0,0,1,-1"), QStringLiteral("Cls,0"),
                      QString::fromLatin1("odd \xE9 bytes")};
    return snapshot;
}

class RecoveryFiles : public ::testing::Test {
protected:
    QString path(const char *name) const { return QDir(recovery).filePath(QString::fromLatin1(name)); }
    void cut(const char *name, qint64 bytes)
    {
        QFile file(path(name));
        ASSERT_TRUE(file.resize(file.size() - bytes));
    }

    void ReplaceWithLink(const char *name, const char *target)
    {
        ASSERT_TRUE(QFile::remove(path(name)));
        ASSERT_TRUE(QFile::link(QString::fromLatin1(target), path(name)));
        if (QByteArrayView(name) == "macro.vmi")
            ReplaceIndexValue(name, 1, "0");
    }
    void ReplaceWithFifo(const char *name)
    {
        ASSERT_TRUE(QFile::remove(path(name)));
        ASSERT_EQ(mkfifo(QFile::encodeName(path(name)).constData(), 0600), 0);
    }
    // Sets the index line's word number `word` (the name is word 0).
    void ReplaceIndexValue(const char *name, int word, const char *value)
    {
        QFile index(path("recovery.txt"));
        ASSERT_TRUE(index.open(QIODevice::ReadOnly));
        QList<QByteArray> lines = index.readAll().split('\n');
        index.close();
        for (QByteArray &line : lines) {
            QList<QByteArray> words = line.split(' ');
            if (words.value(0) == name) {
                words[word] = value;
                line = words.join(' ');
            }
        }
        ASSERT_TRUE(index.open(QIODevice::WriteOnly | QIODevice::Truncate));
        index.write(lines.join('\n'));
    }

    test::TempFolder folder;
    QString recovery = folder.file(QStringLiteral("some/recovery"));
};

TEST_F(RecoveryFiles, WhatIsWrittenIsReadBackExactly)
{
    const SessionSnapshot written = Sample();
    ASSERT_NO_THROW(WriteRecovery(recovery, written));
    EXPECT_TRUE(RecoveryLooksWhole(recovery));
    const std::optional<SessionSnapshot> read = ReadRecovery(recovery);
    ASSERT_TRUE(read.has_value());
    for (int pane = 0; pane < 2; ++pane) {
        EXPECT_TRUE(SamePixels(read->sheets[pane], written.sheets[pane])) << pane;
        EXPECT_EQ(read->transparent[pane], written.transparent[pane]);
        EXPECT_EQ(read->translucent[pane], written.translucent[pane]);
        EXPECT_EQ(read->scroll[pane], written.scroll[pane]);
    }
    EXPECT_EQ(read->macro, written.macro);

    // Written again over the first: still one set, nothing left beside it.
    ASSERT_NO_THROW(WriteRecovery(recovery, Sample()));
    EXPECT_EQ(QDir(recovery).entryList(QDir::Files | QDir::Hidden).size(), 4);
}

TEST_F(RecoveryFiles, ATallSheetsScrollValuePastAThousandIsKeptAndAnyValueHeldToItsSheet)
{
    SessionSnapshot written = Sample();
    written.sheets[1] = PatternSheet(2, 32768); // 1024 tiles: a scroll range of 0 to 1024
    const struct {
        std::array<int, 2> scroll;
        std::array<int, 2> read;
    } cases[] = {{{0, 1020}, {0, 1020}}, {{1020, 5000}, {1000, 1024}}, {{-7, 1024}, {0, 1024}}};
    for (const auto &c : cases) {
        written.scroll = c.scroll;
        ASSERT_NO_THROW(WriteRecovery(recovery, written));
        const std::optional<SessionSnapshot> read = ReadRecovery(recovery);
        ASSERT_TRUE(read.has_value());
        EXPECT_EQ(read->scroll, c.read);
    }
}

TEST_F(RecoveryFiles, ARecoveryCutShortOrDamagedIsReadAsNothing)
{
    const std::function<void()> damages[] = {
        [&] { cut("left.bmp", 1); },
        [&] { cut("right.bmp", 768); },
        [&] { cut("macro.vmi", 2); },
        [&] { QFile(path("recovery.txt")).resize(20); },
        [&] { ReplaceWithLink("macro.vmi", "/dev/zero"); }, // size 0, as the index may claim
        [&] { ReplaceWithFifo("left.bmp"); },                // would never open
        [&] { ReplaceIndexValue("left.bmp", 2, "16777216"); }, // a key colour past 24 bits
        [&] {
            // Same size, another kind of file: no plain bitmap.
            QFile file(path("left.bmp"));
            ASSERT_TRUE(file.open(QIODevice::ReadWrite));
            file.write("XX");
        },
    };
    int which = 0;
    for (const auto &damage : damages) {
        SCOPED_TRACE(which++);
        QDir(recovery).removeRecursively();
        ASSERT_NO_THROW(WriteRecovery(recovery, Sample()));
        damage();
        EXPECT_FALSE(ReadRecovery(recovery).has_value());
    }
}

} // namespace
} // namespace vexlo
