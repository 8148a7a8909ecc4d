#include "fuzz_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace vexlo::fuzz {

QString ScratchFile(const QByteArray &bytes, const QString &extension)
{
    const QString path = QDir::tempPath() + QStringLiteral("/vexlo-fuzz-%1.%2").arg(getpid()).arg(extension);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size()) {
        std::fprintf(stderr, "cannot write the scratch file %s\n", qPrintable(path));
        std::abort();
    }
    return path;
}

void Require(bool condition, const char *what)
{
    if (!condition) {
        std::fprintf(stderr, "property violated: %s\n", what);
        std::abort();
    }
}

} // namespace vexlo::fuzz
