#include "play/play_arguments.h"

#include "common/pane_index.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cctype>

#include <sys/stat.h>

namespace vexlo {
namespace {

std::optional<bool> ParseSwitch(const QString &text)
{
    if (text == u"on")
        return true;
    if (text == u"off")
        return false;
    return std::nullopt;
}

bool TakesValue(const QString &option)
{
    static const QStringList options{
        QStringLiteral("--left"),          QStringLiteral("--right"),
        QStringLiteral("--left-keys"),     QStringLiteral("--right-keys"),
        QStringLiteral("--out-left"),      QStringLiteral("--out-right"),     QStringLiteral("--remap"),
        QStringLiteral("--replace-transparent"), QStringLiteral("--replace-translucent")};
    return options.contains(option);
}

// Where writing to a name ends up: through links (also one whose target is
// not there yet) to a file in a folder named without links.
QString OutputDestination(const QString &path)
{
    QFileInfo info(path);
    for (int hops = 0; info.isSymLink() && hops < 40; ++hops)
        info = QFileInfo(info.symLinkTarget());
    const QString folder = QDir(info.absolutePath()).canonicalPath();
    return (folder.isEmpty() ? info.absolutePath() : folder) + u'/' + info.fileName();
}

// Two outputs naming one file, through links of any kind, would have the
// second write over the first. A device such as /dev/null may take both.
bool SameOutputFile(const QString &left, const QString &right)
{
    const QString leftPlace = OutputDestination(left);
    const QString rightPlace = OutputDestination(right);
    struct stat leftFile = {};
    struct stat rightFile = {};
    if (::stat(QFile::encodeName(leftPlace).constData(), &leftFile) == 0
        && ::stat(QFile::encodeName(rightPlace).constData(), &rightFile) == 0)
        return leftFile.st_dev == rightFile.st_dev && leftFile.st_ino == rightFile.st_ino
               && !S_ISCHR(leftFile.st_mode);
    return leftPlace == rightPlace;
}

} // namespace

std::optional<Colour> ParseHexColour(const QString &text)
{
    if (text.size() != 7 || !text.startsWith(u'#'))
        return std::nullopt;
    // Six hexadecimal digits and nothing else: no sign, no blank.
    const QByteArray digits = text.sliced(1).toLatin1();
    if (!std::all_of(digits.begin(), digits.end(), [](char c) { return std::isxdigit(uchar(c)) != 0; }))
        return std::nullopt;
    const uint rgb = digits.toUInt(nullptr, 16);
    return Colour(int(rgb >> 16) & 0xFF, int(rgb >> 8) & 0xFF, int(rgb) & 0xFF);
}

QString PlayUsage()
{
    return QStringLiteral(
        "usage: vexlo-play MACRO.vmi --left LEFT --right RIGHT [--left-keys T,S] [--right-keys T,S]\n"
        "                  [--replace-transparent on|off] [--replace-translucent on|off]\n"
        "                  [--out-left FILE] [--out-right FILE] [--remap FILE]\n"
        "       vexlo-play -h | --help | --version\n"
        "\n"
        "Replays a Vexlo macro on two sheet files, as Play does in Vexlo, and writes\n"
        "the resulting sheets as PNG or bitmap files.\n"
        "\n"
        "  MACRO.vmi                  the macro file, one macro line per line\n"
        "  --left, --right FILE       the sheets of the left and right pane (bmp, dib, jpg,\n"
        "                             gif, ico, cur or png; at most 256 pixels wide, width\n"
        "                             and height multiples of 32)\n"
        "  --left-keys, --right-keys T,S\n"
        "                             the pane's transparent and translucent key colours\n"
        "                             as #RRGGBB (default #000000,#000000)\n"
        "  --replace-transparent on|off  replace the transparent key colour (default on)\n"
        "  --replace-translucent on|off  replace the translucent key colour (default off)\n"
        "  --out-left, --out-right FILE  where to write the resulting sheets: PNG when\n"
        "                             the name ends in .png, otherwise BMP;\n"
        "                             a device or a FIFO (/dev/null, >(...)) is written\n"
        "                             in place, any other file replaced whole\n"
        "  --remap FILE               also write a CSV table of where every tile of the\n"
        "                             resulting sheets came from: sheet,index,from_sheet,\n"
        "                             from_index, index = row x 8 + column (left or right;\n"
        "                             the from fields empty for a tile of cleared pixels)\n"
        "\n"
        "Exit status: 0 played and the outputs written, 1 refused, halted or an\n"
        "output not written (then no output file is changed), 2 wrong arguments.\n");
}

std::optional<PlayArguments> ParsePlayArguments(const QStringList &arguments, QString &problem)
{
    PlayArguments parsed;
    bool sheetGiven[2] = {false, false};
    QStringList given;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &argument = arguments[i];
        if (argument == u"--help" || argument == u"-h") {
            parsed.help = true;
            return parsed;
        }
        if (argument == u"--version") {
            parsed.version = true;
            return parsed;
        }
        if (!argument.startsWith(u'-') || argument == u"-") {
            if (argument.isEmpty()) {
                problem = QStringLiteral("the macro file needs a name, not an empty text");
                return std::nullopt;
            }
            if (!parsed.macro.isEmpty()) {
                problem = QStringLiteral("only one macro file, please: %1").arg(argument);
                return std::nullopt;
            }
            parsed.macro = argument;
            continue;
        }
        if (!TakesValue(argument)) {
            problem = QStringLiteral("unknown option %1").arg(argument);
            return std::nullopt;
        }
        if (given.contains(argument)) {
            problem = QStringLiteral("%1 is given twice").arg(argument);
            return std::nullopt;
        }
        given.append(argument);
        if (i + 1 >= arguments.size()) {
            problem = QStringLiteral("%1 needs a value").arg(argument);
            return std::nullopt;
        }
        const QString value = arguments[++i];
        const bool namesFile = argument == u"--left" || argument == u"--right" || argument == u"--out-left"
                               || argument == u"--out-right" || argument == u"--remap";
        if (namesFile && value.isEmpty()) {
            problem = QStringLiteral("%1 needs a file name, not an empty text").arg(argument);
            return std::nullopt;
        }
        if (argument == u"--left" || argument == u"--right") {
            const PaneIndex pane = argument == u"--left" ? 0 : 1;
            parsed.panes[pane].sheet = value;
            sheetGiven[pane] = true;
        } else if (argument == u"--remap") {
            parsed.remap = value;
        } else if (argument == u"--out-left" || argument == u"--out-right") {
            parsed.panes[argument == u"--out-left" ? 0 : 1].output = value;
        } else if (argument == u"--left-keys" || argument == u"--right-keys") {
            const QStringList keys = value.split(u',');
            const auto transparent = keys.size() == 2 ? ParseHexColour(keys[0]) : std::nullopt;
            const auto translucent = keys.size() == 2 ? ParseHexColour(keys[1]) : std::nullopt;
            if (!transparent || !translucent) {
                problem = QStringLiteral("%1 takes two colours as #RRGGBB,#RRGGBB, not %2").arg(argument, value);
                return std::nullopt;
            }
            auto &pane = parsed.panes[argument == u"--left-keys" ? 0 : 1];
            pane.transparent = *transparent;
            pane.translucent = *translucent;
        } else if (argument == u"--replace-transparent" || argument == u"--replace-translucent") {
            const auto on = ParseSwitch(value);
            if (!on) {
                problem = QStringLiteral("%1 takes on or off, not %2").arg(argument, value);
                return std::nullopt;
            }
            (argument == u"--replace-transparent" ? parsed.replaceTransparent : parsed.replaceTranslucent) = *on;
        }
    }
    if (parsed.macro.isEmpty())
        problem = QStringLiteral("no macro file given");
    else if (!sheetGiven[0] || !sheetGiven[1])
        problem = QStringLiteral("both --left and --right sheets are needed");
    else if (!parsed.panes[0].output.isEmpty() && !parsed.panes[1].output.isEmpty()
             && SameOutputFile(parsed.panes[0].output, parsed.panes[1].output))
        problem = QStringLiteral("--out-left and --out-right name the same file");
    else if (!parsed.remap.isEmpty()) {
        for (PaneIndex pane = 0; pane < 2; ++pane)
            if (!parsed.panes[pane].output.isEmpty() && SameOutputFile(parsed.panes[pane].output, parsed.remap))
                problem = QStringLiteral("%1 and --remap name the same file")
                              .arg(pane == 0 ? QStringLiteral("--out-left") : QStringLiteral("--out-right"));
    }
    if (!problem.isEmpty())
        return std::nullopt;
    return parsed;
}

} // namespace vexlo
