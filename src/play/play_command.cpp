#include "play/play_command.h"

#include "common/failure.h"
#include "common/sheet_limits.h"
#include "common/version.h"
#include "io/job_list_file.h"
#include "io/macro_file.h"
#include "io/sheet_writer.h"
#include "tiles/key_check.h"
#include "play/job_runner.h"
#include "play/play_arguments.h"
#include "play/play_job.h"

namespace vexlo {
namespace {

void Print(std::FILE *stream, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), stream);
}

const char *const kRoleNames[] = {"transparent", "translucent"};

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
                Print(out, QStringLiteral("%1: tile %2,%3 pixel %4,%5 colour %6 near the %7 key\n")
                               .arg(path).arg(pixel.x / kTileSize).arg(pixel.y / kTileSize).arg(pixel.x)
                               .arg(pixel.y).arg(HexTriplet(pixel.colour))
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

// All outputs or none, with one sync of their contents as a job list's.
void WriteOnePair(const PlayedPair &pair)
{
    std::vector<PreparedWrite> writes;
    writes.push_back(PrepareSheetFiles(pair.outputs, SpecialFiles::Use, pair.texts));
    if (const QString failure = CommitWrites(writes).front(); !failure.isEmpty())
        throw Failure(failure);
}

// The job list read and checked whole before any job plays: 2 when it
// cannot be, else what the run of its jobs returns.
int PlayJobList(const PlayArguments &arguments, const QStringList &macroLines, std::FILE *out, std::FILE *err)
{
    QByteArray text;
    try {
        text = ReadJobListFile(*arguments.jobs);
    } catch (const Failure &failure) { // names the list itself
        Print(err, QStringLiteral("vexlo-play: %1\n").arg(failure.description()));
        return 2;
    }
    QString problem;
    const std::optional<JobList> jobs = ParseJobList(text, problem, arguments.keysToAlpha);
    if (!jobs) {
        const QString shown = *arguments.jobs == u"-" ? QStringLiteral("on standard input") : *arguments.jobs;
        Print(err, QStringLiteral("vexlo-play: job list %1: %2\n").arg(shown, problem));
        return 2;
    }
    return RunJobs(arguments, macroLines, *jobs, out, err);
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
        const QStringList macroLines = ReadMacroFile(parsed->macro, SpecialFiles::Use);
        if (parsed->jobs)
            return PlayJobList(*parsed, macroLines, out, err);
        const PlayedPair pair = PlayPair(*parsed, macroLines);
        for (const QString &note : pair.notes)
            Print(err, QStringLiteral("vexlo-play: %1\n").arg(note));
        if (const QString refusal = PairRefusal(pair, parsed->strict); !refusal.isEmpty()) {
            // A halt reads as the window shows it; a refusal by --strict names
            // the lines beyond the sheets itself.
            const bool halted = pair.played.outcome == PlayResult::Outcome::Halted;
            Print(err, (halted ? QString() : QStringLiteral("vexlo-play: ")) + refusal + u'\n');
            return 1;
        }
        for (const QString &note : BeyondSheetTexts(pair))
            Print(err, QStringLiteral("vexlo-play: %1\n").arg(note));
        if (parsed->dryRun) {
            if (const QString problem = OutputsProblem(pair); !problem.isEmpty())
                throw Failure(problem);
            Print(out, ChangedTilesText(pair) + u'\n');
        }
        else if (!pair.outputs.empty() || !pair.texts.empty())
            WriteOnePair(pair);
    } catch (const Failure &failure) {
        Print(err, QStringLiteral("vexlo-play: %1\n").arg(failure.description()));
        return 1;
    }
    return 0;
}

} // namespace vexlo
