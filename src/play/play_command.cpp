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
#include "play/play_arguments.h"

namespace vexlo {
namespace {

void Print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

// Loads both sheets with their key colours, as the load dialog does.
void LoadPanes(Workspace &workspace, const PlayArguments &arguments)
{
    for (PaneIndex pane = 0; pane < 2; ++pane) {
        const PlayArguments::Pane &given = arguments.panes[pane];
        // Pipes and devices are read too, so `<(...)` gives a sheet.
        const SheetFile loaded = LoadSheetFile(given.sheet, SpecialFiles::Use);
        if (!loaded.accepted())
            throw Failure(loaded.refusalNamesFile ? loaded.refusal
                                                  : QStringLiteral("%1: %2").arg(given.sheet, loaded.refusal));
        LoadSheet(workspace, pane, loaded.sheet, given.transparent, given.translucent);
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
    try {
        Workspace workspace;
        workspace.setMacroLines(ReadMacroFile(parsed->macro, SpecialFiles::Use));
        LoadPanes(workspace, *parsed);
        TileOrigins origins(workspace);
        const PlayResult played = PlayMacroLines(workspace, parsed->remap.isEmpty() ? nullptr : &origins);
        if (played.outcome != PlayResult::Outcome::Played) {
            Print(err, NotPlayedText(played) + u'\n');
            return 1;
        }
        std::vector<SheetOutput> outputs;
        for (PaneIndex pane = 0; pane < 2; ++pane)
            if (!parsed->panes[pane].output.isEmpty())
                outputs.push_back({workspace.sheet(pane), parsed->panes[pane].output});
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
