#include "settings/app_path.h"

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

} // namespace

void InitAppPath()
{
    InitAppPath(QCoreApplication::applicationDirPath());
}

void InitAppPath(const QString &programFolder)
{
    const QFileInfo folder(programFolder);
    const bool writable = folder.isDir() && folder.isWritable();
    StoredAppPath() = AddBackslash(writable ? programFolder : UserConfigFolder());
}

const QString &AppPath()
{
    return StoredAppPath();
}

QString IniPath()
{
    return AppPath() + QStringLiteral("Vexlo.INI");
}

QString AddBackslash(const QString &path)
{
    return path.endsWith(u'/') ? path : path + u'/';
}

} // namespace vexlo
