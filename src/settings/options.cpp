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
    auto &stored = defDir_.at(std::size_t(pane));
    if (stored == folder)
        return;
    stored = folder;
    emit folderChanged();
}

void Options::setDefDirS(int pane, const QString &folder)
{
    auto &stored = defDirS_.at(std::size_t(pane));
    if (stored == folder)
        return;
    stored = folder;
    emit folderChanged();
}

} // namespace vexlo
