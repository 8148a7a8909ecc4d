// Undo and redo from the main window's Edit menu, one step per command, and
// the work kept across closing and offered at the next start.
#include "app/frm_main.h"
#include "app/sheet_surface.h"
#include "widgets/key_swatch.h"
#include "model/workspace.h"
#include "recovery/recovery_files.h"
#include "recovery/recovery_keeper.h"
#include "settings/opt.h"
#include "support/file_faults.h"
#include "support/modal.h"
#include "support/pixels.h"
#include "support/scripted_prompt.h"
#include "support/session_state.h"
#include "support/shown_main_window.h"
#include "support/temp_folder.h"
#include "support/test_colours.h"

#include <QAction>
#include <QDir>
#include <QListView>
#include <QMenuBar>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include <cmath>

namespace vexlo {
namespace {

using test::PatternSheet;
using test::SameState;
using test::StateOf;

class UndoMenu : public test::ShownMainWindow {
protected:
    // Ctrl+Z and Ctrl+Y as the keyboard gives them to the window.
    void press(const QKeySequence &keys) { QTest::keySequence(&window, keys); }
};

TEST_F(UndoMenu, TheEditMenuStandsBetweenMacroAndViewWithTheStacksOwnActions)
{
    QStringList menus;
    for (QAction *action : window.menuBar()->actions())
        menus << action->text();
    EXPECT_EQ(menus, (QStringList{"&Image", "&Macro", "&Edit", "&View"}));
    const QList<QAction *> edit = test::MenuOf(window, QStringLiteral("&Edit"))->actions();
    ASSERT_EQ(edit.size(), 2);
    const QAction *undoAction = edit[0];
    const QAction *redoAction = edit[1];
    EXPECT_EQ(undoAction->shortcuts(), QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Z"))});
    EXPECT_EQ(redoAction->shortcuts(),
              (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y"))}));
    EXPECT_FALSE(undoAction->isEnabled()) << "nothing to undo yet";
    EXPECT_FALSE(redoAction->isEnabled());

    const auto before = StateOf(workspace);
    window.TileSet_MouseDown(0, 1, 0, 40, 10);
    window.TileSet_DragDrop(1, window.controls().TileSet[0], 200, 70);
    const auto after = StateOf(workspace);
    EXPECT_EQ(undoAction->text(), QStringLiteral("&Undo Copy tile"));
    EXPECT_TRUE(undoAction->isEnabled());

    press(QKeySequence(QStringLiteral("Ctrl+Z")));
    EXPECT_TRUE(SameState(StateOf(workspace), before));
    EXPECT_EQ(redoAction->text(), QStringLiteral("&Redo Copy tile"));
    EXPECT_FALSE(undoAction->isEnabled());
    press(QKeySequence(QStringLiteral("Ctrl+Y")));
    EXPECT_TRUE(SameState(StateOf(workspace), after));
}

TEST_F(UndoMenu, ClearWithItsResizeIsOneStepAndPutsBackTheSheetAndWhereThePaneStood)
{
    chooseImagePane(1);
    workspace.setScrollValue(1, 700);
    const auto before = StateOf(workspace);
    const QRect placed = window.view().panes[1].sheet;

    prompt->answerYesNo(true);
    prompt->answerText(QStringLiteral("3"));
    window.mclear_Click();
    EXPECT_EQ(prompt->boxes()[0].byDefault, Prompt::Answer::No) << "Enter must not clear a sheet";
    EXPECT_EQ(workspace.sheet(1).size(), QSize(256, 96));
    EXPECT_EQ(window.view().panes[1].scrollValue, 0);
    EXPECT_EQ(workspace.undoStack().count(), 1);
    EXPECT_EQ(test::MenuCommand(window, QStringLiteral("&Edit"), QStringLiteral("&Undo"))->text(),
              QStringLiteral("&Undo Clear image"));

    undo();
    EXPECT_TRUE(SameState(StateOf(workspace), before));
    EXPECT_EQ(window.view().panes[1].scrollValue, 700);
    EXPECT_EQ(window.view().panes[1].sheet, placed);

    redo();
    EXPECT_TRUE(test::Uniform(workspace.sheet(1), test::kBlackPixel));
    EXPECT_EQ(window.view().panes[1].sheet, QRect(320, 40, 256, 96));
}

TEST_F(UndoMenu, APlayThatHaltedIsOneStepWithTheLinesDoneBeforeTheHalt)
{
    workspace.setMacroLines({QStringLiteral("Get,1,0,0,60"), QStringLiteral("Put,0,0,0,0,0"),
                             QStringLiteral("Put,5,0,0,0,0")});
    const auto before = StateOf(workspace);
    window.mplay_Click();
    EXPECT_EQ(prompt->boxes().last().title, QStringLiteral("Play Macro Halted"));
    const auto played = StateOf(workspace);
    EXPECT_FALSE(SameState(played, before)) << "the lines before the halt are done";
    undo();
    EXPECT_TRUE(SameState(StateOf(workspace), before));
    redo();
    EXPECT_TRUE(SameState(StateOf(workspace), played));
}

TEST_F(UndoMenu, ClearMacroIsUndoneWhetherRecordingOrNot)
{
    const QStringList lines{QStringLiteral("Cls,0"), QStringLiteral("Cls,1")};
    workspace.setMacroLines(lines);
    window.mclearmacro_Click();
    EXPECT_TRUE(workspace.macro().lines().isEmpty());
    undo();
    EXPECT_EQ(workspace.macro().lines(), lines);
    window.mrecord_Click();
    redo();
    EXPECT_TRUE(workspace.macro().lines().isEmpty());
}

// The main window's start in a data folder where an earlier Vexlo left work.
class StartWithLeftWork : public ::testing::Test {
protected:
    void leaveWork()
    {
        SessionSnapshot left;
        left.sheets = {PatternSheet(4, 96), PatternSheet(5, 2048)};
        left.transparent = {Colour(9, 8, 7), kBlack};
        left.translucent = {kWhite, Colour(1, 2, 3)};
        left.scroll = {0, 400};
        left.macro = {QStringLiteral("Cls,0")};
        ASSERT_NO_THROW(WriteRecovery(QDir(RecoveryKeeper::defaultRoot()).filePath(QStringLiteral("gone")), left));
        snapshot = left;
    }
    std::unique_ptr<FrmMain> start()
    {
        auto window = std::make_unique<FrmMain>(workspace, folder.path());
        window->Form_Load();
        return window;
    }

    test::ScopedScriptedPrompt prompt;
    test::TempFolder folder;
    Workspace workspace;
    SessionSnapshot snapshot;
};

TEST_F(StartWithLeftWork, YesRestoresItBeforeTheWizardWhichThenDoesNotStart)
{
    ASSERT_NO_FATAL_FAILURE(leaveWork());
    folder.write(QStringLiteral("Vexlo.INI"), "[Opt]\nChkStartWiz=1\n");
    prompt->answerYesNo(true);
    const auto window = start(); // a wizard dialog would fail the test: nothing answers it
    ASSERT_EQ(prompt->boxes().size(), 1);
    EXPECT_TRUE(test::SamePixels(workspace.sheet(1), snapshot.sheets[1]));
    const FrmMain::View shown = window->view();
    EXPECT_EQ(shown.panes[1].translucent, Colour(1, 2, 3)) << "the window shows it";
    EXPECT_EQ(shown.panes[1].scrollValue, 400);
    // Placed in the window's own client, though the window was not shown yet.
    EXPECT_EQ(window->clientArea()->height(), 513);
    EXPECT_EQ(shown.panes[1].sheet.y(), int(std::lround(40 - (2048 - (513 - 48)) * 0.4)));
    EXPECT_TRUE(shown.macroShown) << "the macro that came back is shown";
}

TEST_F(StartWithLeftWork, NoDeletesItAndTheWizardStarts)
{
    ASSERT_NO_FATAL_FAILURE(leaveWork());
    folder.write(QStringLiteral("Vexlo.INI"), "[Opt]\nChkStartWiz=1\n");
    prompt->answerYesNo(false);
    const auto close = [](QWidget *modal) { modal->close(); };
    test::ModalScript wizard({close, close});
    const auto window = start();
    EXPECT_EQ(wizard.captions(), (QStringList{QStringLiteral("Options"), QStringLiteral("Load left")}));
    EXPECT_TRUE(test::SamePixels(workspace.sheet(0), Workspace::blankSheet()));
    EXPECT_TRUE(QDir(RecoveryKeeper::defaultRoot()).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
}

TEST_F(StartWithLeftWork, WorkThatCannotBeKeptOnClosingIsSaidSo)
{
    folder.write(QStringLiteral("Vexlo.INI"), "[Opt]\nChkStartWiz=0\n");
    const auto window = start();
    workspace.setSheet(0, PatternSheet(7, 64));
    const test::ReadOnlyFolder readOnly(RecoveryKeeper::defaultRoot());
    ASSERT_TRUE(readOnly.holds());
    window->close();
    ASSERT_EQ(prompt->boxes().size(), 1);
    EXPECT_EQ(prompt->boxes()[0].icon, Prompt::Icon::Critical);
    EXPECT_TRUE(prompt->boxes()[0].text.startsWith(QStringLiteral("The unsaved work could not be kept: ")))
        << prompt->boxes()[0].text.toStdString();
}

} // namespace
} // namespace vexlo
