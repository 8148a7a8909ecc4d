#include "load_dialog_fixture.h"

#include "widgets/drive_list.h"
#include "widgets/file_list.h"
#include "widgets/folder_list.h"
#include "widgets/key_swatch.h"
#include "load/preview_box.h"
#include "support/form_input.h"
#include "support/test_colours.h"

#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>

#include <sys/stat.h>

namespace vexlo::test {
namespace {

using LoadDialog = LoadDialogTest;

TEST_F(LoadDialog, StartsWithTheLayoutsControlsAndStates)
{
    FrmLoadImage fresh(workspace);
    EXPECT_EQ(fresh.size(), QSize(605, 515));
    EXPECT_EQ(fresh.minimumSize(), fresh.maximumSize()) << "fixed size";
    EXPECT_EQ(fresh.windowTitle(), QStringLiteral("Load Image"));
    EXPECT_EQ(fresh.LoadPane, 0);
    EXPECT_EQ(fresh.LoadCancelled, 0);
    EXPECT_EQ(fresh.lists().folder, QDir::currentPath());
    EXPECT_EQ(fresh.lists().filesFolder, QDir::currentPath());
    EXPECT_FALSE(fresh.lists().drive.isEmpty());

    const FrmLoadImage::Controls controls = fresh.controls();
    const struct {
        const QWidget *control;
        QRect place;
        const char *tip;
    } places[] = {
        {controls.Drive1, {8, 8, 161, 21}, "Click to set drive"},
        {controls.BtnExplore, {176, 8, 49, 25}, "Explore the below directory"},
        {controls.Dir1, {8, 32, 217, 201}, "Navigate to folder"},
        {controls.File1, {8, 240, 217, 266}, "Select file"},
        {controls.TileSet, {240, 32, 256, 289}, ""},
        {controls.TileSetScroll, {504, 16, 17, 81}, ""},
        {controls.TransCol, {576, 344, 16, 16}, "Transparent colour"},
        {controls.TransLCol, {576, 368, 16, 16}, "Translucent (shadow) colour"},
        {controls.BtnDefTrans[0], {512, 392, 81, 17},
         "Click to set transparent colour to a preset. Click again for an alternate colour."},
        {controls.BtnDefTrans[1], {512, 408, 81, 17},
         "Click to set transparent colour to a preset. Click again for an alternate colour."},
        {controls.BtnCancel, {512, 432, 81, 33}, "Don't load an image"},
        {controls.BtnLoad, {512, 472, 81, 33}, "Load image"},
    };
    for (const auto &c : places) {
        EXPECT_EQ(c.control->geometry(), c.place) << c.control->metaObject()->className();
        EXPECT_EQ(c.control->toolTip(), QString::fromLatin1(c.tip));
    }
    for (int row = 0; row < 2; ++row) {
        const QRect place = controls.Label1[row]->geometry();
        EXPECT_EQ(place.topLeft(), QPoint(512, 344 + row * 24));
        EXPECT_EQ(place.height(), 11);
        EXPECT_GE(place.width(), std::max(row == 0 ? 52 : 51, controls.Label1[row]->sizeHint().width()));
        EXPECT_LE(place.right(), 575) << "clear of the swatch";
    }
    EXPECT_EQ(controls.FileName->pos(), QPoint(240, 8));
    EXPECT_TRUE(fresh.view().fileName.isEmpty());

    EXPECT_EQ(controls.BtnExplore->text(), QStringLiteral("Explore"));
    EXPECT_EQ(controls.Label1[0]->text(), QStringLiteral("Transparent:"));
    EXPECT_EQ(controls.Label1[1]->text(), QStringLiteral("Translucent:"));
    EXPECT_EQ(controls.BtnDefTrans[0]->text(), QStringLiteral("Default transparent"));
    EXPECT_EQ(controls.BtnDefTrans[1]->text(), QStringLiteral("Default translucent"));
    EXPECT_EQ(controls.BtnCancel->text(), QStringLiteral("Cancel"));
    EXPECT_EQ(controls.BtnLoad->text(), QStringLiteral("Load"));
    EXPECT_DOUBLE_EQ(controls.Label1[1]->font().pointSizeF(), 6.75);
    EXPECT_DOUBLE_EQ(controls.BtnDefTrans[1]->font().pointSizeF(), 6);

    const FrmLoadImage::View shown = fresh.view();
    EXPECT_FALSE(shown.previewShown);
    EXPECT_FALSE(shown.transparentShown);
    EXPECT_FALSE(shown.translucentShown);
    EXPECT_EQ(shown.transparent, kWhite);
    EXPECT_EQ(shown.translucent, kWhite);
    EXPECT_TRUE(shown.loadEnabled);
    EXPECT_EQ(controls.TileSetScroll->minimum(), 0);
    EXPECT_EQ(controls.TileSetScroll->maximum(), 1000);
    EXPECT_EQ(controls.TileSetScroll->singleStep(), 1);
    EXPECT_EQ(controls.TileSetScroll->pageStep(), 1);
    EXPECT_EQ(shown.scrollValue, 0);
    EXPECT_FALSE(controls.TileSetScroll->hasTracking());

    fresh.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&fresh));
    EXPECT_EQ(fresh.grab().toImage().pixel(300, 400), kWorkspaceGrey);
}

TEST_F(LoadDialog, TabsInTheLayoutsOrderAndNeitherEnterNorEscapePressAButton)
{
    writePicture(QStringLiteral("sheet.bmp"), BlockPicture(64, 64));
    choose(QStringLiteral("sheet.bmp"));
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));

    const FrmLoadImage::Controls controls = dialog.controls();
    QList<const QWidget *> order;
    const QWidget *widget = controls.TileSet;
    do {
        if ((widget->focusPolicy() & Qt::TabFocus) && widget->isVisibleTo(&dialog))
            order << widget;
        widget = widget->nextInFocusChain();
    } while (widget != controls.TileSet);
    const QList<const QWidget *> expected{controls.TileSet,   controls.Drive1,         controls.Dir1,
                                          controls.File1,     controls.BtnLoad,        controls.TileSetScroll,
                                          controls.BtnCancel, controls.ChkAlphaToKeys, controls.BtnDefTrans[0],
                                          controls.BtnDefTrans[1], controls.BtnExplore};
    EXPECT_EQ(order, expected);

    for (QPushButton *button : dialog.findChildren<QPushButton *>())
        EXPECT_FALSE(button->isDefault() || button->autoDefault()) << button->text().toStdString();
    QWidget *load = WidgetAt(dialog, controls.BtnLoad);
    load->setFocus();
    QTest::keyClick(load, Qt::Key_Return);
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_TRUE(prompt->boxes().isEmpty()) << "Load was not pressed";
    dialog.hide();
}

TEST_F(LoadDialog, ChoosingAFileChecksItAgainstTheSheetRules)
{
    const struct {
        const char *name;
        QSize size;
        const char *message; // empty: accepted, FileName shows the path
    } cases[] = {
        {"wide.bmp", {320, 64}, "Invalid size (X > 256)."},
        {"odd.bmp", {250, 64}, "Invalid size (X mod 32 <> 0)."},
        {"high.bmp", {256, 100}, "Invalid size (Y mod 32 <> 0)."},
        {"narrow.gif", {96, 64}, ""},
        {"one.ico", {32, 32}, ""},
        {"Tiles.PNG", {64, 96}, ""},
        {"wide.png", {288, 32}, "Invalid size (X > 256)."},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.name);
        const QString name = QString::fromLatin1(c.name);
        writePicture(name, BlockPicture(c.size.width(), c.size.height()));
        dialog.BtnDefTrans_Click(0);
        dialog.BtnDefTrans_Click(1);
        choose(name);
        const bool accepted = *c.message == '\0';
        EXPECT_EQ(dialog.view().fileName,
                  accepted ? folder.path() + u'/' + name : QString::fromLatin1(c.message));
        const QLabel *fileName = dialog.controls().FileName;
        EXPECT_EQ(fileName->width(), fileName->sizeHint().width()) << "sizes itself to its text";
        EXPECT_EQ(!dialog.view().previewShown, !accepted);
        EXPECT_EQ(dialog.view().loadEnabled, accepted);
        EXPECT_FALSE(dialog.view().transparentShown);
        EXPECT_FALSE(dialog.view().translucentShown);
        if (accepted) {
            EXPECT_EQ(dialog.view().preview.size(), QSize(256, c.size.height()));
        }
    }
}

TEST_F(LoadDialog, TheSameFileChosenAgainIsReadAfreshAndItsKeyColoursChosenAgain)
{
    const QString name = QStringLiteral("sheet.png");
    writePicture(name, BlockPicture(64, 64));
    chooseReadySheet(name, QPoint(1, 1), QPoint(1, 1));
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    auto click = [&] {
        const FileList *files = dialog.controls().File1;
        const QRect item = files->visualItemRect(files->currentItem());
        QTest::mouseClick(WidgetAt(dialog, files->viewport(), item.center()), Qt::LeftButton, {}, item.center());
    };

    // Changed on disk since it was picked: a click on it, still selected, reads it again.
    writePicture(name, BlockPicture(96, 128));
    click();
    EXPECT_EQ(dialog.view().preview.size(), QSize(256, 128));
    EXPECT_EQ(dialog.selection().preview().pixel(90, 120), BlockPicture(96, 128).pixel(90, 120));
    EXPECT_FALSE(dialog.view().transparentShown);
    EXPECT_FALSE(dialog.view().translucentShown);

    // And by the keyboard, now breaking a rule.
    dialog.BtnDefTrans_Click(0);
    writePicture(name, BlockPicture(250, 32));
    QWidget *files = WidgetAt(dialog, dialog.controls().File1);
    files->setFocus();
    QTest::keyClick(files, Qt::Key_Return);
    EXPECT_EQ(dialog.view().fileName, QStringLiteral("Invalid size (X mod 32 <> 0)."));
    EXPECT_FALSE(dialog.view().previewShown);
    EXPECT_FALSE(dialog.view().loadEnabled);
    EXPECT_FALSE(dialog.view().transparentShown);
    dialog.hide();
}

TEST_F(LoadDialog, LoadWarnsInOrderUntilASheetAndBothColoursAreChosenThenFillsThePane)
{
    const QImage picture = BlockPicture(96, 64);
    writePicture(QStringLiteral("sheet.bmp"), picture);
    const QImage rightBefore = workspace.sheet(1);

    const std::int16_t result = use(0, [&] {
        dialog.BtnLoad_Click();
        choose(QStringLiteral("sheet.bmp"));
        dialog.BtnLoad_Click();
        dialog.TileSet_MouseDown(1, 0, 10, 10);
        dialog.BtnLoad_Click();
        EXPECT_TRUE(dialog.isVisible());
        dialog.TileSet_MouseDown(2, 0, 50, 40);
        dialog.BtnLoad_Click();
    });

    EXPECT_EQ(prompt->texts(),
              (QStringList{QStringLiteral("Please load a valid image file first."),
                           QStringLiteral("Please click on the image to select a transparent colour first."),
                           QStringLiteral("Please right click on the image to select a translucent colour first.")}));
    for (const auto &box : prompt->boxes()) {
        EXPECT_EQ(box.icon, Prompt::Icon::Exclamation);
        EXPECT_EQ(box.title, QStringLiteral("Vexlo"));
    }
    EXPECT_EQ(result, -1);
    EXPECT_EQ(dialog.LoadCancelled, 0);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Load left"));
    const QImage &pane = workspace.sheet(0);
    ASSERT_EQ(pane.size(), QSize(256, 64));
    EXPECT_EQ(pane.copy(0, 0, 96, 64), picture);
    EXPECT_EQ(pane.pixel(96, 0), qRgb(0, 0, 0));
    EXPECT_EQ(pane.pixel(255, 63), qRgb(0, 0, 0));
    EXPECT_EQ(workspace.transparentKey(0), ColourFromQRgb(picture.pixel(10, 10)));
    EXPECT_EQ(workspace.translucentKey(0), ColourFromQRgb(picture.pixel(50, 40)));
    EXPECT_EQ(workspace.sheet(1), rightBefore);
    EXPECT_EQ(workspace.transparentKey(1), kWhite);
}

TEST_F(LoadDialog, AGivenFileIsChosenAsAClickOnItWouldBeItsFolderShown)
{
    const QString sub = folder.file(QStringLiteral("sub dir"));
    ASSERT_TRUE(QDir().mkpath(sub));
    writePicture(QStringLiteral("sub dir/sheet é.bmp"), BlockPicture(64, 64));
    writePicture(QStringLiteral("sub dir/wide.bmp"), BlockPicture(288, 32));
    ASSERT_EQ(mkfifo(QFile::encodeName(sub + QStringLiteral("/pipe.bmp")).constData(), 0600), 0);
    const struct {
        const char *given;
        const char *chosen;
        bool previewed;
    } cases[] = {
        {"sheet é.bmp", "sheet é.bmp", true},
        {"wide.bmp", "wide.bmp", false}, // the reason shown
        {"gone.bmp", "", false},
        {"pipe.bmp", "", false}, // refused unopened, never waited on
        {"", "", false},         // the folder itself: opened
    };
    for (const auto &c : cases) {
        const QString given = sub + u'/' + QString::fromUtf8(c.given);
        use(0, [&] {
            EXPECT_EQ(dialog.lists().folder, sub) << c.given;
            EXPECT_EQ(dialog.lists().chosenFile, QString::fromUtf8(c.chosen)) << c.given;
            EXPECT_EQ(dialog.view().previewShown, c.previewed) << c.given;
            if (*c.given) {
                EXPECT_EQ(dialog.view().fileName == given, c.previewed) << c.given;
            }
            dialog.BtnCancel_Click();
        }, given);
    }
}

TEST_F(LoadDialog, CancelTheCloseBoxAndEscapeLeaveThePaneAsItWas)
{
    writePicture(QStringLiteral("sheet.bmp"), BlockPicture(64, 64));
    const QImage before = workspace.sheet(1);
    workspace.setKeyColours(1, Colour(0x123456), Colour(0x654321));

    EXPECT_EQ(use(1, [&] {
        chooseReadySheet(QStringLiteral("sheet.bmp"), {1, 1}, {2, 2});
        dialog.BtnCancel_Click();
    }), 0);
    EXPECT_EQ(dialog.LoadCancelled, -1);

    EXPECT_EQ(use(1, [&] {
        QTest::keyClick(&dialog, Qt::Key_Escape);
        EXPECT_TRUE(dialog.isVisible()) << "Escape is no Cancel";
        dialog.close(); // as the frame's close box does
    }), 0);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.LoadCancelled, -1);
    EXPECT_EQ(workspace.sheet(1), before);
    EXPECT_EQ(workspace.transparentKey(1), Colour(0x123456));
    EXPECT_EQ(workspace.translucentKey(1), Colour(0x654321));
    EXPECT_TRUE(prompt->boxes().isEmpty());
}

TEST_F(LoadDialog, ASecondUseOpensWithThePreviousSheetColoursAndScrollingAndListsNewFiles)
{
    writePicture(QStringLiteral("tall.bmp"), BlockPicture(128, 1024));
    ASSERT_EQ(use(0, [&] {
        chooseReadySheet(QStringLiteral("tall.bmp"), {3, 3}, {100, 900});
        dialog.scrollPreview(300);
        dialog.BtnLoad_Click();
    }), -1);
    const int previewTop = dialog.view().preview.y();
    writePicture(QStringLiteral("added.bmp"), BlockPicture(64, 32)); // listed before tall.bmp

    const std::int16_t result = use(1, [&] {
        EXPECT_EQ(dialog.lists().files.size(), 2);
        EXPECT_EQ(dialog.lists().files.value(0), QStringLiteral("added.bmp"));
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Load right"));
        EXPECT_EQ(dialog.view().fileName, folder.file(QStringLiteral("tall.bmp")));
        EXPECT_TRUE(dialog.view().previewShown);
        EXPECT_TRUE(dialog.view().transparentShown);
        EXPECT_TRUE(dialog.view().translucentShown);
        EXPECT_EQ(dialog.view().scrollValue, 300);
        EXPECT_EQ(dialog.view().preview.y(), previewTop);
        EXPECT_EQ(dialog.lists().chosenFile, QStringLiteral("tall.bmp"));
        dialog.BtnLoad_Click();
    });
    EXPECT_EQ(result, -1);
    EXPECT_EQ(workspace.sheet(1), workspace.sheet(0));
    EXPECT_EQ(workspace.transparentKey(1), workspace.transparentKey(0));
    EXPECT_EQ(workspace.translucentKey(1), workspace.translucentKey(0));
    EXPECT_TRUE(prompt->boxes().isEmpty());
}

TEST_F(LoadDialog, EachPaneRemembersItsOwnFolder)
{
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("Left/inner")));
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("Right")));
    const QString left = folder.file(QStringLiteral("Left"));
    const QString right = folder.file(QStringLiteral("Right"));
    Options &options = workspace.options();
    options.setState(OptSwitch::ChkRememberDirs, 1);
    options.setDefDir(0, left);
    options.setDefDir(1, right);

    use(0, [&] {
        EXPECT_EQ(dialog.lists().folder, left);
        dialog.BtnCancel_Click();
    });
    use(1, [&] {
        EXPECT_EQ(dialog.lists().folder, right);
        EXPECT_EQ(dialog.lists().filesFolder, right);
        dialog.BtnCancel_Click();
    });
    EXPECT_EQ(options.DefDir(0), left);
    EXPECT_EQ(options.DefDir(1), right);

    // Switched off: the folder is still recorded, but each use opens where
    // the last one left off.
    options.setState(OptSwitch::ChkRememberDirs, 0);
    use(0, [&] {
        EXPECT_EQ(dialog.lists().folder, right);
        dialog.openFolder(left + QStringLiteral("/inner"));
        dialog.BtnCancel_Click();
    });
    EXPECT_EQ(options.DefDir(0), left + QStringLiteral("/inner"));
    EXPECT_EQ(options.DefDir(1), right);
    use(1, [&] {
        EXPECT_EQ(dialog.lists().folder, left + QStringLiteral("/inner"));
        dialog.BtnCancel_Click();
    });

    // A remembered folder that is gone leaves the list where it was.
    options.setState(OptSwitch::ChkRememberDirs, 2);
    options.setDefDir(1, folder.file(QStringLiteral("gone")));
    use(1, [&] {
        EXPECT_EQ(dialog.lists().folder, left + QStringLiteral("/inner"));
        dialog.BtnCancel_Click();
    });
}

TEST_F(LoadDialog, APaneIndexOutsideTheTwoPanesTouchesNoPaneAndNoFolder)
{
    writePicture(QStringLiteral("sheet.bmp"), BlockPicture(64, 64));
    const QImage left = workspace.sheet(0), right = workspace.sheet(1);
    const std::int16_t result = use(5, [&] {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Load right"));
        dialog.openFolder(QDir::rootPath());
        dialog.openFolder(folder.path());
        chooseReadySheet(QStringLiteral("sheet.bmp"), {1, 1}, {2, 2});
        dialog.BtnLoad_Click();
    });
    EXPECT_EQ(result, -1) << "the use ended with Load";
    EXPECT_EQ(workspace.sheet(0), left);
    EXPECT_EQ(workspace.sheet(1), right);
    EXPECT_EQ(workspace.options().DefDir(0), folder.path()) << "written by the set-up, not by pane 5";
    EXPECT_TRUE(workspace.options().DefDir(1).isEmpty());
}

} // namespace
} // namespace vexlo::test
