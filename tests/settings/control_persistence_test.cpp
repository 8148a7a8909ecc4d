#include "settings/app_path.h"
#include "settings/mod_save_opts.h"
#include "support/temp_folder.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

#include <gtest/gtest.h>

#include <functional>
#include <sys/wait.h>
#include <unistd.h>

namespace vexlo {
namespace {

template <typename Control>
Control *Coded(QWidget *parent, const char *name, const char *tag, int index = -1)
{
    auto *control = new Control(parent);
    control->setObjectName(QString::fromLatin1(name));
    control->setProperty("Tag", QString::fromLatin1(tag));
    if (index >= 0)
        control->setProperty("Index", index);
    return control;
}

// A window with one control of each code, an array member with a two-digit
// index and controls whose tags are no code at all.
struct SampleWindow : QWidget {
    SampleWindow()
    {
        setObjectName(QStringLiteral("Sample"));
        Switch = Coded<QCheckBox>(this, "Switch", "C");
        Switch->setChecked(true);
        First = Coded<QRadioButton>(this, "Choice", "O", 0);
        Second = Coded<QRadioButton>(this, "Choice", "O", 1);
        First->setChecked(true);
        Count = Coded<QLineEdit>(this, "Count", "N");
        Count->setText(QStringLiteral("5"));
        Name = Coded<QLineEdit>(this, "Name", "T", 10);
        Name->setText(QStringLiteral("start"));
        auto *button = Coded<QPushButton>(this, "Button", "");
        button->setText(QStringLiteral("OK"));
        Coded<QLineEdit>(this, "LowerCase", "t")->setText(QStringLiteral("x"));
        Coded<QLineEdit>(this, "Blank", "T ")->setText(QStringLiteral("x"));
        Coded<QCheckBox>(this, "TwoLetters", "CC");
        new QLabel(QStringLiteral("no tag"), this);
    }

    QCheckBox *Switch;
    QRadioButton *First;
    QRadioButton *Second;
    QLineEdit *Count;
    QLineEdit *Name;
};

class ControlPersistence : public ::testing::Test {
protected:
    void SetUp() override { InitAppPath(folder.path()); }

    QByteArray stored() const { return folder.read(QStringLiteral("Vexlo.INI")); }
    void store(const QByteArray &bytes) const { folder.write(QStringLiteral("Vexlo.INI"), bytes); }
    void save(QWidget &window) const
    {
        QString file;
        SaveControls(window, file);
    }
    void load(QWidget &window) const
    {
        QString file;
        LoadControls(window, file);
    }

    test::TempFolder folder;
};

TEST_F(ControlPersistence, ANewFileHoldsTheCodedControlsInTheWindowsOrderAndNothingElse)
{
    SampleWindow window;
    QString file;
    SaveControls(window, file);
    EXPECT_EQ(file, IniPath()) << "an empty file argument means the settings file";
    EXPECT_EQ(stored(), QByteArray("[Sample]\nSwitch=1\nChoice0=True\nChoice1=False\nCount=5\nName10=start\n"));
}

TEST_F(ControlPersistence, AGivenFileIsUsedAndKeptAsItWas)
{
    SampleWindow window;
    QString file = folder.file(QStringLiteral("other.ini"));
    const QString given = file;
    SaveControls(window, file);
    EXPECT_EQ(file, given);
    EXPECT_TRUE(stored().isEmpty());
    EXPECT_TRUE(folder.read(QStringLiteral("other.ini")).startsWith("[Sample]\n"));
}

TEST_F(ControlPersistence, EveryCodeRoundTripsThroughTheFile)
{
    SampleWindow saved;
    saved.Switch->setCheckState(Qt::PartiallyChecked);
    saved.Second->setChecked(true);
    saved.Count->setText(QStringLiteral("-42"));
    saved.Name->setText(QStringLiteral("/home/user/sheets with blanks"));
    save(saved);

    SampleWindow restored;
    load(restored);
    EXPECT_EQ(restored.Switch->checkState(), Qt::PartiallyChecked);
    EXPECT_FALSE(restored.First->isChecked());
    EXPECT_TRUE(restored.Second->isChecked());
    EXPECT_EQ(restored.Count->text(), QStringLiteral("-42"));
    EXPECT_EQ(restored.Name->text(), QStringLiteral("/home/user/sheets with blanks"));
}

TEST_F(ControlPersistence, MissingFileSectionOrKeysLeaveTheDesignStates)
{
    SampleWindow window;
    load(window); // no file at all
    EXPECT_TRUE(window.Switch->isChecked());
    EXPECT_EQ(window.Name->text(), QStringLiteral("start"));

    store("[Other]\nSwitch=0\n");
    load(window);
    EXPECT_TRUE(window.Switch->isChecked());

    store("[Sample]\nName10=restored\n");
    load(window);
    EXPECT_TRUE(window.Switch->isChecked());
    EXPECT_TRUE(window.First->isChecked());
    EXPECT_EQ(window.Count->text(), QStringLiteral("5"));
    EXPECT_EQ(window.Name->text(), QStringLiteral("restored"));
}

TEST_F(ControlPersistence, NumberTextsAreRestoredAsThePlainNumberTheyBeginWith)
{
    const std::pair<const char *, const char *> cases[] = {
        {"12ab", "12"}, {"", "0"}, {"  -3.5e1x", "-35"}, {"abc", "0"}, {"007", "7"}, {"&H1F", "31"}};
    for (const auto &[storedText, shown] : cases) {
        store(QByteArray("[Sample]\nCount=") + storedText + "\n");
        SampleWindow window;
        load(window);
        EXPECT_EQ(window.Count->text(), QString::fromLatin1(shown)) << storedText;
    }
}

TEST_F(ControlPersistence, ACheckBoxTakesZeroOneOrTwoAndKeepsItsStateForAnythingElse)
{
    const std::pair<const char *, Qt::CheckState> cases[] = {
        {"0", Qt::Unchecked},  {"1", Qt::Checked},  {"2", Qt::PartiallyChecked}, {"abc", Qt::Unchecked},
        {"0.5", Qt::Unchecked}, {"1.5", Qt::PartiallyChecked}, {"7", Qt::Checked}, {"-1", Qt::Checked},
        {"True", Qt::Checked}, {"3", Qt::Checked}, {"", Qt::Unchecked}};
    for (const auto &[storedText, state] : cases) {
        store(QByteArray("[Sample]\nSwitch=") + storedText + "\n");
        SampleWindow window; // ticked at design time
        load(window);
        EXPECT_EQ(window.Switch->checkState(), state) << storedText;
    }
}

TEST_F(ControlPersistence, OptionButtonsAreOnForAnyNumberButZero)
{
    store("[Sample]\nChoice0=0\nChoice1=5\n");
    SampleWindow window;
    load(window);
    EXPECT_TRUE(window.Second->isChecked());
    EXPECT_FALSE(window.First->isChecked());
}

TEST_F(ControlPersistence, RestoringRaisesChangeSignalsExactlyWhenAStateChanges)
{
    SampleWindow window;
    QSignalSpy switchChanges(window.Switch, &QCheckBox::stateChanged);
    QSignalSpy nameChanges(window.Name, &QLineEdit::textChanged);
    store("[Sample]\nSwitch=1\nName10=start\n");
    load(window);
    EXPECT_EQ(switchChanges.count(), 0);
    EXPECT_EQ(nameChanges.count(), 0);
    store("[Sample]\nSwitch=0\nName10=moved\n");
    load(window);
    EXPECT_EQ(switchChanges.count(), 1);
    EXPECT_EQ(nameChanges.count(), 1);
}

TEST_F(ControlPersistence, LaterSavesReplaceValuesInPlaceAndKeepEveryOtherLine)
{
    const QByteArray before = "; kept comment\r\n[Sample]\r\nName10=old\r\nUnknown=keep me\r\nSwitch=0\r\n"
                              "[Other]\r\nSwitch=9\r\n";
    store(before);
    SampleWindow window;
    save(window);
    EXPECT_EQ(stored(), QByteArray("; kept comment\r\n[Sample]\r\nName10=start\r\nUnknown=keep me\r\nSwitch=1\r\n"
                                   "Choice0=True\r\nChoice1=False\r\nCount=5\r\n[Other]\r\nSwitch=9\r\n"));
}

// Runs `save` in two processes at once, started together.
void SaveAtOnce(const std::function<void()> &first, const std::function<void()> &second)
{
    int go[2];
    ASSERT_EQ(pipe(go), 0);
    pid_t children[2];
    for (int i = 0; i < 2; ++i) {
        children[i] = fork();
        ASSERT_NE(children[i], -1);
        if (children[i] == 0) {
            char byte;
            close(go[1]);
            _exit(read(go[0], &byte, 1) == 1 ? ((i == 0 ? first : second)(), 0) : 1);
        }
    }
    close(go[0]);
    EXPECT_EQ(write(go[1], "!!", 2), 2);
    close(go[1]);
    for (pid_t child : children)
        waitpid(child, nullptr, 0);
}

TEST_F(ControlPersistence, TwoCopiesSavingAtOnceLeaveAllOfOnesKeysNeverAMix)
{
    SampleWindow one;
    SampleWindow other;
    other.Switch->setChecked(false);
    other.Second->setChecked(true);
    other.Count->setText(QStringLiteral("7"));
    other.Name->setText(QStringLiteral("other"));
    const QByteArray ones = "[Sample]\nSwitch=1\nChoice0=True\nChoice1=False\nCount=5\nName10=start\n";
    const QByteArray others = "[Sample]\nSwitch=0\nChoice0=False\nChoice1=True\nCount=7\nName10=other\n";
    for (int round = 0; round < 30; ++round) {
        SaveAtOnce([&] { save(one); }, [&] { save(other); });
        const QByteArray saved = stored();
        ASSERT_TRUE(saved == ones || saved == others) << "round " << round << ":\n" << saved.constData();
    }
}

TEST(HasIndex, OnlyControlsWithAWholeNumberIndexAreArrayMembers)
{
    QObject plain;
    EXPECT_FALSE(HasIndex(plain));
    plain.setProperty("Index", 0);
    EXPECT_TRUE(HasIndex(plain));
    plain.setProperty("Index", QStringLiteral("first"));
    EXPECT_FALSE(HasIndex(plain));
}

} // namespace
} // namespace vexlo
