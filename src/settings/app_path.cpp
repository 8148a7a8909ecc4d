#include "settings/app_path.h"

#include "io/path_join.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace vexlo {
namespace {

QString &StoredAppPath()
{
    static QString path;
    return path;
}

QString UserConfigFolder()
{
    // Named here rather than taken from the application object, so tools
    // without one (and tests) find the same folder.
    const QString base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    const QString folder = base + QStringLiteral("/Vexlo");
    QDir().mkpath(folder);
    return folder;
}

bool Installed(const QString &programFolder)
{
    return QFileInfo::exists(programFolder + QStringLiteral("/../share/applications/org.vexlo.Vexlo.desktop"));
}

} // namespace

void InitAppPath()
{
    InitAppPath(QCoreApplication::applicationDirPath());
}

void InitAppPath(const QString &programFolder)
{
    const QFileInfo folder(programFolder);
    const bool portable = folder.isDir() && folder.isWritable() && !Installed(programFolder);
    StoredAppPath() = JoinPath(portable ? programFolder : UserConfigFolder(), {});
}

const QString &AppPath()
{
    return StoredAppPath();
}

QString IniPath()
{
    return JoinPath(AppPath(), QStringLiteral("Vexlo.INI"));
}

} // namespace vexlo
