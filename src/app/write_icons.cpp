// Build tool: writes the program icon as the PNG files of the desktop's
// hicolor theme, one per size, into the folder given as the argument.
#include "app/app_icon.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: write_icons FOLDER\n");
        return 2;
    }
    const QDir out(QString::fromLocal8Bit(argv[1]));
    for (int size : {16, 32, 48, 64, 128, 256}) {
        const QString folder = QStringLiteral("%1x%1/apps").arg(size);
        if (!out.mkpath(folder)
            || !vexlo::DrawAppIcon(size).save(out.filePath(folder + QStringLiteral("/org.vexlo.Vexlo.png")))) {
            std::fprintf(stderr, "write_icons: cannot write the %d pixel icon\n", size);
            return 1;
        }
    }
    return 0;
}
