// The settings record in the settings file, without any window.
#include "settings/options.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

namespace vexlo {
namespace {

class OptionsFile : public ::testing::Test {
protected:
    QString path() const { return folder.file(QStringLiteral("Vexlo.INI")); }
    void store(const QByteArray &bytes) const { folder.write(QStringLiteral("Vexlo.INI"), bytes); }
    QByteArray stored() const { return folder.read(QStringLiteral("Vexlo.INI")); }

    test::TempFolder folder;
};

TEST_F(OptionsFile, ASwitchTakesZeroOneOrTwoAndKeepsItsStateForAnythingElse)
{
    const std::pair<const char *, std::int16_t> cases[] = {
        {"0", 0}, {"1", 1},  {"2", 2},    {"abc", 0}, {"0.5", 0}, {"1.5", 2}, {"2.5", 2},   {"-0.4", 0},
        {"7", 1}, {"-1", 1}, {"True", 1}, {"3", 1},   {"", 0},    {"&H2", 2}, {"1e400", 1}};
    for (const auto &[storedText, state] : cases) {
        store(QByteArray("[Opt]\nChkRepTrans=") + storedText + "\n");
        Options options; // ticked on a new installation
        options.load(path());
        EXPECT_EQ(options.state(OptSwitch::ChkRepTrans), state) << storedText;
    }
}

TEST_F(OptionsFile, TwoCopiesSavingAtOnceLeaveAllOfOnesKeysNeverAMix)
{
    Options one;
    Options other;
    other.setState(OptSwitch::ChkRepTrans, 0);
    other.setDefDir(0, QStringLiteral("/other"));
    const QByteArray ones = "[Opt]\nChkStartWiz=1\nChkRememberDirs=1\nDefDirS1=\nDefDirS0=\nDefDir1=\nDefDir0=\n"
                            "ChkRepTransL=0\nChkRepTrans=1\nChkAlphaToKeys=0\n";
    QByteArray others = ones;
    others.replace("DefDir0=\n", "DefDir0=/other\n").replace("ChkRepTrans=1", "ChkRepTrans=0");
    for (int round = 0; round < 30; ++round) {
        int go[2];
        ASSERT_EQ(pipe(go), 0);
        pid_t children[2];
        for (int i = 0; i < 2; ++i) {
            children[i] = fork();
            ASSERT_NE(children[i], -1);
            if (children[i] == 0) {
                char byte;
                close(go[1]);
                _exit(read(go[0], &byte, 1) == 1 && (i == 0 ? one : other).save(path()) ? 0 : 1);
            }
        }
        close(go[0]);
        EXPECT_EQ(write(go[1], "!!", 2), 2);
        close(go[1]);
        for (pid_t child : children)
            waitpid(child, nullptr, 0);
        const QByteArray saved = stored();
        ASSERT_TRUE(saved == ones || saved == others) << "round " << round << ":\n" << saved.constData();
    }
}

} // namespace
} // namespace vexlo
