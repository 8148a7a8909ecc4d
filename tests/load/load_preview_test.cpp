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
    EXPECT_EQ(dialog.TileSet->pos(), QPoint(240, 32)) << "the layout place until the first change";

    dialog.TileSetScroll->setValue(1000);
    EXPECT_EQ(dialog.TileSet->pos(), QPoint(240, 515 - 8 - 1024));
    EXPECT_EQ(dialog.grab().toImage().pixel(495, 30), kWorkspaceGrey) << "the file name line stays clear";
    dialog.TileSetScroll->setValue(500);
    EXPECT_NEAR(dialog.TileSet->y(), 40 - (1024 - 467) * 0.5, 0.5);

    choose(QStringLiteral("short.bmp")); // the scroll bar goes back to 0 first
    EXPECT_EQ(dialog.TileSetScroll->value(), 0);
    EXPECT_EQ(dialog.TileSet->y(), 40);
    for (int value : {1, 500, 1000}) {
        dialog.TileSetScroll->setValue(value);
        EXPECT_EQ(dialog.TileSet->y(), 40) << value;
    }
}

TEST_F(LoadPreview, TheWheelScrollsThePreviewThroughItsScrollBarThreeRowsANotch)
{
    writePicture(QStringLiteral("tall.bmp"), BlockPicture(64, 2048));
    choose(QStringLiteral("tall.bmp"));
    auto turn = [&](int eighthDegrees, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
        QWheelEvent event(QPointF(5, 5), dialog.TileSet->mapToGlobal(QPointF(5, 5)), QPoint(),
                          QPoint(0, eighthDegrees), Qt::NoButton, modifiers, Qt::NoScrollPhase, false);
        QApplication::sendEvent(dialog.TileSet, &event);
    };
    turn(-120);
    EXPECT_EQ(dialog.TileSetScroll->value(), 3 * dialog.TileSetScroll->singleStep());
    EXPECT_NEAR(dialog.TileSet->y(), 40 - 3 * 32, 2);
    turn(-120, Qt::ShiftModifier);
    EXPECT_NEAR(dialog.TileSet->y(), 40 - 17 * 32, 4) << "and a page of the 14 rows shown";
    turn(1200);
    EXPECT_EQ(dialog.TileSet->y(), 40);
}

TEST_F(LoadPreview, ClicksPickTheSheetPixelUnderThePointerWhateverTheScrolling)
{
    const QImage picture = BlockPicture(64, 1024);
    writePicture(QStringLiteral("tall.bmp"), picture);
    choose(QStringLiteral("tall.bmp"));
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    dialog.TileSetScroll->setValue(1000);
    ASSERT_LT(dialog.TileSet->y(), -500);

    QTest::mouseClick(dialog.TileSet, Qt::LeftButton, {}, QPoint(20, 900));
    QTest::mouseClick(dialog.TileSet, Qt::RightButton, {}, QPoint(60, 700));
    EXPECT_FALSE(dialog.TransCol->isHidden());
    EXPECT_FALSE(dialog.TransLCol->isHidden());
    EXPECT_EQ(dialog.TransCol->colour(), ColourFromQRgb(picture.pixel(20, 900)));
    EXPECT_EQ(dialog.TransLCol->colour(), ColourFromQRgb(picture.pixel(60, 700)));

    QTest::mouseClick(dialog.TileSet, Qt::MiddleButton, {}, QPoint(5, 5));
    EXPECT_EQ(dialog.TransCol->colour(), ColourFromQRgb(picture.pixel(20, 900)));
    EXPECT_EQ(dialog.TransLCol->colour(), ColourFromQRgb(picture.pixel(60, 700)));

    QTest::mouseClick(dialog.TileSet, Qt::LeftButton, {}, QPoint(100, 10));
    EXPECT_EQ(dialog.TransCol->colour(), kBlack) << "right of a narrow sheet lies the black background";
    dialog.hide();
}

TEST_F(LoadPreview, PresetButtonsCycleBlackAndTheirAlternateColour)
{
    QImage picture(64, 32, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixel(0, 0, qRgb(0, 0, 0));
    writePicture(QStringLiteral("white.bmp"), picture);

    dialog.BtnDefTrans[0]->click(); // no sheet needed
    EXPECT_FALSE(dialog.TransCol->isHidden());
    EXPECT_EQ(dialog.TransCol->colour(), kBlack);
    dialog.BtnDefTrans[0]->click();
    EXPECT_EQ(dialog.TransCol->colour(), Colour(8421376));
    dialog.BtnDefTrans[0]->click();
    EXPECT_EQ(dialog.TransCol->colour(), kBlack);
    EXPECT_TRUE(dialog.TransLCol->isHidden()) << "the other swatch is left alone";

    choose(QStringLiteral("white.bmp"));
    dialog.TileSet_MouseDown(2, 0, 10, 10);
    EXPECT_EQ(dialog.TransLCol->colour(), kWhite);
    dialog.BtnDefTrans[1]->click();
    EXPECT_EQ(dialog.TransLCol->colour(), kBlack);
    dialog.BtnDefTrans[1]->click();
    EXPECT_EQ(dialog.TransLCol->colour(), Colour(8388736));

    dialog.TileSet_MouseDown(1, 0, 0, 0); // black picked from the sheet
    dialog.BtnDefTrans[0]->click();
    EXPECT_EQ(dialog.TransCol->colour(), Colour(8421376));
}

TEST_F(LoadPreview, EveryRegressionFileShowsItsRefusalOrItsPreview)
{
    dialog.Dir1->setPath(DataFolder());
    const QStringList names = dialog.File1->folder() == DataFolder()
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
            EXPECT_EQ(dialog.FileName->text(), path);
            EXPECT_FALSE(dialog.TileSet->isHidden());
            EXPECT_TRUE(dialog.BtnLoad->isEnabled());
            continue;
        }
        EXPECT_EQ(dialog.FileName->text(), outcome.refusal) << "the reason, not the path";
        EXPECT_TRUE(dialog.TileSet->isHidden());
        EXPECT_FALSE(dialog.BtnLoad->isEnabled());
        EXPECT_TRUE(dialog.TransCol->isHidden());
    }

    // A file that went away after it was listed.
    writePicture(QStringLiteral("gone.bmp"), BlockPicture(32, 32));
    dialog.Dir1->setPath(folder.path());
    QFile::remove(folder.file(QStringLiteral("gone.bmp")));
    dialog.File1->setCurrentItem(dialog.File1->findItems(QStringLiteral("gone.bmp"), Qt::MatchExactly).value(0));
    EXPECT_EQ(dialog.FileName->text(),
              QStringLiteral("Cannot read %1: No such file or directory").arg(folder.file(QStringLiteral("gone.bmp"))));
    EXPECT_FALSE(dialog.BtnLoad->isEnabled());
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
    EXPECT_EQ(dialog.FileName->text(), QStringLiteral("Cannot read %1: Permission denied").arg(path));
    EXPECT_TRUE(dialog.TileSet->isHidden());
    EXPECT_FALSE(dialog.BtnLoad->isEnabled());
    EXPECT_TRUE(dialog.TransLCol->isHidden());
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
    dialog.Dir1->setPath(folder.path());
    for (const QString &name : {QStringLiteral("pipe.bmp"), QStringLiteral("zero.bmp")}) {
        choose(name);
        EXPECT_EQ(dialog.FileName->text(), folder.file(name) + QStringLiteral(" is not a regular file."));
        EXPECT_TRUE(dialog.TileSet->isHidden());
        EXPECT_FALSE(dialog.BtnLoad->isEnabled());
    }
}

TEST_F(LoadPreview, ExploreOpensTheFolderAndShowsWhyItCouldNot)
{
    dialog.BtnExplore->click();
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
    dialog.Dir1->setPath(folder.path() + QStringLiteral("/sub"));
    dialog.Dir1->setPath(folder.path());
    writePicture(QStringLiteral("a.bmp"), BlockPicture(32, 32));
    dialog.File1->setFolder(folder.path());
    const int folderLines = dialog.Dir1->count(), fileLines = dialog.File1->count();

    EXPECT_FALSE(dialog.Dir1->setPath(folder.file(QStringLiteral("missing"))));
    dialog.Drive1->addItem(folder.file(QStringLiteral("no-medium")));
    dialog.Drive1->setCurrentIndex(dialog.Drive1->count() - 1); // the user picks it
    EXPECT_EQ(dialog.Dir1->path(), folder.path());
    EXPECT_EQ(dialog.Dir1->count(), folderLines);
    EXPECT_EQ(dialog.File1->count(), fileLines);
    EXPECT_EQ(dialog.Drive1->drive(), QStorageInfo(folder.path()).rootPath()) << "back on the folder's volume";
    EXPECT_EQ(workspace.options().DefDir(0), folder.path());

    // Enter opens the selected folder; other keys do not.
    dialog.Dir1->setCurrentItem(dialog.Dir1->findItems(QStringLiteral("sub"), Qt::MatchExactly).value(0));
    dialog.Dir1_KeyDown(32, 0);
    EXPECT_EQ(dialog.Dir1->path(), folder.path());
    QTest::keyClick(dialog.Dir1, Qt::Key_Return);
    EXPECT_EQ(dialog.Dir1->path(), folder.path() + QStringLiteral("/sub"));
    EXPECT_EQ(dialog.File1->folder(), folder.path() + QStringLiteral("/sub"));
    EXPECT_EQ(workspace.options().DefDir(0), folder.path() + QStringLiteral("/sub"));

    // A drive that can be read: the folder list moves to its root.
    const QString volume = folder.file(QStringLiteral("volume"));
    ASSERT_TRUE(QDir().mkpath(volume));
    dialog.Drive1->addItem(volume);
    dialog.Drive1->setCurrentIndex(dialog.Drive1->count() - 1);
    EXPECT_EQ(dialog.Dir1->path(), volume);
    EXPECT_EQ(workspace.options().DefDir(0), volume);
}

TEST_F(LoadPreview, TheImageMenusLoadFillsTheChosenPaneFromItsTopAndNothingElseOfTheMainWindow)
{
    FrmMain window(workspace, folder.path());
    writePicture(QStringLiteral("sheet.bmp"), BlockPicture(64, 96));
    window.frmLoadImage().Dir1->setPath(folder.path());
    workspace.setSheet(1, Workspace::blankSheet(4096 * 32));
    window.TileSetScroll[1]->setValue(3000); // past 1000: a range grown for the tallest sheet
    const int paneTop = window.TileSet[1]->y();
    const bool transparentShown = !window.TransCol[1]->isHidden();
    const bool translucentShown = !window.TransLCol[1]->isHidden();

    window.OpsPane = 1;
    FrmLoadImage &loader = window.frmLoadImage();
    EXPECT_EQ(&loader, &window.frmLoadImage()) << "made once";
    test::WhileModal([&] {
        EXPECT_EQ(loader.windowTitle(), QStringLiteral("Load right"));
        const QList<QListWidgetItem *> found = loader.File1->findItems(QStringLiteral("sheet.bmp"), Qt::MatchExactly);
        ASSERT_EQ(found.size(), 1);
        loader.File1->setCurrentItem(found.first());
        loader.TileSet_MouseDown(1, 0, 8, 8);
        loader.TileSet_MouseDown(2, 0, 8, 90);
        loader.BtnLoad_Click();
    });
    window.mload->trigger();

    EXPECT_EQ(workspace.sheet(1).size(), QSize(256, 96));
    EXPECT_EQ(window.TileSet[1]->size(), QSize(256, 96));
    EXPECT_EQ(window.TransCol[1]->colour(), ColourFromQRgb(BlockPicture(64, 96).pixel(8, 8)));
    EXPECT_EQ(window.TransLCol[1]->colour(), ColourFromQRgb(BlockPicture(64, 96).pixel(8, 90)));
    EXPECT_EQ(!window.TransCol[1]->isHidden(), transparentShown);
    EXPECT_EQ(!window.TransLCol[1]->isHidden(), translucentShown);
    // Scrolled to the top, or the short sheet would lie out of sight above.
    EXPECT_EQ(window.TileSetScroll[1]->value(), 0);
    EXPECT_EQ(window.TileSet[1]->y(), 40);
    EXPECT_EQ(workspace.sheet(0), Workspace::blankSheet());

    // One undo step: the sheet, both its keys and its place back, though
    // the short sheet's range ended at 1000.
    window.mundo->trigger();
    EXPECT_EQ(workspace.sheet(1).height(), 4096 * 32);
    EXPECT_EQ(window.TransCol[1]->colour(), kWhite);
    EXPECT_EQ(window.TransLCol[1]->colour(), kWhite);
    EXPECT_EQ(workspace.scrollValue(1), 3000);
    EXPECT_EQ(window.TileSetScroll[1]->value(), 3000);
    EXPECT_EQ(window.TileSet[1]->y(), paneTop);
}

} // namespace
} // namespace vexlo::test
