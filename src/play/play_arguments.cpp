#include "play/play_arguments.h"

#include "common/pane_index.h"
#include "io/sheet_writer.h"
#include "tiles/key_check.h"

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
        QStringLiteral("--replace-transparent"), QStringLiteral("--replace-translucent"),
        QStringLiteral("--snap-keys"),     QStringLiteral("--check-keys"),
        QStringLiteral("--keys"),          QStringLiteral("--jobs"),          QStringLiteral("--threads")};
    return options.contains(option);
}

bool IsFlag(const QString &option)
{
    return option == u"--alpha-to-keys" || option == u"--keys-to-alpha" || option == u"--dry-run"
           || option == u"--strict";
}

std::optional<int> ParseDistance(const QString &text)
{
    bool ok = false;
    const int distance = text.toInt(&ok);
    if (!ok || distance < kMinKeyDistance || distance > kMaxKeyDistance || text.startsWith(u'+'))
        return std::nullopt;
    return distance;
}

std::optional<KeyPair> ParseKeyPair(const QString &text)
{
    const QStringList keys = text.split(u',');
    const auto transparent = keys.size() == 2 ? ParseHexColour(keys[0]) : std::nullopt;
    const auto translucent = keys.size() == 2 ? ParseHexColour(keys[1]) : std::nullopt;
    if (!transparent || !translucent)
        return std::nullopt;
    return KeyPair{*transparent, *translucent};
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

} // namespace

QString OutputIdentity(const QString &path)
{
    const QString place = OutputDestination(path);
    struct stat file = {};
    if (::stat(QFile::encodeName(place).constData(), &file) != 0)
        return place;
    if (S_ISCHR(file.st_mode))
        return {};
    return QStringLiteral("%1:%2").arg(file.st_dev).arg(file.st_ino);
}

namespace {

bool SameOutputFile(const QString &left, const QString &right)
{
    const QString identity = OutputIdentity(left);
    return !identity.isEmpty() && identity == OutputIdentity(right);
}

// What the check of sheet files allows and needs; empty when it is right.
QString CheckModeProblem(const PlayArguments &parsed, const QStringList &given)
{
    static const QStringList allowed{QStringLiteral("--check-keys"), QStringLiteral("--keys"),
                                     QStringLiteral("--alpha-to-keys")};
    for (const QString &option : given)
        if (!allowed.contains(option))
            return QStringLiteral("%1 does not go with --check-keys").arg(option);
    if (parsed.checkFiles.isEmpty())
        return QStringLiteral("--check-keys needs at least one sheet file");
    return {};
}

// What playing a macro allows and needs; empty when it is right.
QString PlayModeProblem(const PlayArguments &parsed, const QStringList &given, const bool (&sheetGiven)[2])
{
    if (given.contains(QStringLiteral("--keys")))
        return QStringLiteral("--keys goes with --check-keys only; a macro takes --left-keys and --right-keys");
    if (parsed.macro.isEmpty())
        return QStringLiteral("no macro file given");
    if (parsed.jobs) {
        for (const char *option : {"--left", "--right", "--out-left", "--out-right", "--remap"})
            if (given.contains(QLatin1String(option)))
                return QStringLiteral("%1 does not go with --jobs: each job names its own files")
                    .arg(QLatin1String(option));
        return {};
    }
    if (given.contains(QStringLiteral("--threads")))
        return QStringLiteral("--threads goes with --jobs only");
    if (!sheetGiven[0] || !sheetGiven[1])
        return QStringLiteral("both --left and --right sheets are needed");
    if (!parsed.panes[0].output.isEmpty() && !parsed.panes[1].output.isEmpty()
        && SameOutputFile(parsed.panes[0].output, parsed.panes[1].output))
        return QStringLiteral("--out-left and --out-right name the same file");
    if (!parsed.remap.isEmpty())
        for (PaneIndex pane = 0; pane < 2; ++pane)
            if (!parsed.panes[pane].output.isEmpty() && SameOutputFile(parsed.panes[pane].output, parsed.remap))
                return QStringLiteral("%1 and --remap name the same file")
                    .arg(pane == 0 ? QStringLiteral("--out-left") : QStringLiteral("--out-right"));
    if (parsed.keysToAlpha)
        for (const auto &pane : parsed.panes)
            if (const QString problem = KeysToAlphaProblem(pane.output); !problem.isEmpty())
                return problem;
    return {};
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
        "                  [--alpha-to-keys] [--keys-to-alpha] [--snap-keys DISTANCE]\n"
        "                  [--dry-run] [--strict]\n"
        "       vexlo-play MACRO.vmi --jobs FILE|- [--threads N] [option...]\n"
        "       vexlo-play --check-keys DISTANCE [--keys T,S] [--alpha-to-keys] SHEET...\n"
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
        "  --alpha-to-keys            read each input's transparency as its pane's keys:\n"
        "                             alpha 0 as the transparent key, black at alpha 128\n"
        "                             as the translucent key, the rest over black\n"
        "  --keys-to-alpha            write each pane's keys as transparency (the\n"
        "                             transparent key as alpha 0, the translucent key as\n"
        "                             black at alpha 128); every output must end in .png\n"
        "  --snap-keys DISTANCE       before playing, set every pixel within DISTANCE\n"
        "                             (1 to 32, the largest channel difference) of a key\n"
        "                             to that key; the counts go to standard error\n"
        "  --dry-run                  play and write nothing; print how many tiles of\n"
        "                             each sheet would change\n"
        "  --strict                   refuse a pair of sheets that a Get or Put line of\n"
        "                             the macro reaches beyond (by default such lines\n"
        "                             are counted on standard error and played)\n"
        "  --jobs FILE                play every job of FILE (- = standard input): one\n"
        "                             a line, LEFT RIGHT OUT-LEFT OUT-RIGHT [REMAP]\n"
        "                             separated by tabs, an empty output not written;\n"
        "                             blank lines and lines starting with # skipped;\n"
        "                             every other option applies to every job\n"
        "  --threads N                jobs played at once (default: the cores)\n"
        "  --check-keys DISTANCE      play nothing: list every pixel of the sheets within\n"
        "                             DISTANCE of a key colour but not exactly it\n"
        "  --keys T,S                 the key colours the check uses (default\n"
        "                             #000000,#000000)\n"
        "\n"
        "Exit status: 0 played and the outputs written, 1 refused, halted or an\n"
        "output not written (then no output file is changed), 2 wrong arguments.\n"
        "With --jobs: 0 every job written, 1 any job failed, 2 wrong arguments or an\n"
        "unreadable job list (then nothing is played), 130 or 143 when Ctrl+C or\n"
        "SIGTERM left jobs unplayed.\n"
        "With --check-keys: 0 no near-key pixel, 1 some found or a sheet refused.\n");
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
            if (arguments.contains(QStringLiteral("--check-keys"))) {
                parsed.checkFiles.append(argument);
                continue;
            }
            if (!parsed.macro.isEmpty()) {
                problem = QStringLiteral("only one macro file, please: %1").arg(argument);
                return std::nullopt;
            }
            parsed.macro = argument;
            continue;
        }
        if (!TakesValue(argument) && !IsFlag(argument)) {
            problem = QStringLiteral("unknown option %1").arg(argument);
            return std::nullopt;
        }
        if (given.contains(argument)) {
            problem = QStringLiteral("%1 is given twice").arg(argument);
            return std::nullopt;
        }
        given.append(argument);
        if (IsFlag(argument)) {
            if (argument == u"--alpha-to-keys")
                parsed.alphaToKeys = true;
            else if (argument == u"--keys-to-alpha")
                parsed.keysToAlpha = true;
            else
                (argument == u"--dry-run" ? parsed.dryRun : parsed.strict) = true;
            continue;
        }
        if (i + 1 >= arguments.size()) {
            problem = QStringLiteral("%1 needs a value").arg(argument);
            return std::nullopt;
        }
        const QString value = arguments[++i];
        const bool namesFile = argument == u"--left" || argument == u"--right" || argument == u"--out-left"
                               || argument == u"--out-right" || argument == u"--remap" || argument == u"--jobs";
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
        } else if (argument == u"--jobs") {
            parsed.jobs = value;
        } else if (argument == u"--threads") {
            bool ok = false;
            parsed.threads = value.toInt(&ok);
            if (!ok || parsed.threads < 1 || parsed.threads > kMaxThreads || value.startsWith(u'+')) {
                problem = QStringLiteral("--threads takes a number from 1 to %1, not %2").arg(kMaxThreads).arg(value);
                return std::nullopt;
            }
        } else if (argument == u"--out-left" || argument == u"--out-right") {
            parsed.panes[argument == u"--out-left" ? 0 : 1].output = value;
        } else if (argument == u"--left-keys" || argument == u"--right-keys" || argument == u"--keys") {
            const auto keys = ParseKeyPair(value);
            if (!keys) {
                problem = QStringLiteral("%1 takes two colours as #RRGGBB,#RRGGBB, not %2").arg(argument, value);
                return std::nullopt;
            }
            if (argument == u"--keys") {
                parsed.checkKeys = *keys;
            } else {
                auto &pane = parsed.panes[argument == u"--left-keys" ? 0 : 1];
                pane.transparent = keys->transparent;
                pane.translucent = keys->translucent;
            }
        } else if (argument == u"--snap-keys" || argument == u"--check-keys") {
            const auto distance = ParseDistance(value);
            if (!distance) {
                problem = QStringLiteral("%1 takes a distance from %2 to %3, not %4")
                              .arg(argument).arg(kMinKeyDistance).arg(kMaxKeyDistance).arg(value);
                return std::nullopt;
            }
            (argument == u"--snap-keys" ? parsed.snapDistance : parsed.checkDistance) = *distance;
        } else if (argument == u"--replace-transparent" || argument == u"--replace-translucent") {
            const auto on = ParseSwitch(value);
            if (!on) {
                problem = QStringLiteral("%1 takes on or off, not %2").arg(argument, value);
                return std::nullopt;
            }
            (argument == u"--replace-transparent" ? parsed.replaceTransparent : parsed.replaceTranslucent) = *on;
        }
    }
    problem = parsed.checkDistance ? CheckModeProblem(parsed, given) : PlayModeProblem(parsed, given, sheetGiven);
    if (!problem.isEmpty())
        return std::nullopt;
    return parsed;
}

QString KeysToAlphaProblem(const QString &output)
{
    if (output.isEmpty() || NamesPngFile(output))
        return {};
    return QStringLiteral("--keys-to-alpha writes PNG files only, and %1 does not end in .png").arg(output);
}

} // namespace vexlo
