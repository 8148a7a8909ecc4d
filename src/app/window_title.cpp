#include "app/window_title.h"

#include "common/program_name.h"

#include <QFileInfo>

namespace vexlo {

QString WindowTitle(const std::array<PaneTitle, 2> &panes)
{
    const auto untouched = [](const PaneTitle &pane) { return pane.file.isEmpty() && !pane.unsaved; };
    if (untouched(panes[0]) && untouched(panes[1]))
        return ProgramName();
    QStringList parts;
    for (const PaneTitle &pane : panes) {
        const QString name = pane.file.isEmpty() ? QStringLiteral("(no file)") : QFileInfo(pane.file).fileName();
        parts << (pane.unsaved ? QStringLiteral("*") + name : name);
    }
    return parts.join(QStringLiteral(" | ")) + QStringLiteral(" - ") + ProgramName();
}

} // namespace vexlo
