#include "load_dialog_fixture.h"

#include "app/frm_main.h"
#include "app/sheet_surface.h"
#include "widgets/drive_list.h"
#include "widgets/file_list.h"
#include "widgets/folder_list.h"
#include "widgets/key_swatch.h"
#include "load/preview_box.h"
#include "io/sheet_file.h"
#include "support/file_faults.h"
#include "support/form_input.h"
#include "support/test_colours.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QStorageInfo>
#include <QTest>
#include <QWheelEvent>

#include <sys/stat.h>


namespace vexlo::test {
namespace {

using LoadPreview = LoadDialogTest;

QString DataFolder()
{
    return QStringLiteral(VEXLO_LOAD_DATA);
}

TEST_F(LoadPreview, ScrollsByTheFormulaOnlyWhenTheValueChanges)
{
    writePicture(QStringLiteral("tall.bmp"), BlockPicture(64, 1024));
    writePicture(QStringLiteral("short.bmp"), BlockPicture(64, 448));
    choose(QStringLiteral("tall.bmp"));
    EXPECT_EQ(dialog.view().preview.topLeft(), QPoint(240, 32)) << "the layout place until the first change";

    dialog.scrollPreview(1000);
    EXPECT_EQ(dialog.view().preview.topLeft(), QPoint(240, 515 - 8 - 1024));
    EXPECT_EQ(dialog.grab().toImage().pixel(495, 30), kWorkspaceGrey) << "the file name line stays clear";
    dialog.scrollPreview(500);
    EXPECT_NEAR(dialog.view().preview.y(), 40 - (1024 - 467) * 0.5, 0.5);

    choose(QStringLiteral("short.bmp")); // the scroll bar goes back to 0 first
    EXPECT_EQ(dialog.view().scrollValue, 0);
    EXPECT_EQ(dialog.view().preview.y(), 40);
    for (int value : {1, 500, 1000}) {
        dialog.scrollPreview(value);
        EXPECT_EQ(dialog.view().preview.y(), 40) << value;
    }
}

TEST_F(LoadPreview, TheWheelScrollsThePreviewThroughItsScrollBarThreeRowsANotch)
{
    writePicture(QStringLiteral("tall.bmp"), BlockPicture(64, 2048));
    choose(QStringLiteral("tall.bmp"));
    auto turn = [&](int eighthDegrees, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        // Over the part of the preview in sight, wherever the preview lies.
        const QPoint at = dialog.controls().TileSet->mapFrom(&dialog, QPoint(300, 200));
        QWidget *preview = WidgetAt(dialog, dialog.controls().TileSet, at);
        QWheelEvent event(at, preview->mapToGlobal(QPointF(at)), QPoint(), QPoint(0, eighthDegrees), Qt::NoButton,
                          modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(preview, &event);
    };
    turn(-120);
    EXPECT_EQ(dialog.view().scrollValue, 3 * dialog.controls().TileSetScroll->singleStep());
    EXPECT_NEAR(dialog.view().preview.y(), 40 - 3 * 32, 2);
    turn(-120, Qt::ShiftModifier);
    EXPECT_NEAR(dialog.view().preview.y(), 40 - 17 * 32, 4) << "and a page of the 14 rows shown";
    turn(1200);
    EXPECT_EQ(dialog.view().preview.y(), 40);
}

TEST_F(LoadPreview, ClicksPickTheSheetPixelUnderThePointerWhateverTheScrolling)
{
    const QImage picture = BlockPicture(64, 1024);
    writePicture(QStringLiteral("tall.bmp"), picture);
    choose(QStringLiteral("tall.bmp"));
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    dialog.scrollPreview(1000);
    ASSERT_LT(dialog.view().preview.y(), -500);

    const FrmLoadImage::Controls controls = dialog.controls();
    auto click = [&](Qt::MouseButton button, QPoint at) {
        QTest::mouseClick(WidgetAt(dialog, controls.TileSet, at), button, {}, at);
    };
    click(Qt::LeftButton, QPoint(20, 900));
    click(Qt::RightButton, QPoint(60, 700));
    EXPECT_TRUE(dialog.view().transparentShown);
    EXPECT_TRUE(dialog.view().translucentShown);
    EXPECT_EQ(dialog.view().transparent, ColourFromQRgb(picture.pixel(20, 900)));
    EXPECT_EQ(dialog.view().translucent, ColourFromQRgb(picture.pixel(60, 700)));

    click(Qt::MiddleButton, QPoint(5, 600));
    EXPECT_EQ(dialog.view().transparent, ColourFromQRgb(picture.pixel(20, 900)));
    EXPECT_EQ(dialog.view().translucent, ColourFromQRgb(picture.pixel(60, 700)));

    click(Qt::LeftButton, QPoint(100, 600));
    EXPECT_EQ(dialog.view().transparent, kBlack) << "right of a narrow sheet lies the black background";
    dialog.hide();
}

TEST_F(LoadPreview, PresetButtonsCycleBlackAndTheirAlternateColour)
{
    QImage picture(64, 32, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixel(0, 0, qRgb(0, 0, 0));
    writePicture(QStringLiteral("white.bmp"), picture);

    dialog.BtnDefTrans_Click(0); // no sheet needed
    EXPECT_TRUE(dialog.view().transparentShown);
    EXPECT_EQ(dialog.view().transparent, kBlack);
    dialog.BtnDefTrans_Click(0);
    EXPECT_EQ(dialog.view().transparent, Colour(8421376));
    dialog.BtnDefTrans_Click(0);
    EXPECT_EQ(dialog.view().transparent, kBlack);
    EXPECT_FALSE(dialog.view().translucentShown) << "the other swatch is left alone";

    choose(QStringLiteral("white.bmp"));
    dialog.TileSet_MouseDown(2, 0, 10, 10);
    EXPECT_EQ(dialog.view().translucent, kWhite);
    dialog.BtnDefTrans_Click(1);
    EXPECT_EQ(dialog.view().translucent, kBlack);
    dialog.BtnDefTrans_Click(1);
    EXPECT_EQ(dialog.view().translucent, Colour(8388736));

    dialog.TileSet_MouseDown(1, 0, 0, 0); // black picked from the sheet
    dialog.BtnDefTrans_Click(0);
    EXPECT_EQ(dialog.view().transparent, Colour(8421376));
}

TEST_F(LoadPreview, EveryRegressionFileShowsItsRefusalOrItsPreview)
{
    dialog.openFolder(DataFolder());
    const QStringList names = dialog.lists().filesFolder == DataFolder()
                                  ? QDir(DataFolder()).entryList(QDir::Files)
                                  : QStringList();
    ASSERT_FALSE(names.isEmpty());
    for (const QString &name : names) {
        SCOPED_TRACE(name.toStdString());
        const QString path = QDir(DataFolder()).filePath(name);
        const SheetFile outcome = LoadSheetFile(path);
        dialog.BtnDefTrans_Click(0);
        choose(name);
        if (outcome.accepted()) {
            EXPECT_EQ(dialog.view().fileName, path);
            EXPECT_TRUE(dialog.view().previewShown);
            EXPECT_TRUE(dialog.view().loadEnabled);
            continue;
        }
        EXPECT_EQ(dialog.view().fileName, outcome.refusal) << "the reason, not the path";
        EXPECT_FALSE(dialog.view().previewShown);
        EXPECT_FALSE(dialog.view().loadEnabled);
        EXPECT_FALSE(dialog.view().transparentShown);
    }

    // A file that went away after it was listed.
    writePicture(QStringLiteral("gone.bmp"), BlockPicture(32, 32));
    dialog.openFolder(folder.path());
    QFile::remove(folder.file(QStringLiteral("gone.bmp")));
    dialog.chooseFile(QStringLiteral("gone.bmp"));
    EXPECT_EQ(dialog.view().fileName,
              QStringLiteral("Cannot read %1: No such file or directory").arg(folder.file(QStringLiteral("gone.bmp"))));
    EXPECT_FALSE(dialog.view().loadEnabled);
}

TEST_F(LoadPreview, AFileThatMayNotBeReadIsRefusedWithTheReason)
{
    writePicture(QStringLiteral("locked.bmp"), BlockPicture(32, 32));
    const QString path = folder.file(QStringLiteral("locked.bmp"));
    QFile::setPermissions(folder.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner
                                             | QFileDevice::ReadOther | QFileDevice::ExeOther);
    QFile::setPermissions(path, QFileDevice::Permissions());
    dialog.BtnDefTrans_Click(1);

    const ActingAsOrdinaryUser ordinary;
    QFile probe(path);
    if (probe.open(QIODevice::ReadOnly))
        GTEST_SKIP() << "permissions do not stop this user from reading";
    choose(QStringLiteral("locked.bmp"));
    EXPECT_EQ(dialog.view().fileName, QStringLiteral("Cannot read %1: Permission denied").arg(path));
    EXPECT_FALSE(dialog.view().previewShown);
    EXPECT_FALSE(dialog.view().loadEnabled);
    EXPECT_FALSE(dialog.view().translucentShown);
}

TEST_F(LoadPreview, AFifoOrADeviceIsRefusedWithoutBeingOpened)
{
    // The file list shows links to them, not FIFOs and devices themselves.
    const QString fifo = folder.file(QStringLiteral("pipe.bmp"));
    ASSERT_EQ(mkfifo(QFile::encodeName(folder.file(QStringLiteral("pipe"))).constData(), 0600), 0);
    ASSERT_TRUE(QFile::link(folder.file(QStringLiteral("pipe")), fifo));
    ASSERT_TRUE(QFile::link(QStringLiteral("/dev/zero"), folder.file(QStringLiteral("zero.bmp"))));
    // Opening a FIFO that nobody writes would never come back: asked of the
    // loading path alone first, so this test fails rather than hangs.
    ASSERT_TRUE(InChildWithin(5000, [&] {
        return LoadSheetFile(fifo).refusal == fifo + QStringLiteral(" is not a regular file.");
    }));
    dialog.openFolder(folder.path());
    for (const QString &name : {QStringLiteral("pipe.bmp"), QStringLiteral("zero.bmp")}) {
        choose(name);
        EXPECT_EQ(dialog.view().fileName, folder.file(name) + QStringLiteral(" is not a regular file."));
        EXPECT_FALSE(dialog.view().previewShown);
        EXPECT_FALSE(dialog.view().loadEnabled);
    }
}

TEST_F(LoadPreview, ExploreOpensTheFolderAndShowsWhyItCouldNot)
{
    Click(dialog, dialog.controls().BtnExplore);
    ASSERT_EQ(prompt->openedUrls().size(), 1);
    EXPECT_EQ(prompt->openedUrls().first(), QUrl::fromLocalFile(folder.path()));
    EXPECT_TRUE(prompt->boxes().isEmpty());

    prompt->failOpeningUrls();
    dialog.BtnExplore_Click();
    ASSERT_EQ(prompt->boxes().size(), 1);
    EXPECT_EQ(prompt->boxes().first().icon, Prompt::Icon::None);
    EXPECT_EQ(prompt->boxes().first().title, QStringLiteral("Vexlo"));
    EXPECT_TRUE(prompt->boxes().first().text.contains(folder.path()));
}

TEST_F(LoadPreview, FoldersAndDrivesThatCannotBeReadKeepTheListsWhereTheyWere)
{
    ASSERT_TRUE(QDir(folder.path()).mkpath(QStringLiteral("sub")));
    dialog.openFolder(folder.path() + QStringLiteral("/sub"));
    dialog.openFolder(folder.path());
    writePicture(QStringLiteral("a.bmp"), BlockPicture(32, 32));
    dialog.listFilesAgain();
    const int folderLines = dialog.lists().folderLines, fileLines = int(dialog.lists().files.size());

    EXPECT_FALSE(dialog.openFolder(folder.file(QStringLiteral("missing"))));
    dialog.pickDrive(folder.file(QStringLiteral("no-medium")));
    EXPECT_EQ(dialog.lists().folder, folder.path());
    EXPECT_EQ(dialog.lists().folderLines, folderLines);
    EXPECT_EQ(dialog.lists().files.size(), fileLines);
    EXPECT_EQ(dialog.lists().drive, QStorageInfo(folder.path()).rootPath()) << "back on the folder's volume";
    EXPECT_EQ(workspace.options().DefDir(0), folder.path());

    // Enter opens the selected folder; other keys do not.
    const FolderList *folders = dialog.controls().Dir1;
    const QRect sub = folders->visualItemRect(folders->findItems(QStringLiteral("sub"), Qt::MatchExactly).value(0));
    QWidget *folderView = WidgetAt(dialog, folders->viewport(), sub.center());
    QTest::mouseClick(folderView, Qt::LeftButton, {}, sub.center()); // selects it
    dialog.Dir1_KeyDown(32, 0);
    EXPECT_EQ(dialog.lists().folder, folder.path());
    QTest::keyClick(folderView, Qt::Key_Return);
    EXPECT_EQ(dialog.lists().folder, folder.path() + QStringLiteral("/sub"));
    EXPECT_EQ(dialog.lists().filesFolder, folder.path() + QStringLiteral("/sub"));
    EXPECT_EQ(workspace.options().DefDir(0), folder.path() + QStringLiteral("/sub"));

    // A drive that can be read: the folder list moves to its root.
    const QString volume = folder.file(QStringLiteral("volume"));
    ASSERT_TRUE(QDir().mkpath(volume));
    dialog.pickDrive(volume);
    EXPECT_EQ(dialog.lists().folder, volume);
    EXPECT_EQ(workspace.options().DefDir(0), volume);
}

TEST_F(LoadPreview, TheImageMenusLoadFillsTheChosenPaneFromItsTopAndNothingElseOfTheMainWindow)
{
    FrmMain window(workspace, folder.path());
    writePicture(QStringLiteral("sheet.bmp"), BlockPicture(64, 96));
    window.frmLoadImage().openFolder(folder.path());
    workspace.setSheet(1, Workspace::blankSheet(4096 * 32));
    workspace.setScrollValue(1, 3000); // past 1000: a range grown for the tallest sheet
    const FrmMain::PaneView before = window.view().panes[1];

    window.BtnImageOps_Click(1);
    test::ClosePopup();
    FrmLoadImage &loader = window.frmLoadImage();
    EXPECT_EQ(&loader, &window.frmLoadImage()) << "made once";
    test::WhileModal([&] {
        EXPECT_EQ(loader.windowTitle(), QStringLiteral("Load right"));
        ASSERT_TRUE(loader.chooseFile(QStringLiteral("sheet.bmp")));
        loader.TileSet_MouseDown(1, 0, 8, 8);
        loader.TileSet_MouseDown(2, 0, 8, 90);
        loader.BtnLoad_Click();
    });
    test::MenuCommand(window, QStringLiteral("&Image"), QStringLiteral("&Load"))->trigger();

    const FrmMain::PaneView loaded = window.view().panes[1];
    EXPECT_EQ(workspace.sheet(1).size(), QSize(256, 96));
    EXPECT_EQ(loaded.sheet.size(), QSize(256, 96));
    EXPECT_EQ(loaded.transparent, ColourFromQRgb(BlockPicture(64, 96).pixel(8, 8)));
    EXPECT_EQ(loaded.translucent, ColourFromQRgb(BlockPicture(64, 96).pixel(8, 90)));
    EXPECT_EQ(loaded.transparentShown, before.transparentShown);
    EXPECT_EQ(loaded.translucentShown, before.translucentShown);
    // Scrolled to the top, or the short sheet would lie out of sight above.
    EXPECT_EQ(loaded.scrollValue, 0);
    EXPECT_EQ(loaded.sheet.y(), 40);
    EXPECT_EQ(workspace.sheet(0), Workspace::blankSheet());

    // One undo step: the sheet, both its keys and its place back, though
    // the short sheet's range ended at 1000.
    test::MenuCommand(window, QStringLiteral("&Edit"), QStringLiteral("&Undo"))->trigger();
    const FrmMain::PaneView undone = window.view().panes[1];
    EXPECT_EQ(workspace.sheet(1).height(), 4096 * 32);
    EXPECT_EQ(undone.transparent, kWhite);
    EXPECT_EQ(undone.translucent, kWhite);
    EXPECT_EQ(workspace.scrollValue(1), 3000);
    EXPECT_EQ(undone.scrollValue, 3000);
    EXPECT_EQ(undone.sheet.y(), before.sheet.y());
}

} // namespace
} // namespace vexlo::test
