#include "common/macro_limit.h"

#include "common/failure.h"

#include <QLocale>

namespace vexlo {

void CheckMacroLineCount(qsizetype count)
{
    if (count > kMaxMacroLines)
        throw Failure(QStringLiteral("A macro holds at most 32,767 lines; this one would have %1.")
                          .arg(QLocale(QLocale::English).toString(count)));
}

} // namespace vexlo
