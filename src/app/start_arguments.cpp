#include "app/start_arguments.h"

namespace vexlo {
namespace {

// Qt's options that QApplication takes from the command line, with the
// number of values each takes after it.
struct QtOption {
    const char16_t *name;
    int values;
};
constexpr QtOption kQtOptions[] = {
    {u"-platform", 1}, {u"-platformpluginpath", 1}, {u"-platformtheme", 1}, {u"-plugin", 1},
    {u"-display", 1},  {u"-style", 1},              {u"-stylesheet", 1},    {u"-session", 1},
    {u"-qwindowgeometry", 1}, {u"-qwindowicon", 1}, {u"-qwindowtitle", 1},  {u"-reverse", 0},
    {u"-widgetcount", 0},     {u"-nograb", 0},      {u"-dograb", 0},        {u"-sync", 0},
};

// The number of values a Qt option takes, or -1 when `argument` is none.
// A value may also follow the name after "=" ("-style=Fusion").
int QtOptionValues(const QString &argument)
{
    for (const QtOption &option : kQtOptions) {
        const QString name = QString::fromUtf16(option.name);
        if (argument == name)
            return option.values;
        if (option.values > 0 && argument.startsWith(name + u'='))
            return 0;
    }
    return -1;
}

} // namespace

QString StartUsage()
{
    return QStringLiteral(
        "usage: vexlo [LEFT [RIGHT]]\n"
        "       vexlo -h | --help | --version\n"
        "\n"
        "Edits tileset sheets: copies 32 x 32 tiles between two sheets side by side.\n"
        "\n"
        "  LEFT, RIGHT  sheet files (bmp, dib, jpg, gif, ico, cur or png) to load:\n"
        "               the left pane's load dialog opens with LEFT chosen and, once\n"
        "               it was loaded, the right pane's with RIGHT\n"
        "  --           ends the options: a file's name may then start with -\n"
        "\n"
        "Qt's own options (-platform, -display, -style, ...) are taken too.\n"
        "Exit status: 0 closed, 2 wrong arguments.\n");
}

StartArguments ReadStartArguments(const QStringList &arguments)
{
    StartArguments read;
    QStringList leftOut; // files after the second, not opened
    bool optionsEnded = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        const bool option = !optionsEnded && argument.startsWith(u'-') && argument != u"-";
        if (option) {
            if (argument == u"--") {
                optionsEnded = true;
                continue;
            }
            if (argument == u"--help" || argument == u"-h")
                return {StartArguments::Action::Help, {}, {}};
            if (argument == u"--version")
                return {StartArguments::Action::Version, {}, {}};
            const int values = QtOptionValues(argument);
            if (values < 0)
                return {StartArguments::Action::Wrong, {}, QStringLiteral("unknown option: %1").arg(argument)};
            if (i + values >= arguments.size())
                return {StartArguments::Action::Wrong, {}, QStringLiteral("%1 needs a value").arg(argument)};
            i += values;
            continue;
        }
        if (argument.isEmpty())
            return {StartArguments::Action::Wrong, {}, QStringLiteral("a file needs a name, not an empty text")};
        // A file manager passes every file chosen: the first two are opened
        // rather than none.
        if (read.files.size() == 2)
            leftOut << argument;
        else
            read.files << argument;
    }
    if (!leftOut.isEmpty())
        read.problem = QStringLiteral("one file for each pane: not opened: %1").arg(leftOut.join(QStringLiteral(", ")));
    return read;
}

} // namespace vexlo
