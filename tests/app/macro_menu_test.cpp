// The Macro menu on the main window and the macro file dialog it opens.
#include "app/frm_main.h"
#include "app/sheet_surface.h"
#include "widgets/file_list.h"
#include "macro/frm_macro_file.h"
#include "model/workspace.h"
#include "support/file_faults.h"
#include "support/form_input.h"
#include "support/modal.h"
#include "support/pixels.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"

#include <QAction>
#include <QDir>
#include <QListView>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace vexlo {
namespace {

const QStringList kCopyDrag{QStringLiteral("Get,0,0,2,5"), QStringLiteral("Put,1,0,0,1,-1"),
                            QStringLiteral("Cls,0")};

class MacroMenu : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder.write(QStringLiteral("Vexlo.INI"), "[Opt]\nChkStartWiz=0\n");
        window.Form_Load();
    }

    bool listShown() const { return window.view().macroShown; }
    QAction *record() { return test::MenuCommand(window, QStringLiteral("&Macro"), QStringLiteral("&Record")); }
    QStringList lines() const { return workspace.macro().lines(); }
    QString path(const char *name) const { return folder.file(QString::fromLatin1(name)); }

    // Opens the macro file dialog and lets `act` work in it while it is on
    // screen; `act` must end it (or leave that to the test's last step).
    void inMacroDialog(const std::function<void(FrmMacroFile &)> &act)
    {
        test::WhileModal([this, act] { act(*window.frmMacroFile()); });
        window.msavemacro_Click();
    }
    // Selects a file of the dialog's list by name.
    static void select(FrmMacroFile &dialog, const QString &name)
    {
        ASSERT_TRUE(dialog.chooseFile(name)) << name.toStdString();
    }

    test::ScopedScriptedPrompt prompt;
    test::TempFolder folder;
    Workspace workspace;
    FrmMain window{workspace, folder.path()};
};

TEST_F(MacroMenu, RecordTogglesTheCheckMarkAndKeepsTheOldLines)
{
    EXPECT_FALSE(listShown());
    EXPECT_FALSE(record()->isChecked());
    record()->trigger();
    EXPECT_TRUE(workspace.recording());
    EXPECT_TRUE(record()->isChecked());
    EXPECT_TRUE(listShown());

    window.TileSet_MouseDown(0, 1, 0, 70, 40);
    record()->trigger();
    EXPECT_FALSE(workspace.recording());
    EXPECT_FALSE(record()->isChecked());
    record()->trigger();
    window.TileSet_MouseDown(1, 1, 0, 0, 0);
    EXPECT_EQ(lines(), (QStringList{QStringLiteral("Get,0,0,2,1"), QStringLiteral("Get,1,1,0,0")}));
}

TEST_F(MacroMenu, TheF4AndF5KeysRecordAndPlay)
{
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
    QTest::keyClick(&window, Qt::Key_F4);
    EXPECT_TRUE(workspace.recording());
    QTest::keyClick(&window, Qt::Key_F5);
    ASSERT_EQ(prompt->boxes().size(), 1);
    EXPECT_EQ(prompt->boxes().first().text, QStringLiteral("Stop macro recording first."));
    QTest::keyClick(&window, Qt::Key_F4);
    EXPECT_FALSE(workspace.recording());
}

TEST_F(MacroMenu, ClearEmptiesTheListAndRecordingGoesOn)
{
    window.mrecord_Click();
    window.TileSet_MouseDown(0, 1, 0, 0, 0);
    window.mhidemacro_Click();
    window.mclearmacro_Click();
    EXPECT_TRUE(listShown());
    EXPECT_TRUE(lines().isEmpty());
    EXPECT_TRUE(workspace.recording());
    window.TileSet_MouseDown(0, 1, 0, 32, 0);
    EXPECT_EQ(lines(), QStringList{QStringLiteral("Get,0,0,1,0")});
}

TEST_F(MacroMenu, HideMacroTogglesTheListWhichStillGrowsWhileHidden)
{
    window.mhidemacro_Click();
    EXPECT_TRUE(listShown()) << "hidden at start, so the first Hide macro shows it";
    window.mhidemacro_Click();
    EXPECT_FALSE(listShown());
    workspace.setRecording(true);
    window.TileSet_MouseDown(0, 1, 0, 0, 0);
    EXPECT_EQ(lines().size(), 1);
    EXPECT_FALSE(listShown());
    const QAction *hideMacro = test::MenuOf(window, QStringLiteral("&Macro"))->actions().value(4);
    EXPECT_EQ(hideMacro->text(), QStringLiteral("&Hide macro"));
    window.mrecord_Click();
    EXPECT_TRUE(listShown());
}

TEST_F(MacroMenu, PlayShowsTheListAndPlays)
{
    workspace.setSheet(0, test::PatternSheet(1, 256));
    workspace.setSheet(1, test::PatternSheet(2, 64));
    workspace.setMacroLines(kCopyDrag);
    window.mplay_Click();
    EXPECT_TRUE(listShown());
    EXPECT_TRUE(prompt->boxes().isEmpty());
    EXPECT_TRUE(test::SamePixels(test::SheetTile(workspace.sheet(1), 0, 1),
                                 test::SheetTile(workspace.sheet(0), 2, 5)));
}

TEST_F(MacroMenu, AHaltedPlaySelectsAndShowsTheLineThatHaltedBeforeItsBox)
{
    window.resize(window.width(), 300); // a list far shorter than the macro
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    QStringList macro(400, QStringLiteral("Cls,0"));
    macro[350] = QStringLiteral("Get,2,0,0,0"); // pane 2 does not exist
    workspace.setMacroLines(macro);
    QModelIndex selectedWhileShown;
    bool lineInSight = false;
    prompt->onNextMessage([&] {
        const QListView *list = window.controls().List1;
        selectedWhileShown = list->selectionModel()->selectedIndexes().value(0);
        lineInSight = list->viewport()->rect().contains(list->visualRect(selectedWhileShown));
    });
    window.mplay_Click();

    ASSERT_EQ(prompt->boxes().size(), 1);
    EXPECT_EQ(prompt->boxes()[0].title, QStringLiteral("Play Macro Halted"));
    EXPECT_EQ(prompt->boxes()[0].icon, Prompt::Icon::Critical);
    EXPECT_EQ(selectedWhileShown.row(), 350);
    EXPECT_TRUE(lineInSight);
    EXPECT_EQ(lines(), macro) << "the list itself is unchanged";
}

TEST_F(MacroMenu, AFullMacroRefusesTheNextRecordedLineAndTheTileStaysPut)
{
    workspace.setMacroLines(QStringList(MacroList::kMaxLines, QStringLiteral("Cls,0")));
    workspace.setSheet(0, test::PatternSheet(1));
    workspace.setRecording(true);
    QTest::mousePress(test::WidgetAt(window, window.controls().TileSet[0], QPoint(40, 10)), Qt::LeftButton, {},
                      QPoint(40, 10));
    ASSERT_EQ(prompt->boxes().size(), 1);
    EXPECT_EQ(prompt->boxes().first().icon, Prompt::Icon::Critical);
    EXPECT_EQ(prompt->boxes().first().text,
              QStringLiteral("A macro holds at most 32,767 lines; this one would have 32,768."));
    EXPECT_EQ(workspace.macro().count(), MacroList::kMaxLines);
    EXPECT_TRUE(test::Uniform(workspace.buffer(0), test::kLightGrey)) << "no tile was picked up";
}

TEST_F(MacroMenu, SaveNewWritesTheMacroInTheProgramFolderAndTheListShowsIt)
{
    workspace.setMacroLines(kCopyDrag);
    prompt->answerText(QStringLiteral("walls"));
    inMacroDialog([](FrmMacroFile &dialog) { test::Click(dialog, dialog.controls().BtnSave[1]); });
    EXPECT_EQ(folder.read(QStringLiteral("walls.vmi")), "Get,0,0,2,5\r\nPut,1,0,0,1,-1\r\nCls,0\r\n");
    EXPECT_EQ(prompt->boxes().first().text, QStringLiteral("Enter filename:"));
    EXPECT_EQ(prompt->boxes().first().title, QStringLiteral("Vexlo"));
    EXPECT_EQ(prompt->boxes().first().defaultText, QString());

    QStringList listed;
    inMacroDialog([&](FrmMacroFile &dialog) {
        listed = dialog.listedFiles();
        dialog.hide();
    });
    EXPECT_EQ(listed, QStringList{QStringLiteral("walls.vmi")});
}

TEST_F(MacroMenu, SaveNewAlwaysAppendsTheExtensionAndAnEmptyAnswerWritesNothing)
{
    workspace.setMacroLines(kCopyDrag);
    prompt->answerText(QString());
    prompt->answerText(QStringLiteral("walls.vmi"));
    bool stayedOpen = false;
    inMacroDialog([&](FrmMacroFile &dialog) {
        test::Click(dialog, dialog.controls().BtnSave[1]);
        stayedOpen = dialog.isVisible();
        test::Click(dialog, dialog.controls().BtnSave[1]);
    });
    EXPECT_TRUE(stayedOpen);
    EXPECT_EQ(QDir(folder.path()).entryList({QStringLiteral("*.vmi")}), QStringList{QStringLiteral("walls.vmi.vmi")});
}

TEST_F(MacroMenu, SaveNewAsksBeforeReplacingAFileAndNoWritesNothing)
{
    folder.write(QStringLiteral("walls.vmi"), "Cls,1\r\n");
    workspace.setMacroLines(kCopyDrag);
    prompt->answerText(QStringLiteral("walls"));
    prompt->answerYesNo(false);
    prompt->answerText(QStringLiteral("walls"));
    prompt->answerYesNo(true);
    bool stayedOpen = false;
    inMacroDialog([&](FrmMacroFile &dialog) {
        test::Click(dialog, dialog.controls().BtnSave[1]);
        stayedOpen = dialog.isVisible();
        EXPECT_EQ(folder.read(QStringLiteral("walls.vmi")), "Cls,1\r\n");
        test::Click(dialog, dialog.controls().BtnSave[1]);
    });
    EXPECT_TRUE(stayedOpen);
    ASSERT_EQ(prompt->boxes().size(), 4);
    const test::ScriptedPrompt::Box &asked = prompt->boxes()[1];
    EXPECT_EQ(asked.icon, Prompt::Icon::Question);
    EXPECT_EQ(asked.title, QStringLiteral("Vexlo"));
    EXPECT_EQ(asked.text, QStringLiteral("walls.vmi already exists. Replace it?"));
    EXPECT_EQ(asked.byDefault, Prompt::Answer::No);
    EXPECT_EQ(folder.read(QStringLiteral("walls.vmi")), "Get,0,0,2,5\r\nPut,1,0,0,1,-1\r\nCls,0\r\n");
}

TEST_F(MacroMenu, SaveOverReplacesTheSelectedFileWithoutAQuestion)
{
    folder.write(QStringLiteral("old.vmi"), "Cls,1\r\n");
    workspace.setMacroLines(kCopyDrag);
    inMacroDialog([](FrmMacroFile &dialog) {
        select(dialog, QStringLiteral("old.vmi"));
        test::Click(dialog, dialog.controls().BtnSave[0]);
    });
    EXPECT_EQ(folder.read(QStringLiteral("old.vmi")), "Get,0,0,2,5\r\nPut,1,0,0,1,-1\r\nCls,0\r\n");
    EXPECT_TRUE(prompt->boxes().isEmpty());
}

TEST_F(MacroMenu, LoadReplacesTheWholeMacro)
{
    folder.write(QStringLiteral("walls.vmi"), "Get,0,0,2,5\r\n\r\nCls,0\r\n");
    workspace.setMacroLines({QStringLiteral("Cls,1")});
    window.mrecord_Click();
    inMacroDialog([](FrmMacroFile &dialog) {
        select(dialog, QStringLiteral("walls.vmi"));
        test::Click(dialog, dialog.controls().BtnLoad);
    });
    EXPECT_EQ(lines(), (QStringList{QStringLiteral("Get,0,0,2,5"), QString(), QStringLiteral("Cls,0")}));
    EXPECT_TRUE(workspace.recording()) << "loading leaves the recording switch alone";
    EXPECT_FALSE(workspace.macroUnsaved()) << "as in its file";

    test::MenuCommand(window, QStringLiteral("&Edit"), QStringLiteral("&Undo"))->trigger(); // a step of its own
    EXPECT_EQ(lines(), QStringList{QStringLiteral("Cls,1")});
    test::MenuCommand(window, QStringLiteral("&Edit"), QStringLiteral("&Redo"))->trigger();
    EXPECT_EQ(lines().size(), 3);
}

TEST_F(MacroMenu, AFailedLoadOrSaveKeepsTheMacroAndTheDialogOpen)
{
    folder.write(QStringLiteral("gone.vmi"), "Cls,1\r\n");
    workspace.setMacroLines(kCopyDrag);
    bool openAfterFailures = false;
    inMacroDialog([&](FrmMacroFile &dialog) {
        test::Click(dialog, dialog.controls().BtnLoad); // nothing selected
        test::Click(dialog, dialog.controls().BtnSave[0]);
        select(dialog, QStringLiteral("gone.vmi"));
        QFile::remove(path("gone.vmi"));
        test::Click(dialog, dialog.controls().BtnLoad);
        openAfterFailures = dialog.isVisible();
        dialog.hide();
    });
    EXPECT_TRUE(openAfterFailures);
    EXPECT_EQ(lines(), kCopyDrag);
    ASSERT_EQ(prompt->boxes().size(), 3);
    EXPECT_EQ(prompt->boxes()[0].text, QStringLiteral("No file selected."));
    EXPECT_EQ(prompt->boxes()[1].text, QStringLiteral("No file selected."));
    EXPECT_TRUE(prompt->boxes()[2].text.startsWith(QStringLiteral("Cannot read ")));
    for (const auto &box : prompt->boxes()) {
        EXPECT_EQ(box.icon, Prompt::Icon::Critical);
        EXPECT_EQ(box.title, QStringLiteral("Vexlo"));
    }
}

TEST_F(MacroMenu, AReadOnlyFolderOrAWriteCutShortIsShownAndLeavesTheOldFileAsItWas)
{
    folder.write(QStringLiteral("walls.vmi"), "Cls,1\r\n");
    QStringList longer;
    for (int i = 0; i < 100; ++i)
        longer << kCopyDrag;
    workspace.setMacroLines(longer);
    const QString target = path("walls.vmi");
    bool folderHeld = false, readOnlyShown = false, cutShortShown = false;
    inMacroDialog([&](FrmMacroFile &dialog) {
        // The reason in a critical box, the dialog still open for another try.
        auto failureShown = [&](const char *reason) {
            const QList<test::ScriptedPrompt::Box> &boxes = prompt->boxes();
            return boxes.size() == 1 && boxes[0].icon == Prompt::Icon::Critical
                   && boxes[0].title == QStringLiteral("Vexlo")
                   && boxes[0].text == QStringLiteral("Cannot write %1: %2").arg(target, QString::fromLatin1(reason))
                   && dialog.isVisible();
        };
        select(dialog, QStringLiteral("walls.vmi"));
        {
            const test::ReadOnlyFolder readOnly(folder.path());
            folderHeld = readOnly.holds();
            test::Click(dialog, dialog.controls().BtnSave[0]);
            readOnlyShown = failureShown("Permission denied");
        }
        prompt->forget();
        cutShortShown = test::InChildUnderFileSizeLimit(1000, [&] {
            test::Click(dialog, dialog.controls().BtnSave[0]);
            return failureShown("File too large");
        });
        dialog.hide();
    });
    ASSERT_TRUE(folderHeld);
    EXPECT_TRUE(readOnlyShown);
    EXPECT_TRUE(cutShortShown);
    EXPECT_EQ(folder.read(QStringLiteral("walls.vmi")), "Cls,1\r\n");
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden),
              (QStringList{QStringLiteral("Vexlo.INI"), QStringLiteral("walls.vmi")}));
    EXPECT_EQ(lines(), longer);
}

TEST_F(MacroMenu, TheDialogHasItsLayoutAndTheCloseBoxEndsIt)
{
    inMacroDialog([](FrmMacroFile &dialog) {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Macro"));
        EXPECT_EQ(dialog.size(), QSize(280, 268));
        const FrmMacroFile::Controls controls = dialog.controls();
        EXPECT_EQ(controls.File1->geometry(), QRect(8, 8, 177, 253));
        EXPECT_EQ(controls.BtnLoad->geometry(), QRect(192, 144, 81, 33));
        EXPECT_EQ(controls.BtnSave[1]->text(), QStringLiteral("Save: New"));
        EXPECT_EQ(controls.BtnSave[1]->geometry(), QRect(192, 184, 81, 33));
        EXPECT_EQ(controls.BtnSave[0]->text(), QStringLiteral("Save: Over"));
        EXPECT_EQ(controls.BtnSave[0]->geometry(), QRect(192, 224, 81, 33));
        QList<const QWidget *> order; // the dialog's focus chain, keyboard-reachable widgets only
        for (const QWidget *w = controls.File1; order.size() < 4; w = w->nextInFocusChain())
            if (w->focusPolicy() & Qt::TabFocus)
                order << w;
        EXPECT_EQ(order, (QList<const QWidget *>{controls.File1, controls.BtnSave[0], controls.BtnLoad,
                                                 controls.BtnSave[1]}));
        dialog.close();
    });
    EXPECT_EQ(window.frmMacroFile(), nullptr);
    EXPECT_TRUE(listShown());
}

} // namespace
} // namespace vexlo
