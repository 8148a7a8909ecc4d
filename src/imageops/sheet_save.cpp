#include "imageops/sheet_save.h"

#include "common/program_name.h"
#include "common/prompt.h"
#include "imageops/sheet_height.h"
#include "io/sheet_writer.h"
#include "model/workspace.h"
#include "widgets/busy_pointer.h"

#include <QFileInfo>

namespace vexlo {

bool SaveSheet(Workspace &workspace, PaneIndex pane, const QString &path)
{
    const QImage &sheet = workspace.sheet(pane);
    const QString question = PartTileHeightQuestion(sheet.height());
    if (!question.isEmpty() && !Prompt::current().askYesNo(ProgramName(), question, Prompt::Answer::No))
        return false;
    {
        const BusyPointer busy;
        WriteSheetFile(sheet, path);
    }
    workspace.setPaneFile(pane, path);
    workspace.markPaneSaved(pane);
    return true;
}

bool CanSaveBack(const Workspace &workspace, PaneIndex pane)
{
    const QString &file = workspace.paneFile(pane);
    if (file.isEmpty())
        return false;
    // The writer picks the format by the name: PNG for ".png", a bitmap for
    // any other, which is the file's own format only for these.
    const QString suffix = QFileInfo(file).suffix().toLower();
    return suffix == QLatin1String("png") || suffix == QLatin1String("bmp") || suffix == QLatin1String("dib");
}

} // namespace vexlo
