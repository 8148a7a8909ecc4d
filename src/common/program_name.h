#pragma once

#include <QString>

namespace vexlo {

// The program's name, also the title of its own message boxes.
inline QString ProgramName()
{
    return QStringLiteral("Vexlo");
}

} // namespace vexlo
