#include "widgets/replace_question.h"

#include "common/program_name.h"
#include "common/prompt.h"

#include <QFileInfo>

namespace vexlo {

bool MayReplace(const QString &path)
{
    const QFileInfo file(path);
    if (!file.exists() || !file.isFile())
        return true; // no file to replace (a folder, a FIFO, a device): the write says why it fails
    return Prompt::current().askYesNo(ProgramName(),
                                      QStringLiteral("%1 already exists. Replace it?").arg(file.fileName()),
                                      Prompt::Answer::No);
}

} // namespace vexlo
