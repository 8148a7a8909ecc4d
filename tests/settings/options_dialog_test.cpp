#include "settings/app_path.h"
#include "settings/opt.h"
#include "support/modal.h"
#include "support/temp_folder.h"

#include <QApplication>
#include <QFile>

#include <gtest/gtest.h>

namespace vexlo {
namespace {

class OptionsDialog : public ::testing::Test {
protected:
    void SetUp() override { InitAppPath(folder.path()); }

    QByteArray stored() const { return folder.read(QStringLiteral("Vexlo.INI")); }
    void store(const QByteArray &bytes) const { folder.write(QStringLiteral("Vexlo.INI"), bytes); }
    // The dialog loaded with the settings file in force, as the main window
    // does it.
    std::unique_ptr<Opt> loaded()
    {
        options.load(IniPath());
        auto opt = std::make_unique<Opt>(options);
        opt->Form_Load();
        return opt;
    }
    void unload() const { options.save(IniPath()); }

    test::TempFolder folder;
    Options options;
};

TEST_F(OptionsDialog, ShowsTheDesignCaptionsTipsAndPlaces)
{
    const auto opt = loaded();
    EXPECT_EQ(opt->windowTitle(), QStringLiteral("Options"));
    EXPECT_EQ(opt->size(), QSize(327, 160));
    EXPECT_EQ(opt->minimumSize(), opt->maximumSize()) << "fixed size";

    struct Expected {
        const char *box;
        const char *caption;
        const char *tip;
        QRect geometry;
    };
    const Expected boxes[] = {
        {"ChkRepTrans", "Replace transparent colour",
         "When copying tiles the transpatent colour of the source image will be changed to the transparent "
         "colour of the second.",
         QRect(8, 8, 193, 17)},
        {"ChkRepTransL", "Replace translucent colour",
         "When copying tiles the translucent colour of the source image will be changed to the translucent "
         "colour of the second.",
         QRect(8, 32, 193, 17)},
        {"ChkRememberDirs", "Remember load/save directories",
         "The directories for load/save and right/left last used will be saved when the program is closed and "
         "recalled when it is restarted.",
         QRect(8, 56, 193, 17)},
        {"ChkStartWiz", "Wizard mode - show options and load dialogue at startup",
         "Options / load left / load right auto at startup", QRect(8, 80, 313, 17)},
    };
    for (const Expected &expected : boxes) {
        const ShownControl box = opt->shown(QString::fromLatin1(expected.box));
        EXPECT_EQ(box.text, QString::fromUtf8(expected.caption));
        EXPECT_EQ(box.tip, QString::fromUtf8(expected.tip));
        EXPECT_EQ(box.geometry, expected.geometry) << expected.caption;
        EXPECT_LE(box.neededWidth, expected.geometry.width()) << "caption fits: " << expected.caption;
    }
    const ShownControl label1 = opt->shown(QStringLiteral("Label1"));
    EXPECT_EQ(opt->shown(QStringLiteral("Label2")).text, QStringLiteral("Version 2.1.13."));
    EXPECT_TRUE(label1.text.contains(QStringLiteral("Vexlo developers")));
    EXPECT_EQ(label1.geometry.width(), 113);
    EXPECT_LE(label1.neededWidth, 113) << "one line fits";
    EXPECT_EQ(opt->shown(QStringLiteral("BtnAbout")).geometry, QRect(152, 128, 81, 25));
    EXPECT_EQ(opt->shown(QStringLiteral("BtnAbout")).text, QStringLiteral("About"));
    EXPECT_EQ(opt->shown(QStringLiteral("BtnOK")).geometry, QRect(240, 128, 81, 25));
    EXPECT_EQ(opt->shown(QStringLiteral("BtnOK")).text, QStringLiteral("OK"));
}

TEST_F(OptionsDialog, TabOrderRunsFromTheButtonsThroughTheSwitches)
{
    const auto opt = loaded();
    QStringList tabbed; // the controls Tab visits, from BtnAbout on, once round
    const QWidget *w = opt.get();
    while (w->objectName() != u"BtnAbout" && tabbed.size() < 20)
        w = w->nextInFocusChain();
    for (; tabbed.size() < 20; w = w->nextInFocusChain()) {
        if (w->focusPolicy() & Qt::TabFocus) {
            if (!tabbed.isEmpty() && w->objectName() == tabbed.first())
                break;
            tabbed << w->objectName();
        }
    }
    EXPECT_EQ(tabbed, QStringList({"BtnAbout", "BtnOK", "ChkRepTrans", "ChkRepTransL", "ChkRememberDirs",
                                   "ChkStartWiz"}));
}

TEST_F(OptionsDialog, WithoutASettingsFileTheNewInstallationValuesAreWrittenInTheKnownOrder)
{
    const auto opt = loaded();
    EXPECT_EQ(opt->shown(QStringLiteral("ChkRepTrans")).state, 1);
    EXPECT_EQ(opt->shown(QStringLiteral("ChkRepTransL")).state, 0);
    EXPECT_EQ(opt->shown(QStringLiteral("ChkRememberDirs")).state, 1);
    EXPECT_EQ(opt->shown(QStringLiteral("ChkStartWiz")).state, 1);
    unload();
    EXPECT_EQ(stored(), QByteArray("[Opt]\nChkStartWiz=1\nChkRememberDirs=1\nDefDirS1=\nDefDirS0=\nDefDir1=\n"
                                   "DefDir0=\nChkRepTransL=0\nChkRepTrans=1\nChkAlphaToKeys=0\n"));
}

TEST_F(OptionsDialog, ClicksChangeTheRecordAtOnceAndRecordChangesShowInTheControls)
{
    const auto opt = loaded();
    opt->clickSwitch(OptSwitch::ChkRepTransL);
    EXPECT_EQ(options.state(OptSwitch::ChkRepTransL), 1);
    opt->clickSwitch(OptSwitch::ChkStartWiz);
    EXPECT_FALSE(options.wizardMode());

    options.setDefDir(1, QStringLiteral("/sheets/right"));
    options.setDefDirS(0, QStringLiteral("/saved/left"));
    options.setState(OptSwitch::ChkRememberDirs, 0);
    EXPECT_EQ(opt->shown(QStringLiteral("ChkRememberDirs")).state, 0);

    unload();
    Options next;
    next.load(IniPath());
    EXPECT_EQ(next.state(OptSwitch::ChkRepTransL), 1);
    EXPECT_EQ(next.state(OptSwitch::ChkStartWiz), 0);
    EXPECT_EQ(next.state(OptSwitch::ChkRememberDirs), 0);
    EXPECT_EQ(next.DefDir(1), QStringLiteral("/sheets/right"));
    EXPECT_EQ(next.DefDirS(0), QStringLiteral("/saved/left"));
}

TEST_F(OptionsDialog, AGreyedStateCountsAsOnAndTheUserCanOnlyTickOrClearAfterwards)
{
    store("[Opt]\nChkRepTransL=2\nChkStartWiz=2\n");
    const auto opt = loaded();
    EXPECT_EQ(opt->shown(QStringLiteral("ChkRepTransL")).state, 2);
    EXPECT_TRUE(options.isOn(OptSwitch::ChkRepTransL));
    EXPECT_FALSE(options.wizardMode());

    opt->clickSwitch(OptSwitch::ChkRepTransL);
    EXPECT_EQ(options.state(OptSwitch::ChkRepTransL), 1);
    opt->clickSwitch(OptSwitch::ChkRepTransL);
    EXPECT_EQ(options.state(OptSwitch::ChkRepTransL), 0);
    opt->clickSwitch(OptSwitch::ChkRepTransL);
    EXPECT_EQ(options.state(OptSwitch::ChkRepTransL), 1) << "no way back to greyed";
}

TEST_F(OptionsDialog, BadValuesKeepSoundStatesAndLongFoldersAreCut)
{
    const QByteArray longFolder = "/" + QByteArray(4999, 'a');
    store("[Opt]\nChkRepTrans=7\nChkRememberDirs=abc\nDefDir0=/no/such/folder/any/more\nDefDirS1=" + longFolder +
          "\n");
    const auto opt = loaded();
    EXPECT_EQ(options.state(OptSwitch::ChkRepTrans), 1) << "7 is no state";
    EXPECT_EQ(options.state(OptSwitch::ChkRememberDirs), 0) << "a value without a number reads as 0";
    EXPECT_EQ(options.DefDir(0), QStringLiteral("/no/such/folder/any/more"));
    EXPECT_EQ(options.DefDirS(1), QString::fromLatin1(longFolder.left(2047)));
}

TEST_F(OptionsDialog, AReadOnlySettingsFileIsReadButNeverChanged)
{
    const QByteArray before = "[Opt]\nChkRepTransL=1\n[Mine]\nkeep=1\n";
    store(before);
    QFile::setPermissions(folder.file(QStringLiteral("Vexlo.INI")), QFile::ReadOwner | QFile::ReadGroup);
    const auto opt = loaded();
    EXPECT_EQ(options.state(OptSwitch::ChkRepTransL), 1);
    opt->clickSwitch(OptSwitch::ChkRepTrans);
    unload();
    EXPECT_EQ(stored(), before);
}

TEST_F(OptionsDialog, OkOnlyHidesTheDialogAndEndsItsModalShowing)
{
    const auto opt = loaded();
    opt->clickSwitch(OptSwitch::ChkRepTrans);
    test::WhileModal([&] {
        EXPECT_EQ(QApplication::activeModalWidget(), opt.get());
        opt->BtnOK_Click();
    });
    opt->exec();
    EXPECT_FALSE(opt->isVisible());
    EXPECT_EQ(options.state(OptSwitch::ChkRepTrans), 0) << "no Cancel: the change stays";
}

TEST_F(OptionsDialog, AboutShowsTheAboutBoxModallyOverTheDialog)
{
    const auto opt = loaded();
    QString shownTitle;
    test::WhileModalLookAndClose([&](QWidget *modal) {
        shownTitle = modal ? modal->windowTitle() : QString();
    });
    opt->BtnAbout_Click();
    EXPECT_EQ(shownTitle, QStringLiteral("About Vexlo"));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

} // namespace
} // namespace vexlo
