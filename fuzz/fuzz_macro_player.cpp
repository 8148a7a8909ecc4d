// The macro player on any list of lines, on a small workspace: it plays,
// skips or halts, and never crashes.
#include "common/failure.h"
#include "fuzz_support.h"
#include "io/macro_file.h"
#include "macro/macro_player.h"
#include "model/workspace.h"

using namespace vexlo;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    QStringList lines;
    try {
        lines = ParseMacroText(fuzz::Bytes(data, size));
    } catch (const Failure &) {
        return 0;
    }
    Workspace workspace;
    workspace.setSheet(0, Workspace::blankSheet(64));
    workspace.setSheet(1, Workspace::blankSheet(96));
    workspace.setKeyColours(0, Colour(255, 0, 255), Colour(64, 64, 64));
    workspace.setKeyColours(1, kBlack, Colour(0, 255, 255));
    workspace.options().setState(OptSwitch::ChkRepTransL, 1);
    workspace.setMacroLines(lines);

    const PlayResult result = PlayMacroLines(workspace);
    if (result.outcome == PlayResult::Outcome::Halted)
        fuzz::Require(result.line >= 0 && result.line < lines.size(), "a halt names a line of the macro");
    fuzz::Require(workspace.sheet(0).size() == QSize(256, 64) && workspace.sheet(1).size() == QSize(256, 96),
                  "playing never changes a sheet's size");
    fuzz::Require(workspace.macro().lines() == lines, "playing leaves the macro alone");
    return 0;
}
