#pragma once

#include <QString>

namespace vexlo {

// `name` in `folder`, with one separator between them whether or not the
// folder ends in one; an empty folder is the root. An empty name gives the
// folder ending in its separator.
QString JoinPath(const QString &folder, const QString &name);

} // namespace vexlo
