#include "app/frm_main.h"
#include "app/key_swatch.h"
#include "app/workspace.h"
#include "settings/opt.h"
#include "support/modal.h"
#include "support/temp_folder.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
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
    bool transparentShown(int pane) const { return !window->TransCol[pane]->isHidden(); }
    bool translucentShown(int pane) const { return !window->TransLCol[pane]->isHidden(); }

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
    opt.ChkRepTransL->click();
    EXPECT_TRUE(translucentShown(0));
    EXPECT_TRUE(translucentShown(1));
    opt.ChkRepTrans->click();
    EXPECT_FALSE(transparentShown(0));
    EXPECT_FALSE(transparentShown(1));
    opt.ChkRepTransL->click();
    opt.ChkRepTrans->click();
    for (int pane = 0; pane < 2; ++pane) {
        EXPECT_TRUE(transparentShown(pane));
        EXPECT_FALSE(translucentShown(pane));
    }
}

TEST_F(SettingsLifetime, SettingsChangedDuringARunAreInTheFileAfterClosing)
{
    start("; my notes\n[Opt]\nChkStartWiz=0\nChkRepTrans=7\n[Elsewhere]\nx=1\n");
    window->opt().ChkRepTransL->click();
    window->opt().ChkRememberDirs->click();
    workspace.options().setDefDir(0, folder.path());
    workspace.options().setDefDirS(1, QStringLiteral("/saved/right"));
    window->close();
    EXPECT_EQ(stored(), "; my notes\n[Opt]\nChkStartWiz=0\nChkRepTrans=1\nChkRememberDirs=0\nDefDirS1=/saved/right\n"
                        "DefDirS0=\nDefDir1=\nDefDir0=" + folder.path().toUtf8() + "\nChkRepTransL=1\n"
                        "[Elsewhere]\nx=1\n");
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
            window->opt().BtnOK->click();
        } else if (modal) {
            modal->close();
        }
    };
    test::WhileModal(pressOk);
    window->BtnOpt->click();
    test::WhileModal(pressOk);
    window->moptions->trigger();
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
    window->mabout->trigger();
    EXPECT_EQ(title, QStringLiteral("About Vexlo"));
}

} // namespace
} // namespace vexlo
