#include "load_dialog_fixture.h"

#include "widgets/file_list.h"
#include "widgets/folder_list.h"

namespace vexlo::test {

LoadDialogTest::LoadDialogTest()
{
    dialog.Dir1->setPath(folder.path());
}

void LoadDialogTest::writePicture(const QString &name, const QImage &picture)
{
    const QString lower = name.toLower();
    if (lower.endsWith(QStringLiteral(".gif")))
        folder.write(name, GifBytes(picture));
    else if (lower.endsWith(QStringLiteral(".ico")) || lower.endsWith(QStringLiteral(".cur")))
        folder.write(name, IconBytes(picture, lower.endsWith(QStringLiteral(".cur"))));
    else if (lower.endsWith(QStringLiteral(".png")))
        folder.write(name, WrittenBytes(picture, "png"));
    else
        folder.write(name, WrittenBytes(picture, "bmp"));
}

void LoadDialogTest::choose(const QString &name)
{
    dialog.File1->setFolder(dialog.File1->folder()); // list again: the file may be new
    const QList<QListWidgetItem *> found = dialog.File1->findItems(name, Qt::MatchExactly);
    ASSERT_EQ(found.size(), 1) << name.toStdString() << " is not listed";
    dialog.File1->setCurrentItem(found.first());
}

void LoadDialogTest::chooseReadySheet(const QString &name, QPoint transparentAt, QPoint translucentAt)
{
    choose(name);
    dialog.TileSet_MouseDown(1, 0, transparentAt.x(), transparentAt.y());
    dialog.TileSet_MouseDown(2, 0, translucentAt.x(), translucentAt.y());
}

std::int16_t LoadDialogTest::use(std::int16_t pane, const std::function<void()> &action)
{
    WhileModal([this, action] {
        action();
        if (dialog.isVisible()) {
            ADD_FAILURE() << "the dialog was left open";
            dialog.BtnCancel_Click();
        }
    });
    std::int16_t result = 7;
    dialog.LoadImage(pane, result);
    return result;
}

} // namespace vexlo::test
