#include "io/path_join.h"
#include "settings/app_path.h"
#include "settings/options.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace vexlo {
namespace {

TEST(JoinPath, PutsExactlyOneSeparatorBetweenFolderAndName)
{
    EXPECT_EQ(JoinPath(QStringLiteral("/sheets"), {}), QStringLiteral("/sheets/"));
    EXPECT_EQ(JoinPath(QStringLiteral("/sheets/"), {}), QStringLiteral("/sheets/"));
    EXPECT_EQ(JoinPath(QStringLiteral("/"), {}), QStringLiteral("/"));
    EXPECT_EQ(JoinPath(QString(), {}), QStringLiteral("/"));
    EXPECT_EQ(JoinPath(QStringLiteral("/sheets/"), QStringLiteral("a.bmp")), QStringLiteral("/sheets/a.bmp"));
}

TEST(AppPath, AWritableProgramFolderKeepsTheSettingsBesideTheProgram)
{
    test::TempFolder folder;
    InitAppPath(folder.path());
    EXPECT_EQ(AppPath(), folder.path() + u'/');
    EXPECT_EQ(IniPath(), folder.path() + QStringLiteral("/Vexlo.INI"));
    InitAppPath(QStringLiteral("/"));
    if (QFileInfo(QStringLiteral("/")).isWritable()) {
        EXPECT_EQ(IniPath(), QStringLiteral("/Vexlo.INI")); // one separator only
    }
}

TEST(AppPath, AProgramFolderThatCannotBeWrittenUsesTheUsersConfigurationFolder)
{
    test::TempFolder home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    InitAppPath(home.file(QStringLiteral("not-a-folder")));
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(AppPath(), home.path() + QStringLiteral("/Vexlo/"));
    EXPECT_TRUE(QDir(AppPath()).exists());
}

TEST(AppPath, AnInstalledProgramUsesTheUsersConfigurationFolderEvenWhereItMayWrite)
{
    test::TempFolder home;
    test::TempFolder prefix;
    QDir(prefix.path()).mkpath(QStringLiteral("bin"));
    QDir(prefix.path()).mkpath(QStringLiteral("share/applications"));
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    const QString bin = prefix.file(QStringLiteral("bin"));
    InitAppPath(bin);
    EXPECT_EQ(AppPath(), bin + u'/') << "no desktop entry yet: a portable copy";
    prefix.write(QStringLiteral("share/applications/org.vexlo.Vexlo.desktop"), "[Desktop Entry]\n");
    InitAppPath(bin);
    qunsetenv("XDG_CONFIG_HOME");
    EXPECT_EQ(AppPath(), home.path() + QStringLiteral("/Vexlo/"));
}

TEST(Options, NewInstallationValues)
{
    Options options;
    EXPECT_EQ(options.state(OptSwitch::ChkRepTrans), 1);
    EXPECT_EQ(options.state(OptSwitch::ChkRepTransL), 0);
    EXPECT_EQ(options.state(OptSwitch::ChkRememberDirs), 1);
    EXPECT_EQ(options.state(OptSwitch::ChkStartWiz), 1);
    for (int pane : {0, 1}) {
        EXPECT_TRUE(options.DefDir(pane).isEmpty());
        EXPECT_TRUE(options.DefDirS(pane).isEmpty());
    }
}

TEST(Options, ASwitchIsOnWhenNotZeroButWizardModeNeedsExactlyOne)
{
    Options options;
    options.setState(OptSwitch::ChkRepTransL, 2);
    EXPECT_TRUE(options.isOn(OptSwitch::ChkRepTransL));
    options.setState(OptSwitch::ChkStartWiz, 2);
    EXPECT_TRUE(options.isOn(OptSwitch::ChkStartWiz));
    EXPECT_FALSE(options.wizardMode());
    options.setState(OptSwitch::ChkStartWiz, 1);
    EXPECT_TRUE(options.wizardMode());
}

TEST(Options, ChangesAreAnnouncedOnlyWhenAValueReallyChanges)
{
    Options options;
    QSignalSpy states(&options, &Options::stateChanged);
    options.setState(OptSwitch::ChkRepTrans, 1);
    options.setState(OptSwitch::ChkRepTrans, 0);
    options.setDefDir(1, QStringLiteral("/a"));
    options.setDefDir(1, QStringLiteral("/a"));
    options.setDefDirS(0, QStringLiteral("/b"));
    EXPECT_EQ(states.count(), 1);
    EXPECT_EQ(options.DefDir(1), QStringLiteral("/a"));
    EXPECT_EQ(options.DefDirS(0), QStringLiteral("/b"));
}

} // namespace
} // namespace vexlo
