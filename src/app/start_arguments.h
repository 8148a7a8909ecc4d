#pragma once

#include <QString>
#include <QStringList>

namespace vexlo {

// What `vexlo`'s command line asks for, read before the window (and the
// display) is needed.
struct [[nodiscard]] StartArguments {
    enum class Action {
        Start,   // the window, with `files` to offer in the load dialogs
        Help,    // print the usage, exit 0
        Version, // print the version, exit 0
        Wrong,   // print `problem` and the usage on standard error, exit 2
    };
    Action action = Action::Start;
    // The left pane's file, then the right pane's, as given.
    QStringList files;
    QString problem; // for Wrong, and what was left out for Start
};

// Reads the arguments after the program's name. Qt's own options (-platform
// NAME, -display NAME, -style NAME, -reverse and the like) are passed over
// for QApplication; "--" ends the options, so a file's name may start with
// "-".
StartArguments ReadStartArguments(const QStringList &arguments);

// The usage and a short description, as --help prints it.
QString StartUsage();

} // namespace vexlo
