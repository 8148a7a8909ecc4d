#include "imageops/sheet_save.h"

#include "common/program_name.h"
#include "common/prompt.h"
#include "imageops/sheet_height.h"
#include "io/sheet_writer.h"
#include "model/workspace.h"
#include "widgets/busy_pointer.h"

#include <QFileInfo>

namespace vexlo {

bool SaveSheet(Workspace &workspace, PaneIndex pane, const PaneFile &file)
{
    const QImage &sheet = workspace.sheet(pane);
    const QString question = PartTileHeightQuestion(sheet.height());
    if (!question.isEmpty() && !Prompt::current().askYesNo(ProgramName(), question, Prompt::Answer::No))
        return false;
    {
        const BusyPointer busy;
        // Only a PNG file holds transparency: a bitmap (a 32-bit one read with
        // its alpha as keys, say) is written with the key colours themselves.
        std::optional<KeyPair> keysAsAlpha;
        if (file.keysAsAlpha && NamesPngFile(file.path))
            keysAsAlpha = KeyPair{workspace.transparentKey(pane), workspace.translucentKey(pane)};
        WriteSheetFile(sheet, file.path, keysAsAlpha);
    }
    workspace.setPaneFile(pane, file);
    workspace.markPaneSaved(pane);
    return true;
}

bool CanSaveBack(const Workspace &workspace, PaneIndex pane)
{
    const QString &file = workspace.paneFile(pane).path;
    if (file.isEmpty())
        return false;
    // The writer picks the format by the name: PNG for ".png", a bitmap for
    // any other, which is the file's own format only for these.
    const QString suffix = QFileInfo(file).suffix().toLower();
    return suffix == QLatin1String("png") || suffix == QLatin1String("bmp") || suffix == QLatin1String("dib");
}

} // namespace vexlo
