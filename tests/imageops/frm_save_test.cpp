// The save dialog with real files in a temporary folder: what it writes
// where, what it refuses, and the folder it remembers for each pane.
#include "widgets/drive_list.h"
#include "widgets/file_list.h"
#include "widgets/folder_list.h"
#include "imageops/frm_save.h"
#include "io/sheet_writer.h"
#include "io/sheet_file.h"
#include "model/workspace.h"
#include "support/file_faults.h"
#include "support/form_input.h"
#include "support/modal.h"
#include "support/pixels.h"
#include "support/scripted_prompt.h"
#include "support/temp_folder.h"

#include <QCheckBox>
#include <QDir>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace vexlo {
namespace {

using test::PatternSheet;
using test::SamePixels;
using test::ScriptedPrompt;

class SaveDialog : public ::testing::Test {
protected:
    SaveDialog()
    {
        workspace.setSheet(0, PatternSheet(1, 64));
        workspace.setSheet(1, PatternSheet(2, 96));
        dialog.openFolder(folder.path());
        folder.write(QStringLiteral("walls.bmp"), oldBytes);
    }

    void select(const QString &name)
    {
        dialog.listFilesAgain();
        ASSERT_TRUE(dialog.chooseFile(name)) << name.toStdString() << " is not listed";
    }

    // Runs SaveImage for the pane; `action` is what the user does in the
    // dialog. A dialog the action leaves open is cancelled.
    void use(std::int16_t pane, const std::function<void()> &action)
    {
        test::WhileModal([this, action] {
            action();
            if (dialog.isVisible())
                dialog.BtnCancel_Click();
        });
        dialog.SaveImage(pane);
    }

    QImage readBack(const QString &path) const
    {
        const SheetFile file = LoadSheetFile(path);
        EXPECT_TRUE(file.accepted()) << file.refusal.toStdString();
        return file.sheet;
    }
    QStringList files() const { return QDir(folder.path()).entryList(QDir::Files | QDir::Hidden, QDir::Name); }

    test::ScopedScriptedPrompt prompt;
    test::TempFolder folder;
    Workspace workspace;
    FrmSave dialog{workspace};
    const QByteArray oldBytes = QByteArray("old walls ") + QByteArray(5000, 'w');
};

TEST_F(SaveDialog, StandsAsTheLayoutSaysAndListsOnlyBitmapsAndPngs)
{
    FrmSave fresh(workspace);
    EXPECT_EQ(fresh.windowTitle(), QStringLiteral("Save image"));
    EXPECT_EQ(fresh.size(), QSize(362, 323));
    EXPECT_EQ(fresh.minimumSize(), fresh.maximumSize()) << "fixed size";
    EXPECT_EQ(fresh.lists().folder, QDir::currentPath());
    const FrmSave::Controls controls = fresh.controls();
    const struct {
        const QWidget *control;
        QRect place;
        const char *caption;
    } places[] = {
        {controls.Drive1, {8, 8, 169, 21}, ""},
        {controls.Dir1, {8, 32, 169, 246}, ""},
        {controls.File1, {184, 8, 169, 266}, ""},
        {controls.BtnCancel, {96, 288, 81, 25}, "Cancel"},
        {controls.BtnSave[1], {184, 288, 81, 25}, "New name"},
        {controls.BtnSave[0], {272, 288, 81, 25}, "Save"},
    };
    for (const auto &c : places) {
        EXPECT_EQ(c.control->geometry(), c.place) << c.caption;
        if (auto *button = qobject_cast<const QPushButton *>(c.control)) {
            EXPECT_EQ(button->text(), QString::fromLatin1(c.caption));
            EXPECT_FALSE(button->isDefault() || button->autoDefault()) << "Enter overwrites nothing";
        }
    }

    fresh.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fresh));
    QList<const QWidget *> order;
    const QWidget *widget = controls.Drive1;
    do {
        if (widget->focusPolicy() & Qt::TabFocus)
            order << widget;
        widget = widget->nextInFocusChain();
    } while (widget != controls.Drive1);
    EXPECT_EQ(order, (QList<const QWidget *>{controls.Drive1, controls.Dir1, controls.File1, controls.ChkKeysToAlpha,
                                             controls.BtnSave[0], controls.BtnCancel, controls.BtnSave[1]}));
    fresh.hide();

    for (const char *name : {"B.BMP", "c.png", "d.jpg", "e.bmp.txt"})
        folder.write(QString::fromLatin1(name), "x");
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("f.bmp")));
    dialog.listFilesAgain();
    EXPECT_EQ(dialog.lists().files,
              (QStringList{QStringLiteral("B.BMP"), QStringLiteral("c.png"), QStringLiteral("walls.bmp")}));
}

TEST_F(SaveDialog, SaveOverwritesTheSelectedFileWithoutAQuestion)
{
    use(1, [this] {
        select(QStringLiteral("walls.bmp"));
        test::Click(dialog, dialog.controls().BtnSave[0]);
        EXPECT_FALSE(dialog.isVisible()) << "hidden after the save";
    });
    EXPECT_TRUE(prompt->boxes().isEmpty());
    EXPECT_TRUE(SamePixels(readBack(folder.file(QStringLiteral("walls.bmp"))), workspace.sheet(1)));
    EXPECT_EQ(files(), QStringList{QStringLiteral("walls.bmp")});
}

TEST_F(SaveDialog, SaveWithNothingSelectedSaysSoAndWritesNothing)
{
    use(0, [this] {
        test::Click(dialog, dialog.controls().BtnSave[0]);
        EXPECT_TRUE(dialog.isVisible()) << "the dialog stays open";
    });
    ASSERT_EQ(prompt->boxes().size(), 1);
    EXPECT_EQ(prompt->boxes()[0].icon, ScriptedPrompt::Icon::Critical);
    EXPECT_EQ(prompt->boxes()[0].title, QStringLiteral("Vexlo"));
    EXPECT_EQ(prompt->boxes()[0].text, QStringLiteral("No file selected."));
    EXPECT_EQ(folder.read(QStringLiteral("walls.bmp")), oldBytes);
    EXPECT_EQ(files(), QStringList{QStringLiteral("walls.bmp")});
}

TEST_F(SaveDialog, NewNameOffersTheSelectedFileOrTileSetAndUsesTheAnswerAsTyped)
{
    const QString folderPath = folder.path() + u'/';
    prompt->answerText(folderPath + QStringLiteral("TileSet.bmp"));
    use(0, [this] { test::Click(dialog, dialog.controls().BtnSave[1]); });
    prompt->answerText(folderPath + QStringLiteral("shown.png"));
    use(1, [this] {
        select(QStringLiteral("walls.bmp"));
        test::Click(dialog, dialog.controls().BtnSave[1]);
    });

    ASSERT_EQ(prompt->boxes().size(), 2);
    for (const ScriptedPrompt::Box &box : prompt->boxes()) {
        EXPECT_EQ(box.title, QStringLiteral("Vexlo"));
        EXPECT_EQ(box.text, QStringLiteral("Enter filename: (.BMP or .PNG)"));
    }
    EXPECT_EQ(prompt->boxes()[0].defaultText, folderPath + QStringLiteral("TileSet.bmp"));
    EXPECT_EQ(prompt->boxes()[1].defaultText, folderPath + QStringLiteral("walls.bmp"));

    EXPECT_TRUE(SamePixels(readBack(folder.file(QStringLiteral("TileSet.bmp"))), workspace.sheet(0)));
    EXPECT_TRUE(folder.read(QStringLiteral("shown.png")).startsWith("\x89PNG")) << "a PNG, as its name says";
    EXPECT_TRUE(SamePixels(readBack(folder.file(QStringLiteral("shown.png"))), workspace.sheet(1)));
    EXPECT_EQ(folder.read(QStringLiteral("walls.bmp")), oldBytes);
    EXPECT_EQ(files(), (QStringList{QStringLiteral("TileSet.bmp"), QStringLiteral("shown.png"),
                                    QStringLiteral("walls.bmp")}));
}

TEST_F(SaveDialog, AnEmptyNewNameWritesNothingAndShowsNothing)
{
    prompt->answerText(QString());
    use(0, [this] {
        test::Click(dialog, dialog.controls().BtnSave[1]);
        EXPECT_TRUE(dialog.isVisible());
    });
    EXPECT_EQ(prompt->boxes().size(), 1) << "only the input box";
    EXPECT_EQ(files(), QStringList{QStringLiteral("walls.bmp")});
}

TEST_F(SaveDialog, NewNameAsksBeforeReplacingAFileAndNoWritesNothing)
{
    const QString walls = folder.file(QStringLiteral("walls.bmp"));
    prompt->answerText(walls);
    prompt->answerYesNo(false);
    prompt->answerText(walls);
    prompt->answerYesNo(true);
    use(1, [&] {
        test::Click(dialog, dialog.controls().BtnSave[1]);
        EXPECT_TRUE(dialog.isVisible()) << "No keeps the dialog open";
        EXPECT_EQ(folder.read(QStringLiteral("walls.bmp")), oldBytes);
        test::Click(dialog, dialog.controls().BtnSave[1]);
    });
    ASSERT_EQ(prompt->boxes().size(), 4);
    const ScriptedPrompt::Box &asked = prompt->boxes()[1];
    EXPECT_EQ(asked.icon, ScriptedPrompt::Icon::Question);
    EXPECT_EQ(asked.title, QStringLiteral("Vexlo"));
    EXPECT_EQ(asked.text, QStringLiteral("walls.bmp already exists. Replace it?"));
    EXPECT_EQ(asked.byDefault, Prompt::Answer::No);
    EXPECT_TRUE(SamePixels(readBack(walls), workspace.sheet(1)));
    EXPECT_FALSE(workspace.paneUnsaved(1)) << "saved";
}

TEST_F(SaveDialog, AFailedWriteIsShownAndTheDialogStaysOpenForAnotherName)
{
    // A FIFO is no file to replace: refused without a question.
    const QString fifo = folder.file(QStringLiteral("pipe.bmp"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const QString refused[] = {folder.file(QStringLiteral("missing/sheet.bmp")), folder.path(),
                               folder.file(QStringLiteral("walls.bmp/x.bmp")), fifo};
    for (const QString &path : refused) {
        SCOPED_TRACE(path.toStdString());
        QFile::remove(folder.file(QStringLiteral("second try.bmp"))); // a new name each time, asked nothing
        prompt->forget();
        prompt->answerText(path);
        prompt->answerText(folder.file(QStringLiteral("second try.bmp")));
        use(0, [this] {
            test::Click(dialog, dialog.controls().BtnSave[1]);
            EXPECT_TRUE(dialog.isVisible());
            test::Click(dialog, dialog.controls().BtnSave[1]);
        });
        ASSERT_EQ(prompt->boxes().size(), 3);
        const ScriptedPrompt::Box &failure = prompt->boxes()[1];
        EXPECT_EQ(failure.icon, ScriptedPrompt::Icon::Critical);
        EXPECT_EQ(failure.title, QStringLiteral("Vexlo"));
        EXPECT_TRUE(failure.text.startsWith(QStringLiteral("Cannot write ") + path)
                    || failure.text == path + QStringLiteral(" is not a regular file."))
            << failure.text.toStdString();
        EXPECT_TRUE(SamePixels(readBack(folder.file(QStringLiteral("second try.bmp"))), workspace.sheet(0)));
    }
    EXPECT_EQ(folder.read(QStringLiteral("walls.bmp")), oldBytes);
}

// The file's reason in a critical box, the dialog still open for another
// try, and the old file as it was, with no temporary file left beside it.
TEST_F(SaveDialog, AReadOnlyFolderOrAWriteCutShortIsShownAndLeavesTheOldFileAsItWas)
{
    dialog.show();
    select(QStringLiteral("walls.bmp"));
    const QString path = folder.file(QStringLiteral("walls.bmp"));
    auto failureShown = [&](const char *reason) {
        const QList<ScriptedPrompt::Box> &boxes = prompt->boxes();
        return boxes.size() == 1 && boxes[0].icon == ScriptedPrompt::Icon::Critical
               && boxes[0].title == QStringLiteral("Vexlo")
               && boxes[0].text == QStringLiteral("Cannot write %1: %2").arg(path, QString::fromLatin1(reason))
               && dialog.isVisible();
    };
    {
        const test::ReadOnlyFolder readOnly(folder.path());
        ASSERT_TRUE(readOnly.holds());
        test::Click(dialog, dialog.controls().BtnSave[0]);
        EXPECT_TRUE(failureShown("Permission denied")) << prompt->texts().join(u'\n').toStdString();
    }
    EXPECT_TRUE(test::InChildUnderFileSizeLimit(16384, [&] {
        prompt->forget();
        test::Click(dialog, dialog.controls().BtnSave[0]);
        return failureShown("File too large");
    }));
    EXPECT_EQ(folder.read(QStringLiteral("walls.bmp")), oldBytes);
    EXPECT_EQ(files(), QStringList{QStringLiteral("walls.bmp")});
    dialog.hide();
}

TEST_F(SaveDialog, RemembersTheFolderLastShownForEachPane)
{
    QDir(folder.path()).mkdir(QStringLiteral("A"));
    QDir(folder.path()).mkdir(QStringLiteral("B"));
    const QString a = folder.file(QStringLiteral("A"));
    const QString b = folder.file(QStringLiteral("B"));
    Options &options = workspace.options();
    options.setState(OptSwitch::ChkRememberDirs, 1);

    use(1, [&] { dialog.openFolder(a); });
    use(0, [&] { dialog.openFolder(b); });
    use(1, [&] {
        EXPECT_EQ(dialog.lists().folder, a);
        EXPECT_EQ(dialog.lists().filesFolder, a);
    });
    use(0, [&] { EXPECT_EQ(dialog.lists().folder, b); });
    EXPECT_EQ(options.DefDirS(0), b);
    EXPECT_EQ(options.DefDirS(1), a);

    // Folder memory off: the folder is still recorded, but each use opens
    // where the last one ended.
    options.setState(OptSwitch::ChkRememberDirs, 0);
    use(1, [&] {
        EXPECT_EQ(dialog.lists().folder, b);
        dialog.openFolder(folder.path());
    });
    EXPECT_EQ(options.DefDirS(1), folder.path());
    EXPECT_EQ(options.DefDirS(0), b);

    // A remembered folder that is gone is passed over without a word.
    options.setState(OptSwitch::ChkRememberDirs, 1);
    options.setDefDirS(0, folder.file(QStringLiteral("gone")));
    use(0, [&] { EXPECT_EQ(dialog.lists().folder, folder.path()); });
    EXPECT_TRUE(prompt->boxes().isEmpty());
}

TEST_F(SaveDialog, KeepsItsSelectionBetweenUsesAndListsTheFilesSavedMeanwhile)
{
    prompt->answerText(folder.file(QStringLiteral("added.bmp")));
    use(0, [this] {
        select(QStringLiteral("walls.bmp"));
        test::Click(dialog, dialog.controls().BtnSave[1]);
    });
    use(0, [this] {
        EXPECT_EQ(dialog.lists().files.size(), 2);
        EXPECT_EQ(dialog.lists().files.value(0), QStringLiteral("added.bmp"));
        EXPECT_EQ(dialog.lists().chosenFile, QStringLiteral("walls.bmp"));
    });
}

TEST_F(SaveDialog, CancelAndTheCloseBoxWriteNothing)
{
    use(0, [this] {
        select(QStringLiteral("walls.bmp"));
        dialog.BtnCancel_Click();
    });
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    use(0, [this] {
        select(QStringLiteral("walls.bmp"));
        dialog.close();
    });
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(folder.read(QStringLiteral("walls.bmp")), oldBytes);
    EXPECT_TRUE(prompt->boxes().isEmpty());
}

} // namespace
} // namespace vexlo
