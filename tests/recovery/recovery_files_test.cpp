// A recovery written and read back: every pixel, key colour, scroll value
// and macro line exact; anything cut short or damaged read as nothing.
#include "recovery/recovery_files.h"
#include "support/pixels.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace vexlo {
namespace {

using test::PatternSheet;
using test::SamePixels;

SessionSnapshot Sample()
{
    SessionSnapshot snapshot;
    snapshot.sheets = {PatternSheet(1, 80), PatternSheet(2, 2048)}; // 2.5 tiles high, and a tall one
    snapshot.transparent = {ColourFromRgb(255, 0, 255), ColourFromRgb(1, 2, 3)};
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

    test::TempFolder folder;
    QString recovery = folder.file(QStringLiteral("some/recovery"));
};

TEST_F(RecoveryFiles, WhatIsWrittenIsReadBackExactly)
{
    const SessionSnapshot written = Sample();
    ASSERT_EQ(WriteRecovery(recovery, written), QString());
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
    ASSERT_EQ(WriteRecovery(recovery, Sample()), QString());
    EXPECT_EQ(QDir(recovery).entryList(QDir::Files | QDir::Hidden).size(), 4);
}

TEST_F(RecoveryFiles, ARecoveryCutShortOrDamagedIsReadAsNothing)
{
    const std::function<void()> damages[] = {
        [&] { cut("left.bmp", 1); },
        [&] { cut("right.bmp", 768); },
        [&] { cut("macro.vmi", 2); },
        [&] { QFile(path("recovery.txt")).resize(20); },
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
        ASSERT_EQ(WriteRecovery(recovery, Sample()), QString());
        damage();
        EXPECT_FALSE(ReadRecovery(recovery).has_value());
    }
}

} // namespace
} // namespace vexlo
