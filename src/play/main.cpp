#include "play/play_command.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    // No display needed: a core application finds the picture reader plugins.
    QCoreApplication app(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    arguments.removeFirst();
    return vexlo::RunPlayCommand(arguments, stdout, stderr);
}
