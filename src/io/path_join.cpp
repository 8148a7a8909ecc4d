#include "io/path_join.h"

namespace vexlo {

QString JoinPath(const QString &folder, const QString &name)
{
    return (folder.endsWith(u'/') ? folder : folder + u'/') + name;
}

} // namespace vexlo
