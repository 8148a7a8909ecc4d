#include "widgets/drive_list.h"
#include "widgets/file_list.h"
#include "widgets/folder_list.h"
#include "support/temp_folder.h"

#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QStorageInfo>
#include <QTest>

#include <gtest/gtest.h>

#include <sys/stat.h>

namespace vexlo {
namespace {

QStringList Lines(const QListWidget &list)
{
    QStringList lines;
    for (int row = 0; row < list.count(); ++row)
        lines << list.item(row)->text();
    return lines;
}

TEST(FolderList, ShowsTheAncestorsThenTheVisibleSubFoldersSortedByName)
{
    test::TempFolder folder;
    QDir top(folder.path());
    for (const char *name : {"beta", "Alpha", ".hidden", "gamma"})
        ASSERT_TRUE(top.mkdir(QString::fromLatin1(name)));
    folder.write(QStringLiteral("file.bmp"), "x");

    FolderList list;
    QSignalSpy changes(&list, &FolderList::pathChanged);
    ASSERT_TRUE(list.setPath(folder.path()));
    EXPECT_EQ(changes.count(), 1);
    EXPECT_EQ(list.path(), folder.path());

    const QStringList ancestors = folder.path().split(u'/', Qt::SkipEmptyParts);
    QStringList expected{QStringLiteral("/")};
    expected << ancestors << QStringLiteral("Alpha") << QStringLiteral("beta") << QStringLiteral("gamma");
    EXPECT_EQ(Lines(list), expected);
    EXPECT_EQ(list.selectedPath(), folder.path()) << "the current folder is selected";

    list.setCurrentRow(0);
    EXPECT_EQ(list.selectedPath(), QStringLiteral("/"));
    list.setCurrentRow(list.count() - 2);
    emit list.itemDoubleClicked(list.currentItem());
    EXPECT_EQ(list.path(), folder.path() + QStringLiteral("/beta"));
    EXPECT_EQ(changes.count(), 2);

    EXPECT_FALSE(list.setPath(folder.file(QStringLiteral("missing"))));
    EXPECT_TRUE(list.setPath(list.path())) << "the same folder again";
    EXPECT_EQ(changes.count(), 2) << "no change raised for either";
    EXPECT_EQ(list.path(), folder.path() + QStringLiteral("/beta"));
}

TEST(FolderList, OpeningAFolderRemovedSinceItWasListedStaysAndListsTheFolderAsItIsNow)
{
    test::TempFolder folder;
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("gone")));
    FolderList list;
    ASSERT_TRUE(list.setPath(folder.path()));
    ASSERT_TRUE(QDir(folder.path()).rmdir(QStringLiteral("gone")));

    list.setCurrentRow(list.count() - 1);
    ASSERT_EQ(list.currentItem()->text(), QStringLiteral("gone"));
    emit list.itemDoubleClicked(list.currentItem());
    EXPECT_EQ(list.path(), folder.path());
    EXPECT_FALSE(Lines(list).contains(QStringLiteral("gone")));
    EXPECT_EQ(list.selectedPath(), folder.path()) << "the current folder is selected again";
}

TEST(FolderList, ListsRealFoldersAndLinksToThemButNoLinkToAnythingElse)
{
    test::TempFolder folder;
    const QDir top(folder.path());
    ASSERT_TRUE(top.mkdir(QStringLiteral("real")));
    ASSERT_EQ(mkfifo(QFile::encodeName(folder.file(QStringLiteral("pipe"))).constData(), 0600), 0);
    folder.write(QStringLiteral("file"), "x");
    const struct {
        const char *link;
        const char *target;
    } links[] = {{"to_folder", "real"}, {"to_pipe", "pipe"}, {"to_file", "file"}, {"to_nothing", "missing"},
                 {"to_device", "/dev/null"}};
    for (const auto &link : links)
        ASSERT_TRUE(QFile::link(QString::fromLatin1(link.target), folder.file(QString::fromLatin1(link.link))));

    FolderList list;
    ASSERT_TRUE(list.setPath(folder.path()));
    const QStringList lines = Lines(list);
    EXPECT_EQ(lines.mid(lines.indexOf(QDir(folder.path()).dirName()) + 1),
              (QStringList{QStringLiteral("real"), QStringLiteral("to_folder")}));
}

TEST(FileList, ListsTheMatchingVisibleFilesWithoutRegardToCaseSortedByName)
{
    test::TempFolder folder;
    for (const char *name : {"b.jpg", "A.BMP", "c.Dib", "d.GIF", "e.ico", "f.cur", "g.png", "h.txt",
                             ".hidden.bmp", "bmp"})
        folder.write(QString::fromLatin1(name), "x");
    ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("folder.bmp")));

    FileList list(QStringLiteral("*.bmp;*.jpg;*.dib;*.gif;*.ico;*.cur"), folder.path());
    EXPECT_EQ(Lines(list), (QStringList{"A.BMP", "b.jpg", "c.Dib", "d.GIF", "e.ico", "f.cur"}));
    EXPECT_TRUE(list.selectedName().isEmpty());

    QSignalSpy chosen(&list, &FileList::fileChosen);
    list.setCurrentRow(0);
    EXPECT_EQ(chosen.count(), 1);
    QTest::keyClick(&list, Qt::Key_Down);
    EXPECT_EQ(chosen.count(), 2) << "the keyboard chooses as well";
    EXPECT_EQ(list.selectedName(), QStringLiteral("b.jpg"));

    EXPECT_FALSE(list.setFolder(folder.file(QStringLiteral("missing"))));
    EXPECT_EQ(list.folder(), folder.path());
    EXPECT_EQ(list.count(), 6);
}

TEST(DriveList, ListsTheRootFirstAndFollowsAFolderQuietly)
{
    DriveList drives;
    ASSERT_GE(drives.count(), 1);
    EXPECT_EQ(drives.itemText(0), QStringLiteral("/"));
    EXPECT_EQ(drives.drive(), QStorageInfo(QDir::currentPath()).rootPath());

    QSignalSpy changes(&drives, &DriveList::driveChanged);
    drives.showDriveOf(QDir::rootPath());
    EXPECT_EQ(drives.drive(), QStringLiteral("/"));
    EXPECT_EQ(changes.count(), 0);
}

} // namespace
} // namespace vexlo
