#include "load_dialog_fixture.h"

#include "widgets/drive_list.h"
#include "widgets/file_list.h"
#include "widgets/folder_list.h"
#include "widgets/key_swatch.h"
#include "load/preview_box.h"
#include "support/test_colours.h"

#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QListWidget>
#include <QScrollBar>
#include <QTest>

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
    EXPECT_EQ(fresh.Dir1->path(), QDir::currentPath());
    EXPECT_EQ(fresh.File1->folder(), QDir::currentPath());
    EXPECT_EQ(fresh.Drive1->currentIndex() >= 0, true);

    const struct {
        QWidget *control;
        QRect place;
        const char *tip;
    } controls[] = {
        {fresh.Drive1, {8, 8, 161, 21}, "Click to set drive"},
        {fresh.BtnExplore, {176, 8, 49, 25}, "Explore the below directory"},
        {fresh.Dir1, {8, 32, 217, 201}, "Navigate to folder"},
        {fresh.File1, {8, 240, 217, 266}, "Select file"},
        {fresh.TileSet, {240, 32, 256, 289}, ""},
        {fresh.TileSetScroll, {504, 16, 17, 81}, ""},
        {fresh.TransCol, {576, 344, 16, 16}, "Transparent colour"},
        {fresh.TransLCol, {576, 368, 16, 16}, "Translucent (shadow) colour"},
        {fresh.BtnDefTrans[0], {512, 392, 81, 17},
         "Click to set transparent colour to a preset. Click again for an alternate colour."},
        {fresh.BtnDefTrans[1], {512, 408, 81, 17},
         "Click to set transparent colour to a preset. Click again for an alternate colour."},
        {fresh.BtnCancel, {512, 432, 81, 33}, "Don't load an image"},
        {fresh.BtnLoad, {512, 472, 81, 33}, "Load image"},
    };
    for (const auto &c : controls) {
        EXPECT_EQ(c.control->geometry(), c.place) << c.control->metaObject()->className();
        EXPECT_EQ(c.control->toolTip(), QString::fromLatin1(c.tip));
    }
    for (int row = 0; row < 2; ++row) {
        const QRect place = fresh.Label1[row]->geometry();
        EXPECT_EQ(place.topLeft(), QPoint(512, 344 + row * 24));
        EXPECT_EQ(place.height(), 11);
        EXPECT_GE(place.width(), std::max(row == 0 ? 52 : 51, fresh.Label1[row]->sizeHint().width()));
        EXPECT_LE(place.right(), 575) << "clear of the swatch";
    }
    EXPECT_EQ(fresh.FileName->pos(), QPoint(240, 8));
    EXPECT_TRUE(fresh.FileName->text().isEmpty());

    EXPECT_EQ(fresh.BtnExplore->text(), QStringLiteral("Explore"));
    EXPECT_EQ(fresh.Label1[0]->text(), QStringLiteral("Transparent:"));
    EXPECT_EQ(fresh.Label1[1]->text(), QStringLiteral("Translucent:"));
    EXPECT_EQ(fresh.BtnDefTrans[0]->text(), QStringLiteral("Default transparent"));
    EXPECT_EQ(fresh.BtnDefTrans[1]->text(), QStringLiteral("Default translucent"));
    EXPECT_EQ(fresh.BtnCancel->text(), QStringLiteral("Cancel"));
    EXPECT_EQ(fresh.BtnLoad->text(), QStringLiteral("Load"));
    EXPECT_DOUBLE_EQ(fresh.Label1[1]->font().pointSizeF(), 6.75);
    EXPECT_DOUBLE_EQ(fresh.BtnDefTrans[1]->font().pointSizeF(), 6);

    EXPECT_TRUE(fresh.TileSet->isHidden());
    EXPECT_TRUE(fresh.TransCol->isHidden());
    EXPECT_TRUE(fresh.TransLCol->isHidden());
    EXPECT_EQ(fresh.TransCol->colour(), kWhite);
    EXPECT_EQ(fresh.TransLCol->colour(), kWhite);
    EXPECT_TRUE(fresh.BtnLoad->isEnabled());
    EXPECT_EQ(fresh.TileSetScroll->minimum(), 0);
    EXPECT_EQ(fresh.TileSetScroll->maximum(), 1000);
    EXPECT_EQ(fresh.TileSetScroll->singleStep(), 1);
    EXPECT_EQ(fresh.TileSetScroll->pageStep(), 1);
    EXPECT_EQ(fresh.TileSetScroll->value(), 0);
    EXPECT_FALSE(fresh.TileSetScroll->hasTracking());

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

    QList<QWidget *> order;
    QWidget *widget = dialog.TileSet;
    do {
        if ((widget->focusPolicy() & Qt::TabFocus) && widget->isVisibleTo(&dialog))
            order << widget;
        widget = widget->nextInFocusChain();
    } while (widget != dialog.TileSet);
    const QList<QWidget *> expected{dialog.TileSet,   dialog.Drive1,         dialog.Dir1,
                                    dialog.File1,     dialog.BtnLoad,        dialog.TileSetScroll,
                                    dialog.BtnCancel, dialog.BtnDefTrans[0], dialog.BtnDefTrans[1],
                                    dialog.BtnExplore};
    EXPECT_EQ(order, expected);

    for (QPushButton *button : dialog.findChildren<QPushButton *>())
        EXPECT_FALSE(button->isDefault() || button->autoDefault()) << button->text().toStdString();
    dialog.BtnLoad->setFocus();
    QTest::keyClick(dialog.BtnLoad, Qt::Key_Return);
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
        EXPECT_EQ(dialog.FileName->text(),
                  accepted ? folder.path() + u'/' + name : QString::fromLatin1(c.message));
        EXPECT_EQ(dialog.FileName->width(), dialog.FileName->sizeHint().width()) << "sizes itself to its text";
        EXPECT_EQ(dialog.TileSet->isHidden(), !accepted);
        EXPECT_EQ(dialog.BtnLoad->isEnabled(), accepted);
        EXPECT_TRUE(dialog.TransCol->isHidden());
        EXPECT_TRUE(dialog.TransLCol->isHidden());
        if (accepted) {
            EXPECT_EQ(dialog.TileSet->size(), QSize(256, c.size.height()));
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
        const QRect item = dialog.File1->visualItemRect(dialog.File1->currentItem());
        QTest::mouseClick(dialog.File1->viewport(), Qt::LeftButton, {}, item.center());
    };

    // Changed on disk since it was picked: a click on it, still selected, reads it again.
    writePicture(name, BlockPicture(96, 128));
    click();
    EXPECT_EQ(dialog.TileSet->size(), QSize(256, 128));
    EXPECT_EQ(dialog.selection().preview().pixel(90, 120), BlockPicture(96, 128).pixel(90, 120));
    EXPECT_TRUE(dialog.TransCol->isHidden());
    EXPECT_TRUE(dialog.TransLCol->isHidden());

    // And by the keyboard, now breaking a rule.
    dialog.BtnDefTrans_Click(0);
    writePicture(name, BlockPicture(250, 32));
    dialog.File1->setFocus();
    QTest::keyClick(dialog.File1, Qt::Key_Return);
    EXPECT_EQ(dialog.FileName->text(), QStringLiteral("Invalid size (X mod 32 <> 0)."));
    EXPECT_TRUE(dialog.TileSet->isHidden());
    EXPECT_FALSE(dialog.BtnLoad->isEnabled());
    EXPECT_TRUE(dialog.TransCol->isHidden());
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
        dialog.TileSetScroll->setValue(300);
        dialog.BtnLoad_Click();
    }), -1);
    const int previewTop = dialog.TileSet->y();
    writePicture(QStringLiteral("added.bmp"), BlockPicture(64, 32)); // listed before tall.bmp

    const std::int16_t result = use(1, [&] {
        EXPECT_EQ(dialog.File1->count(), 2);
        EXPECT_EQ(dialog.File1->item(0)->text(), QStringLiteral("added.bmp"));
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Load right"));
        EXPECT_EQ(dialog.FileName->text(), folder.file(QStringLiteral("tall.bmp")));
        EXPECT_FALSE(dialog.TileSet->isHidden());
        EXPECT_FALSE(dialog.TransCol->isHidden());
        EXPECT_FALSE(dialog.TransLCol->isHidden());
        EXPECT_EQ(dialog.TileSetScroll->value(), 300);
        EXPECT_EQ(dialog.TileSet->y(), previewTop);
        EXPECT_EQ(dialog.File1->selectedName(), QStringLiteral("tall.bmp"));
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
        EXPECT_EQ(dialog.Dir1->path(), left);
        dialog.BtnCancel_Click();
    });
    use(1, [&] {
        EXPECT_EQ(dialog.Dir1->path(), right);
        EXPECT_EQ(dialog.File1->folder(), right);
        dialog.BtnCancel_Click();
    });
    EXPECT_EQ(options.DefDir(0), left);
    EXPECT_EQ(options.DefDir(1), right);

    // Switched off: the folder is still recorded, but each use opens where
    // the last one left off.
    options.setState(OptSwitch::ChkRememberDirs, 0);
    use(0, [&] {
        EXPECT_EQ(dialog.Dir1->path(), right);
        dialog.Dir1->setPath(left + QStringLiteral("/inner"));
        dialog.BtnCancel_Click();
    });
    EXPECT_EQ(options.DefDir(0), left + QStringLiteral("/inner"));
    EXPECT_EQ(options.DefDir(1), right);
    use(1, [&] {
        EXPECT_EQ(dialog.Dir1->path(), left + QStringLiteral("/inner"));
        dialog.BtnCancel_Click();
    });

    // A remembered folder that is gone leaves the list where it was.
    options.setState(OptSwitch::ChkRememberDirs, 2);
    options.setDefDir(1, folder.file(QStringLiteral("gone")));
    use(1, [&] {
        EXPECT_EQ(dialog.Dir1->path(), left + QStringLiteral("/inner"));
        dialog.BtnCancel_Click();
    });
}

TEST_F(LoadDialog, APaneIndexOutsideTheTwoPanesTouchesNoPaneAndNoFolder)
{
    writePicture(QStringLiteral("sheet.bmp"), BlockPicture(64, 64));
    const QImage left = workspace.sheet(0), right = workspace.sheet(1);
    const std::int16_t result = use(5, [&] {
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Load right"));
        dialog.Dir1->setPath(QDir::rootPath());
        dialog.Dir1->setPath(folder.path());
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
