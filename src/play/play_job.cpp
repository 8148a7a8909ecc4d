#include "play/play_job.h"

#include "common/failure.h"
#include "common/sheet_limits.h"
#include "io/sheet_file.h"
#include "model/sheet_actions.h"
#include "model/tile_origins.h"
#include "model/workspace.h"

#include <algorithm>
#include <cstring>

namespace vexlo {
namespace {

// The tiles whose pixels differ; every tile of the taller one when the
// heights differ.
int ChangedTiles(const QImage &before, const QImage &after)
{
    if (before.size() != after.size())
        return std::max(after.height(), before.height()) / kTileSize * (kSheetWidth / kTileSize);
    const QImage a = ConvertedImage(before, QImage::Format_RGB32);
    const QImage b = ConvertedImage(after, QImage::Format_RGB32);
    int changed = 0;
    for (int y0 = 0; y0 < a.height(); y0 += kTileSize)
        for (int x0 = 0; x0 < a.width(); x0 += kTileSize)
            for (int y = y0; y < std::min(y0 + kTileSize, a.height()); ++y)
                if (std::memcmp(a.constScanLine(y) + x0 * 4, b.constScanLine(y) + x0 * 4, kTileSize * 4) != 0) {
                    ++changed;
                    break;
                }
    return changed;
}

} // namespace

QImage ReadSheet(const QString &path, KeyPair keys, bool alphaToKeys)
{
    // Pipes and devices are read too, so `<(...)` gives a sheet.
    const SheetFile loaded = LoadSheetFile(path, SpecialFiles::Use);
    if (!loaded.accepted())
        throw Failure(loaded.refusalNamesFile ? loaded.refusal : QStringLiteral("%1: %2").arg(path, loaded.refusal));
    return alphaToKeys ? loaded.sheetWithKeys(keys.transparent, keys.translucent) : loaded.sheet;
}

PlayedPair PlayPair(const PlayArguments &arguments, const QStringList &macroLines)
{
    PlayedPair pair;
    Workspace workspace;
    workspace.keepNoUndo();
    workspace.setMacroLines(macroLines);
    std::array<QImage, 2> asRead;
    for (PaneIndex pane = 0; pane < 2; ++pane) {
        const PlayArguments::Pane &given = arguments.panes[pane];
        asRead[pane] = ReadSheet(given.sheet, {given.transparent, given.translucent}, arguments.alphaToKeys);
        LoadSheet(workspace, pane, asRead[pane], given.transparent, given.translucent);
        if (!arguments.dryRun)
            asRead[pane] = QImage(); // sole owner, the played sheet is changed in place, not copied first
        if (!arguments.snapDistance)
            continue;
        const auto snapped = SnapSheetToKeys(workspace, pane, *arguments.snapDistance);
        pair.notes << QStringLiteral("%1: %2 pixels snapped to the transparent key, %3 to the translucent key")
                          .arg(given.sheet).arg(snapped[0]).arg(snapped[1]);
    }
    workspace.options().setState(OptSwitch::ChkRepTrans, arguments.replaceTransparent ? 1 : 0);
    workspace.options().setState(OptSwitch::ChkRepTransL, arguments.replaceTranslucent ? 1 : 0);
    TileOrigins origins(workspace);
    pair.played = PlayMacroLines(workspace, arguments.remap.isEmpty() ? nullptr : &origins);
    if (pair.played.outcome != PlayResult::Outcome::Played)
        return pair;
    if (arguments.dryRun)
        for (PaneIndex pane = 0; pane < 2; ++pane)
            pair.changedTiles[pane] = ChangedTiles(asRead[pane], workspace.sheet(pane));
    for (PaneIndex pane = 0; pane < 2; ++pane)
        if (!arguments.panes[pane].output.isEmpty())
            pair.outputs.push_back({workspace.sheet(pane), arguments.panes[pane].output,
                                    arguments.keysToAlpha ? std::optional<KeyPair>(KeyPair{workspace.transparentKey(pane),
                                                                                           workspace.translucentKey(pane)})
                                                          : std::nullopt});
    if (!arguments.remap.isEmpty())
        pair.texts.push_back({origins.csv(), arguments.remap});
    return pair;
}

QString PairRefusal(const PlayedPair &pair, bool strict)
{
    const PlayResult &result = pair.played;
    if (result.outcome == PlayResult::Outcome::Halted)
        return QStringLiteral("Play Macro Halted: %1 (line %2)").arg(result.description).arg(result.line + 1);
    if (result.outcome != PlayResult::Outcome::Played)
        return result.description;
    if (strict && !BeyondSheetTexts(pair).isEmpty())
        return BeyondSheetTexts(pair).join(QStringLiteral("; ")) + QStringLiteral(" (--strict)");
    return {};
}

QString OutputsProblem(const PlayedPair &pair)
{
    QStringList paths;
    for (const SheetOutput &output : pair.outputs)
        paths << output.path;
    for (const TextOutput &text : pair.texts)
        paths << text.path;
    for (const QString &path : paths)
        if (const QString problem = WriteProblem(path, SpecialFiles::Use); !problem.isEmpty())
            return problem;
    return {};
}

QStringList BeyondSheetTexts(const PlayedPair &pair)
{
    QStringList texts;
    for (PaneIndex pane = 0; pane < 2; ++pane)
        if (const qsizetype lines = pair.played.beyondSheet[pane]; lines > 0)
            texts << QStringLiteral("%1 %2 beyond the %3 sheet")
                         .arg(lines)
                         .arg(lines == 1 ? QStringLiteral("line reaches") : QStringLiteral("lines reach"))
                         .arg(QLatin1String(PaneName(pane)));
    return texts;
}

QString ChangedTilesText(const PlayedPair &pair)
{
    return QStringLiteral("%1 %2 of the left sheet and %3 of the right would change")
        .arg(pair.changedTiles[0])
        .arg(pair.changedTiles[0] == 1 ? QStringLiteral("tile") : QStringLiteral("tiles"))
        .arg(pair.changedTiles[1]);
}

} // namespace vexlo
