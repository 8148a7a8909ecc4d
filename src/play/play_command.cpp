#include "play/play_command.h"

#include "common/failure.h"
#include "common/version.h"
#include "io/sheet_writer.h"
#include "io/sheet_file.h"
#include "io/macro_file.h"
#include "macro/macro_player.h"
#include "model/sheet_actions.h"
#include "model/tile_origins.h"
#include "model/workspace.h"
#include "tiles/key_check.h"
#include "play/play_arguments.h"

namespace vexlo {
namespace {

void Print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

const char *const kRoleNames[] = {"transparent", "translucent"};

// RRGGBB, as the key options take colours.
QString HexRgb(Colour colour)
{
    return QStringLiteral("%1").arg(QRgbFromColour(colour) & 0xFFFFFFu, 6, 16, QLatin1Char('0')).toUpper();
}

// A sheet file as the load dialog reads it, its transparency as these keys
// when asked for; fails with the refusal.
QImage ReadSheet(const QString &path, KeyPair keys, bool alphaToKeys)
{
    // Pipes and devices are read too, so `<(...)` gives a sheet.
    const SheetFile loaded = LoadSheetFile(path, SpecialFiles::Use);
    if (!loaded.accepted())
        throw Failure(loaded.refusalNamesFile ? loaded.refusal : QStringLiteral("%1: %2").arg(path, loaded.refusal));
    return alphaToKeys ? loaded.sheetWithKeys(keys.transparent, keys.translucent) : loaded.sheet;
}

// Loads both sheets with their key colours, as the load dialog does, and
// snaps their near-key pixels when asked, saying how many on `err`.
void LoadPanes(Workspace &workspace, const PlayArguments &arguments, std::FILE *err)
{
    for (PaneIndex pane = 0; pane < 2; ++pane) {
        const PlayArguments::Pane &given = arguments.panes[pane];
        const QImage sheet = ReadSheet(given.sheet, {given.transparent, given.translucent}, arguments.alphaToKeys);
        LoadSheet(workspace, pane, sheet, given.transparent, given.translucent);
        if (!arguments.snapDistance)
            continue;
        const auto snapped = SnapSheetToKeys(workspace, pane, *arguments.snapDistance);
        Print(err, QStringLiteral("vexlo-play: %1: %2 pixels snapped to the transparent key, %3 to the translucent key\n")
                       .arg(given.sheet).arg(snapped[0]).arg(snapped[1]));
    }
    workspace.options().setState(OptSwitch::ChkRepTrans, arguments.replaceTransparent ? 1 : 0);
    workspace.options().setState(OptSwitch::ChkRepTransL, arguments.replaceTranslucent ? 1 : 0);
}

// What is printed for a macro that did not play through: a halt as the
// window shows it, a refusal as the program's other failures.
QString NotPlayedText(const PlayResult &result)
{
    if (result.outcome == PlayResult::Outcome::Halted)
        return QStringLiteral("Play Macro Halted: %1 (line %2)").arg(result.description).arg(result.line + 1);
    return QStringLiteral("vexlo-play: %1").arg(result.description);
}

// Lists every near-key pixel of the files; 1 when there is any or a file
// is refused, for a build to stop on.
int CheckSheetFiles(const PlayArguments &arguments, std::FILE *out, std::FILE *err)
{
    int status = 0;
    for (const QString &path : arguments.checkFiles) {
        try {
            const QImage sheet = ReadSheet(path, arguments.checkKeys, arguments.alphaToKeys);
            const KeyCheck check = CheckKeys(sheet, arguments.checkKeys, *arguments.checkDistance, ListPixels::Yes);
            for (const NearKeyPixel &pixel : check.found)
                Print(out, QStringLiteral("%1: tile %2,%3 pixel %4,%5 colour #%6 near the %7 key\n")
                               .arg(path).arg(pixel.x / kTileSize).arg(pixel.y / kTileSize).arg(pixel.x)
                               .arg(pixel.y).arg(HexRgb(pixel.colour))
                               .arg(QLatin1String(kRoleNames[int(pixel.key)])));
            if (!check.clean())
                status = 1;
        } catch (const Failure &failure) {
            Print(err, QStringLiteral("vexlo-play: %1\n").arg(failure.description()));
            status = 1;
        }
    }
    return status;
}

} // namespace

int RunPlayCommand(const QStringList &arguments, std::FILE *out, std::FILE *err)
{
    QString problem;
    const auto parsed = ParsePlayArguments(arguments, problem);
    if (!parsed) {
        Print(err, QStringLiteral("vexlo-play: %1\n\n%2").arg(problem, PlayUsage()));
        return 2;
    }
    if (parsed->help) {
        Print(out, PlayUsage());
        return 0;
    }
    if (parsed->version) {
        Print(out, QStringLiteral("vexlo-play %1\n").arg(QString::fromLatin1(kVersionText)));
        return 0;
    }
    if (parsed->checkDistance)
        return CheckSheetFiles(*parsed, out, err);
    try {
        Workspace workspace;
        workspace.setMacroLines(ReadMacroFile(parsed->macro, SpecialFiles::Use));
        LoadPanes(workspace, *parsed, err);
        TileOrigins origins(workspace);
        const PlayResult played = PlayMacroLines(workspace, parsed->remap.isEmpty() ? nullptr : &origins);
        if (played.outcome != PlayResult::Outcome::Played) {
            Print(err, NotPlayedText(played) + u'\n');
            return 1;
        }
        std::vector<SheetOutput> outputs;
        for (PaneIndex pane = 0; pane < 2; ++pane)
            if (!parsed->panes[pane].output.isEmpty())
                outputs.push_back({workspace.sheet(pane), parsed->panes[pane].output,
                                   parsed->keysToAlpha ? std::optional<KeyPair>(KeyPair{workspace.transparentKey(pane),
                                                                                        workspace.translucentKey(pane)})
                                                       : std::nullopt});
        std::vector<TextOutput> texts;
        if (!parsed->remap.isEmpty())
            texts.push_back({origins.csv(), parsed->remap});
        WriteSheetFiles(outputs, SpecialFiles::Use, texts); // all or none
    } catch (const Failure &failure) {
        Print(err, QStringLiteral("vexlo-play: %1\n").arg(failure.description()));
        return 1;
    }
    return 0;
}

} // namespace vexlo
