// The options dialog's lifetime in the main window: settings restored at the
// start and written at closing, the commands that show it, and the start-up
// wizard (the options dialog first, then the load dialog for the left pane,
// and for the right pane only after the left one got a sheet).
#include "app/frm_main.h"
#include "load/frm_load_image.h"
#include "model/workspace.h"
#include "settings/opt.h"
#include "support/file_faults.h"
#include "support/form_input.h"
#include "support/modal.h"
#include "support/pixels.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"
#include "support/test_colours.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPushButton>

#include <gtest/gtest.h>

namespace vexlo {
namespace {

// The main window started in a program folder of its own, whose settings
// file a test prepares before the start.
class SettingsLifetime : public ::testing::Test {
protected:
    void start(const QByteArray &settings = {})
    {
        if (!settings.isEmpty())
            folder.write(QStringLiteral("Vexlo.INI"), settings);
        window = std::make_unique<FrmMain>(workspace, folder.path());
        window->Form_Load();
    }
    QByteArray stored() const { return folder.read(QStringLiteral("Vexlo.INI")); }
    // Shown as far as the window's own switches go (the window is not on screen).
    bool transparentShown(int pane) const { return window->view().panes[pane].transparentShown; }
    bool translucentShown(int pane) const { return window->view().panes[pane].translucentShown; }

    test::TempFolder folder;
    Workspace workspace;
    std::unique_ptr<FrmMain> window;
};

TEST_F(SettingsLifetime, StoredSwitchesAreRestoredAtStartAndTheSwatchesFollowThemAtOnce)
{
    start("[Opt]\nChkStartWiz=0\nChkRepTransL=2\nChkRepTrans=0\n"); // greyed counts as on
    EXPECT_FALSE(window->opt().isVisible());
    for (int pane = 0; pane < 2; ++pane) {
        EXPECT_FALSE(transparentShown(pane));
        EXPECT_TRUE(translucentShown(pane));
    }
}

TEST_F(SettingsLifetime, TickingAndClearingInTheDialogShowsAndHidesBothPanesSwatches)
{
    start("[Opt]\nChkStartWiz=0\n");
    Opt &opt = window->opt();
    opt.clickSwitch(OptSwitch::ChkRepTransL);
    EXPECT_TRUE(translucentShown(0));
    EXPECT_TRUE(translucentShown(1));
    opt.clickSwitch(OptSwitch::ChkRepTrans);
    EXPECT_FALSE(transparentShown(0));
    EXPECT_FALSE(transparentShown(1));
    opt.clickSwitch(OptSwitch::ChkRepTransL);
    opt.clickSwitch(OptSwitch::ChkRepTrans);
    for (int pane = 0; pane < 2; ++pane) {
        EXPECT_TRUE(transparentShown(pane));
        EXPECT_FALSE(translucentShown(pane));
    }
}

TEST_F(SettingsLifetime, SettingsChangedDuringARunAreInTheFileAfterClosing)
{
    start("; my notes\n[Opt]\nChkStartWiz=0\nChkRepTrans=7\n[Elsewhere]\nx=1\n");
    window->opt().clickSwitch(OptSwitch::ChkRepTransL);
    window->opt().clickSwitch(OptSwitch::ChkRememberDirs);
    workspace.options().setDefDir(0, folder.path());
    workspace.options().setDefDirS(1, QStringLiteral("/saved/right"));
    window->close();
    EXPECT_EQ(stored(), "; my notes\n[Opt]\nChkStartWiz=0\nChkRepTrans=1\nChkRememberDirs=0\nDefDirS1=/saved/right\n"
                        "DefDirS0=\nDefDir1=\nDefDir0=" + folder.path().toUtf8() + "\nChkRepTransL=1\nChkAlphaToKeys=0\n"
                        "[Elsewhere]\nx=1\n");
}

// A failed settings write is ignored: the run's settings are lost,
// without a message, and the file stays as it was.
TEST_F(SettingsLifetime, ClosingWhereTheSettingsCannotBeWrittenLosesTheRunsChangesAndNothingElse)
{
    const QByteArray before = "; my notes\n[Opt]\nChkStartWiz=0\n;" + QByteArray(2000, '-') + "\n";
    start(before);
    window->opt().clickSwitch(OptSwitch::ChkRepTransL);
    test::ScopedScriptedPrompt prompt;
    EXPECT_TRUE(test::InChildUnderFileSizeLimit(1000, [&] {
        window->close();
        return prompt->boxes().isEmpty();
    })) << "a write cut short";
    {
        const test::ReadOnlyFolder readOnly(folder.path());
        ASSERT_TRUE(readOnly.holds());
        window->close();
    }
    EXPECT_TRUE(prompt->boxes().isEmpty());
    EXPECT_EQ(stored(), before);
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files | QDir::Hidden), QStringList{QStringLiteral("Vexlo.INI")});
}

TEST_F(SettingsLifetime, SetupAndTheOptionsCommandShowTheDialogModally)
{
    start("[Opt]\nChkStartWiz=0\n");
    window->show();
    int showings = 0;
    auto pressOk = [&] {
        QWidget *modal = QApplication::activeModalWidget();
        EXPECT_EQ(modal, &window->opt());
        if (modal == &window->opt()) {
            ++showings;
            window->opt().BtnOK_Click();
        } else if (modal) {
            modal->close();
        }
    };
    test::WhileModal(pressOk);
    test::Click(*window, window->controls().BtnOpt);
    test::WhileModal(pressOk);
    test::MenuCommand(*window, QStringLiteral("&View"), QStringLiteral("&Options"))->trigger();
    EXPECT_EQ(showings, 2);
    EXPECT_FALSE(window->opt().isVisible());
}

TEST_F(SettingsLifetime, TheAboutCommandShowsTheAboutBoxModally)
{
    start("[Opt]\nChkStartWiz=0\n");
    QString title;
    test::WhileModalLookAndClose([&](QWidget *modal) {
        title = modal ? modal->windowTitle() : QString();
    });
    test::MenuCommand(*window, QStringLiteral("&View"), QStringLiteral("&About"))->trigger();
    EXPECT_EQ(title, QStringLiteral("About Vexlo"));
}

using test::ModalScript;
using test::PatternSheet;
using Step = ModalScript::Step;

const QString kOptions = QStringLiteral("Options");
const QString kLoadLeft = QStringLiteral("Load left");
const QString kLoadRight = QStringLiteral("Load right");

class StartupWizard : public SettingsLifetime {
protected:
    // Steps for the dialogs, each checking that the expected one is up and
    // that the main window is not on screen yet.
    Step pressOk(bool untickWizard = false)
    {
        return [this, untickWizard](QWidget *dialog) {
            EXPECT_FALSE(window->isVisible());
            ASSERT_EQ(dialog, &window->opt());
            if (untickWizard)
                window->opt().clickSwitch(OptSwitch::ChkStartWiz);
            window->opt().BtnOK_Click();
        };
    }
    Step cancelLoad()
    {
        return [this](QWidget *dialog) {
            EXPECT_FALSE(window->isVisible());
            ASSERT_EQ(dialog, &window->frmLoadImage());
            window->frmLoadImage().BtnCancel_Click();
        };
    }
    // Chooses the file, picks its key colours at (5, 5) and (6, 40), and loads it.
    Step load(const QString &file)
    {
        return [this, file](QWidget *dialog) {
            EXPECT_FALSE(window->isVisible());
            FrmLoadImage &loader = window->frmLoadImage();
            ASSERT_EQ(dialog, &loader);
            loader.listFilesAgain();
            ASSERT_TRUE(loader.chooseFile(file)) << file.toStdString() << " is not listed";
            loader.TileSet_MouseDown(1, 0, 5, 5);
            loader.TileSet_MouseDown(2, 0, 6, 40);
            loader.BtnLoad_Click();
        };
    }

    void writeSheet(const QString &name, int seed) const
    {
        ASSERT_TRUE(PatternSheet(seed, 64).save(folder.file(name), "BMP"));
    }

    test::ScopedScriptedPrompt prompt;
};

TEST_F(StartupWizard, AFirstStartShowsOptionsAndThenTheLeftLoadDialog)
{
    ModalScript script({pressOk(), cancelLoad()});
    start(); // no settings file: a new installation
    EXPECT_EQ(script.captions(), QStringList({kOptions, kLoadLeft}));
    EXPECT_TRUE(script.finished());
}

TEST_F(StartupWizard, CancellingTheLeftLoadEndsTheWizardWithThePanesUntouched)
{
    ModalScript script({pressOk(), cancelLoad()});
    start("[Opt]\nChkStartWiz=1\n");
    EXPECT_EQ(script.captions(), QStringList({kOptions, kLoadLeft})) << "no right pane offered";
    EXPECT_TRUE(prompt->boxes().isEmpty()) << "no Left loaded.";
    EXPECT_EQ(workspace.sheet(0), Workspace::blankSheet());
    EXPECT_EQ(workspace.sheet(1), Workspace::blankSheet());
}

TEST_F(StartupWizard, ALoadedLeftPaneIsAcknowledgedAndThenTheRightPaneIsOffered)
{
    writeSheet(QStringLiteral("left.bmp"), 1);
    writeSheet(QStringLiteral("right.bmp"), 2);
    int boxesBeforeRight = -1;
    const Step loadLeft = load(QStringLiteral("left.bmp"));
    const Step loadRight = load(QStringLiteral("right.bmp"));
    ModalScript script({pressOk(), [&](QWidget *dialog) {
                            EXPECT_TRUE(prompt->boxes().isEmpty());
                            loadLeft(dialog);
                        },
                        [&](QWidget *dialog) {
                            boxesBeforeRight = int(prompt->boxes().size());
                            loadRight(dialog);
                        }});
    start("[Opt]\nChkStartWiz=1\nDefDir0=" + folder.path().toUtf8() + "\n");

    EXPECT_EQ(script.captions(), QStringList({kOptions, kLoadLeft, kLoadRight}));
    ASSERT_EQ(prompt->boxes().size(), 1);
    EXPECT_EQ(boxesBeforeRight, 1) << "Left loaded. comes before the right pane's dialog";
    const test::ScriptedPrompt::Box &box = prompt->boxes().first();
    EXPECT_EQ(box.icon, Prompt::Icon::Information);
    EXPECT_EQ(box.title, QStringLiteral("Vexlo"));
    EXPECT_EQ(box.text, QStringLiteral("Left loaded."));
    for (int pane = 0; pane < 2; ++pane) {
        const QImage sheet = PatternSheet(pane + 1, 64);
        EXPECT_EQ(workspace.sheet(pane), sheet) << "pane " << pane;
        EXPECT_EQ(workspace.transparentKey(pane), ColourFromQRgb(sheet.pixel(5, 5)));
        EXPECT_EQ(workspace.translucentKey(pane), ColourFromQRgb(sheet.pixel(6, 40)));
    }
}

TEST_F(StartupWizard, UntickingTheWizardInTheStartUpOptionsEndsItAndTheNextStartShowsNoDialog)
{
    {
        ModalScript script({pressOk(true)});
        start();
        EXPECT_EQ(script.captions(), QStringList({kOptions}));
        window->close();
    }
    EXPECT_TRUE(stored().startsWith("[Opt]\nChkStartWiz=0\n")) << stored().constData();

    ModalScript none({});
    Workspace nextWorkspace;
    FrmMain next(nextWorkspace, folder.path());
    next.Form_Load();
    EXPECT_TRUE(none.captions().isEmpty());
}

TEST_F(StartupWizard, AGreyedWizardBoxDoesNotStartTheWizard)
{
    ModalScript none({});
    start("[Opt]\nChkStartWiz=2\n");
    EXPECT_TRUE(none.captions().isEmpty());
    EXPECT_EQ(workspace.options().state(OptSwitch::ChkStartWiz), 2);
}

} // namespace
} // namespace vexlo
