#pragma once

#include "play/job_list.h"
#include "play/play_arguments.h"

#include <QStringList>

#include <cstdio>
#include <vector>

namespace vexlo {

// Plays every job as a single run with these arguments would play its pair,
// on `arguments.threads` threads (0: one for each core), and writes the
// outputs of many jobs with one sync. Each failure goes to `err` as
// "vexlo-play: job N (LEFT): REASON", in the jobs' order, and the others go
// on; a dry run's counts go to `out`. Ends with "N jobs: W written, F
// failed". Returns 0 when every job was written, else 1; 128 plus the
// signal's number when SIGINT or SIGTERM stopped it before every job started
// (see StopSignals).
int RunJobs(const PlayArguments &arguments, const QStringList &macroLines, const JobList &jobs,
            std::FILE *out, std::FILE *err);

} // namespace vexlo
