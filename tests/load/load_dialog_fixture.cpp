#include "load_dialog_fixture.h"

namespace vexlo::test {

LoadDialogTest::LoadDialogTest()
{
    dialog.openFolder(folder.path());
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
    dialog.listFilesAgain(); // the file may be new
    ASSERT_TRUE(dialog.chooseFile(name)) << name.toStdString() << " is not listed";
}

void LoadDialogTest::chooseReadySheet(const QString &name, QPoint transparentAt, QPoint translucentAt)
{
    choose(name);
    dialog.TileSet_MouseDown(1, 0, transparentAt.x(), transparentAt.y());
    dialog.TileSet_MouseDown(2, 0, translucentAt.x(), translucentAt.y());
}

std::int16_t LoadDialogTest::use(std::int16_t pane, const std::function<void()> &action, const QString &file)
{
    WhileModal([this, action] {
        action();
        if (dialog.isVisible()) {
            ADD_FAILURE() << "the dialog was left open";
            dialog.BtnCancel_Click();
        }
    });
    std::int16_t result = 7;
    dialog.LoadImage(pane, result, file);
    return result;
}

} // namespace vexlo::test
