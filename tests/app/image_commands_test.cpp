// The image menu's commands on the pane chosen with an arrow button: Clear,
// Load, Save, Resize and Replace colour, answered through the scripted
// prompt and the real dialogs.
#include "app/frm_main.h"
#include "app/sheet_surface.h"
#include "widgets/folder_list.h"
#include "imageops/frm_colour.h"
#include "imageops/frm_save.h"
#include "io/sheet_file.h"
#include "io/sheet_writer.h"
#include "model/sheet_actions.h"
#include "model/workspace.h"
#include "support/modal.h"
#include "support/pixels.h"
#include "support/scripted_prompt.h"
#include "support/shown_main_window.h"
#include "support/temp_folder.h"
#include "support/test_colours.h"

#include <QComboBox>
#include <QDir>
#include <QImageReader>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

namespace vexlo {
namespace {

using test::PatternSheet;
using test::SamePixels;
using test::ScriptedPrompt;
using test::Uniform;

// The magenta test colour as a Qt pixel, as the sheets here are painted.
constexpr QRgb kMagentaPixel = QRgbFromColour(test::kMagenta);

class ImageCommands : public test::ShownMainWindow {
protected:

    // Answers the colour dialog each time it comes up, one step per showing,
    // while `command` runs; returns the captions it came up with.
    QStringList withColourDialog(std::vector<std::function<void(FrmColour &)>> steps,
                                 const std::function<void()> &command)
    {
        QStringList captions;
        QTimer watcher;
        watcher.setInterval(0);
        std::size_t next = 0;
        QObject::connect(&watcher, &QTimer::timeout, [&] {
            FrmColour &dialog = window.frmColour();
            if (!dialog.isVisible())
                return;
            captions << dialog.windowTitle();
            if (next < steps.size()) {
                steps[next++](dialog);
            } else {
                ADD_FAILURE() << "one colour question too many";
                dialog.BtnCancel_Click();
            }
        });
        watcher.start();
        command();
        EXPECT_EQ(next, steps.size()) << "fewer colour questions than expected";
        return captions;
    }
    static std::function<void(FrmColour &)> mixAndOk(int red, int green, int blue)
    {
        return [=](FrmColour &dialog) {
            dialog.typeComponent(0, QString::number(red));
            dialog.typeComponent(1, QString::number(green));
            dialog.typeComponent(2, QString::number(blue));
            dialog.BtnOK_Click();
        };
    }

};

TEST_F(ImageCommands, ResizeAsksInTilesAndPutsThePaneAtItsTop)
{
    const QImage right = workspace.sheet(1);
    const QImage left = workspace.sheet(0);
    workspace.setScrollValue(1, 1000);
    chooseImagePane(1);
    prompt->answerText(QStringLiteral("10"));
    window.mresize_Click();

    ASSERT_EQ(prompt->boxes().size(), 1);
    const ScriptedPrompt::Box &asked = prompt->boxes()[0];
    EXPECT_EQ(asked.title, QStringLiteral("Right"));
    EXPECT_EQ(asked.text, QStringLiteral("Enter new image height in number of tiles.\r\nCurrent height is: 32"));
    EXPECT_EQ(asked.defaultText, QStringLiteral("32"));
    EXPECT_TRUE(SamePixels(workspace.sheet(1), right.copy(0, 0, 256, 320)));
    EXPECT_EQ(window.view().panes[1].sheet, QRect(320, 40, 256, 320));
    EXPECT_EQ(window.view().panes[1].scrollValue, 0);
    EXPECT_TRUE(SamePixels(workspace.sheet(0), left)) << "the other pane is untouched";

    // The scroll bar is at 0 already, yet the pane is placed again.
    test::WidgetAt(window, window.controls().TileSet[1])->move(320, -100); // out of place, by hand
    prompt->answerText(QStringLiteral("12 tiles"));
    window.mresize_Click();
    EXPECT_EQ(window.view().panes[1].sheet, QRect(320, 40, 256, 384));

    prompt->answerText(QStringLiteral("2.5"));
    window.mresize_Click();
    prompt->answerText(QStringLiteral("3"));
    window.mresize_Click();
    EXPECT_EQ(prompt->boxes().last().text.section(u'\n', 1), QStringLiteral("Current height is: 2.5"));
    EXPECT_EQ(prompt->boxes().last().defaultText, QStringLiteral("2.5"));
    EXPECT_TRUE(SamePixels(workspace.sheet(1).copy(0, 0, 256, 80), right.copy(0, 0, 256, 80)));
    EXPECT_TRUE(Uniform(workspace.sheet(1).copy(0, 80, 256, 16), test::kBlackPixel)) << "rows added at the bottom";
    EXPECT_EQ(window.view().panes[1].sheet.height(), 96);
}

TEST_F(ImageCommands, ResizeRefusesNoNumberZeroNegativeAndTooHighAndIgnoresAnEmptyAnswer)
{
    const QImage right = workspace.sheet(1);
    workspace.setScrollValue(1, 500);
    const int top = window.view().panes[1].sheet.y();
    chooseImagePane(1);
    const struct {
        const char *answer;
        const char *message; // empty: no message at all
    } cases[] = {
        {"0", "Invalid height."},
        {"-3", "Invalid height."},
        {"abc", "Invalid height."},
        {"5000", "Height too large. A sheet can be at most 4096 tiles (131072 pixels) high."},
        {"", ""},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.answer);
        prompt->forget();
        prompt->answerText(QString::fromLatin1(c.answer));
        window.mresize_Click();
        if (*c.message) {
            ASSERT_EQ(prompt->boxes().size(), 2);
            EXPECT_EQ(prompt->boxes()[1].icon, ScriptedPrompt::Icon::Critical);
            EXPECT_EQ(prompt->boxes()[1].title, QStringLiteral("Vexlo"));
            EXPECT_EQ(prompt->boxes()[1].text, QString::fromLatin1(c.message));
        } else {
            EXPECT_EQ(prompt->boxes().size(), 1);
        }
        EXPECT_TRUE(SamePixels(workspace.sheet(1), right));
        EXPECT_EQ(window.view().panes[1].scrollValue, 500);
        EXPECT_EQ(window.view().panes[1].sheet.y(), top);
    }
}

TEST_F(ImageCommands, ClearAsksFirstThenOffersTheOldHeight)
{
    const QImage left = workspace.sheet(0);
    prompt->answerYesNo(false);
    window.mclear_Click();
    ASSERT_EQ(prompt->boxes().size(), 1) << "No: no resize prompt";
    EXPECT_EQ(prompt->boxes()[0].icon, ScriptedPrompt::Icon::Question);
    EXPECT_EQ(prompt->boxes()[0].title, QStringLiteral("Left"));
    EXPECT_EQ(prompt->boxes()[0].text, QStringLiteral("Clear image?"));
    EXPECT_TRUE(SamePixels(workspace.sheet(0), left));

    prompt->answerYesNo(true);
    prompt->answerText(QString()); // the resize cancelled
    window.mclear_Click();
    ASSERT_EQ(prompt->boxes().size(), 3);
    EXPECT_EQ(prompt->boxes()[2].title, QStringLiteral("Left"));
    EXPECT_EQ(prompt->boxes()[2].defaultText, QStringLiteral("4"));
    EXPECT_EQ(workspace.sheet(0).size(), QSize(256, 128));
    EXPECT_TRUE(Uniform(workspace.sheet(0), test::kBlackPixel));

    chooseImagePane(1);
    prompt->answerYesNo(true);
    prompt->answerText(QStringLiteral("2"));
    window.mclear_Click();
    EXPECT_EQ(prompt->boxes()[3].title, QStringLiteral("Right"));
    EXPECT_EQ(prompt->boxes()[4].title, QStringLiteral("Right"));
    EXPECT_EQ(workspace.sheet(1).size(), QSize(256, 64));
    EXPECT_TRUE(Uniform(workspace.sheet(1), test::kBlackPixel));
}

TEST_F(ImageCommands, SaveWritesThePanesSheetAndACloseBoxMeansAFreshDialogNextTime)
{
    chooseImagePane(1);
    workspace.options().setState(OptSwitch::ChkRememberDirs, 0);
    const QString path = folder.file(QStringLiteral("right.bmp"));
    prompt->answerText(path);
    test::WhileModal([&] {
        FrmSave &dialog = window.frmSave();
        EXPECT_EQ(QApplication::activeModalWidget(), &dialog);
        dialog.openFolder(folder.path());
        test::Click(dialog, dialog.controls().BtnSave[1]);
    });
    window.msave_Click();
    const SheetFile saved = LoadSheetFile(path);
    ASSERT_TRUE(saved.accepted()) << saved.refusal.toStdString();
    EXPECT_TRUE(SamePixels(saved.sheet, workspace.sheet(1)));

    // Hidden by Save: the next use shows the same folder.
    test::WhileModalLookAndClose([&](QWidget *) { EXPECT_EQ(window.frmSave().lists().folder, folder.path()); });
    window.msave_Click();
    // Closed through its frame just now: made again, in the process's folder.
    test::WhileModalLookAndClose([&](QWidget *) { EXPECT_EQ(window.frmSave().lists().folder, QDir::currentPath()); });
    window.msave_Click();
    EXPECT_EQ(window.findChildren<FrmSave *>().size(), 0);
}

TEST_F(ImageCommands, SaveBackWritesThePanesFileInItsFormatAndTheTitleFollowsTheWorkspace)
{
    QAction *saveBack = test::MenuCommand(window, QStringLiteral("&Image"), QStringLiteral("Save &back"));
    ASSERT_NE(saveBack, nullptr);
    chooseImagePane(1);
    EXPECT_FALSE(saveBack->isEnabled()) << "the pane has no file";
    EXPECT_EQ(window.windowTitle(), QStringLiteral("*(no file) | *(no file) - Vexlo"));

    const QString path = folder.file(QStringLiteral("walls.png"));
    WriteSheetFile(PatternSheet(3, 64), path);
    LoadSheet(workspace, 1, LoadSheetFile(path).sheet, test::kMagenta, kBlack, PaneFile{path});
    EXPECT_EQ(window.windowTitle(), QStringLiteral("*(no file) | walls.png - Vexlo"));
    ResizeSheet(workspace, 1, 96);
    EXPECT_EQ(window.windowTitle(), QStringLiteral("*(no file) | *walls.png - Vexlo"));
    chooseImagePane(1);
    ASSERT_TRUE(saveBack->isEnabled());
    saveBack->trigger();
    EXPECT_TRUE(SamePixels(LoadSheetFile(path).sheet, workspace.sheet(1)));
    EXPECT_EQ(QImageReader(path).format(), QByteArray("png")) << "written as it was";
    EXPECT_EQ(window.windowTitle(), QStringLiteral("*(no file) | walls.png - Vexlo"));
    undo();
    undo();
    EXPECT_EQ(window.windowTitle(), QStringLiteral("*(no file) | *(no file) - Vexlo")) << "the load undone";
    redo();

    // Part of a tile high: asked first, with No the default; No writes nothing.
    ResizeSheet(workspace, 1, 656);
    prompt->answerYesNo(false);
    prompt->answerYesNo(true);
    saveBack->trigger();
    EXPECT_EQ(prompt->boxes().last().text,
              QStringLiteral("The sheet is 20.5 tiles high. Vexlo can load back only whole tiles. Save it anyway?"));
    EXPECT_EQ(prompt->boxes().last().byDefault, ScriptedPrompt::Answer::No);
    EXPECT_EQ(QImage(path).height(), 96);
    saveBack->trigger();
    EXPECT_EQ(QImage(path).height(), 656);

    // Loaded with its transparency as the keys: written back with it.
    const Colour key = ColourFromQRgb(workspace.sheet(1).pixel(0, 0));
    LoadSheet(workspace, 1, workspace.sheet(1), key, kBlack, PaneFile{path, true});
    prompt->answerYesNo(true);
    saveBack->trigger();
    EXPECT_EQ(qAlpha(QImage(path).pixel(0, 0)), 0) << "the transparent key as alpha 0 again";
    // A bitmap read so (32 bits with alpha) is written back with the keys as colours.
    const QString bitmap = folder.file(QStringLiteral("alpha.bmp"));
    LoadSheet(workspace, 1, workspace.sheet(1), key, kBlack, PaneFile{bitmap, true});
    prompt->answerYesNo(true);
    saveBack->trigger();
    EXPECT_EQ(QImage(bitmap).pixel(0, 0), QRgbFromColour(key));

    // A picture Vexlo cannot write in its own format is not saved back.
    LoadSheet(workspace, 1, workspace.sheet(1), kWhite, kBlack, PaneFile{folder.file(QStringLiteral("photo.jpg"))});
    chooseImagePane(1);
    EXPECT_FALSE(saveBack->isEnabled());
}

TEST_F(ImageCommands, LoadRunsTheLoadDialogForThePane)
{
    const QImage right = workspace.sheet(1);
    chooseImagePane(1);
    QString caption;
    test::WhileModalLookAndClose([&](QWidget *modal) { caption = modal ? modal->windowTitle() : QString(); });
    window.mload_Click();
    EXPECT_EQ(caption, QStringLiteral("Load right"));
    EXPECT_TRUE(SamePixels(workspace.sheet(1), right));
}

TEST_F(ImageCommands, ReplaceColourChangesExactlyThatColourOnThePaneAndRecordsNothing)
{
    QImage left = workspace.sheet(0);
    for (int y = 0; y < left.height(); y += 3)
        left.setPixel((y * 7) % 256, y, kMagentaPixel);
    left.setPixel(1, 1, qRgb(0xFE, 0x00, 0xFF)); // one step off: stays
    workspace.setSheet(0, left);
    QImage right = workspace.sheet(1);
    right.setPixel(5, 5, kMagentaPixel);
    workspace.setSheet(1, right);
    workspace.setRecording(true);
    const int lines = workspace.macro().rowCount();

    QImage expected = left;
    for (int y = 0; y < expected.height(); ++y)
        for (int x = 0; x < expected.width(); ++x)
            if (expected.pixel(x, y) == kMagentaPixel)
                expected.setPixel(x, y, qRgb(0, 0, 0));

    QSignalSpy shown(&workspace, &Workspace::sheetChanged);
    const QStringList captions = withColourDialog({mixAndOk(255, 0, 255), mixAndOk(0, 0, 0)},
                                                  [this] { window.mrepcol_Click(); });
    EXPECT_EQ(captions, (QStringList{QStringLiteral("Find: Left"), QStringLiteral("Replace: Left")}));
    EXPECT_TRUE(SamePixels(workspace.sheet(0), expected));
    EXPECT_TRUE(SamePixels(workspace.sheet(1), right)) << "the other pane is untouched";
    ASSERT_EQ(shown.size(), 1);
    EXPECT_EQ(shown[0][0].toInt(), 0) << "the pane is told to show its new colours";
    EXPECT_EQ(workspace.macro().rowCount(), lines) << "nothing recorded";

    undo(); // one step, every pixel back
    EXPECT_TRUE(SamePixels(workspace.sheet(0), left));
    redo();
    EXPECT_TRUE(SamePixels(workspace.sheet(0), expected));
}

TEST_F(ImageCommands, ReplaceColourStopsAtACancelAndFindingTheReplacementChangesNothing)
{
    const QImage right = workspace.sheet(1);
    chooseImagePane(1);
    workspace.setKeyColours(1, ColourFromQRgb(right.pixel(3, 4)), kBlack);
    const auto cancel = [](FrmColour &dialog) { dialog.BtnCancel_Click(); };
    const auto rightTransparent = [](FrmColour &dialog) {
        dialog.chooseEntry(5);
        dialog.BtnOK_Click();
    };

    EXPECT_EQ(withColourDialog({cancel}, [this] { window.mrepcol_Click(); }),
              QStringList{QStringLiteral("Find: Right")}) << "no second question";
    EXPECT_EQ(withColourDialog({rightTransparent, cancel}, [this] { window.mrepcol_Click(); }),
              (QStringList{QStringLiteral("Find: Right"), QStringLiteral("Replace: Right")}));
    withColourDialog({rightTransparent, rightTransparent}, [this] { window.mrepcol_Click(); });
    EXPECT_TRUE(SamePixels(workspace.sheet(1), right));

    withColourDialog({rightTransparent, mixAndOk(1, 2, 3)}, [this] { window.mrepcol_Click(); });
    EXPECT_EQ(workspace.sheet(1).pixel(3, 4), qRgb(1, 2, 3));
}

} // namespace
} // namespace vexlo
