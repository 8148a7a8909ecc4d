#include "common/version_label.h"

#include "common/version.h"

namespace vexlo {

QString FillVersionLabel(QString text)
{
    text.replace(QStringLiteral("$M"), QString::number(kVersionMajor));
    text.replace(QStringLiteral("$I"), QString::number(kVersionMinor));
    text.replace(QStringLiteral("$R"), QString::number(kVersionRevision));
    return text;
}

} // namespace vexlo
