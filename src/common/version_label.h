#pragma once

#include <QString>

namespace vexlo {

// Fills a version template: every "$M", then every "$I", then every "$R" is
// replaced by the major, minor and revision number ("Version $M.$I.$R." ->
// "Version 2.1.13.").
QString FillVersionLabel(QString text);

} // namespace vexlo
