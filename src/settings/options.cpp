#include "settings/options.h"

namespace vexlo {

void Options::setState(OptSwitch which, std::int16_t state)
{
    auto &stored = states_[std::size_t(which)];
    if (stored == state)
        return;
    stored = state;
    emit stateChanged(which);
}

void Options::setDefDir(int pane, const QString &folder)
{
    setFolder(defDir_, pane, folder);
}

void Options::setDefDirS(int pane, const QString &folder)
{
    setFolder(defDirS_, pane, folder);
}

QString Options::startFolder(FileDialog dialog, int pane) const
{
    if (!isOn(OptSwitch::ChkRememberDirs) || !isPane(pane))
        return QString();
    return dialog == FileDialog::Load ? DefDir(pane) : DefDirS(pane);
}

void Options::rememberFolder(FileDialog dialog, int pane, const QString &folder)
{
    if (isPane(pane))
        setFolder(dialog == FileDialog::Load ? defDir_ : defDirS_, pane, folder);
}

void Options::setFolder(std::array<QString, 2> &folders, int pane, const QString &folder)
{
    auto &stored = folders.at(std::size_t(pane));
    if (stored == folder)
        return;
    stored = folder;
    emit folderChanged();
}

} // namespace vexlo
