#include "play/job_runner.h"

#include "common/failure.h"
#include "io/atomic_write.h"
#include "play/play_job.h"
#include "play/progress_line.h"
#include "play/stop_signals.h"

#include <QThread>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <map>
#include <mutex>
#include <new>
#include <optional>
#include <thread>

namespace vexlo {
namespace {

// Jobs whose files share one sync: large enough that the sync costs little
// a job, small enough to keep the files open within any descriptor limit.
constexpr std::size_t kGroupSize = 64;
constexpr std::chrono::milliseconds kGroupWait(500);

// A job played, and prepared for writing when it is to be written.
struct Finished {
    std::size_t index = 0;
    QString failure;
    QStringList notes;  // for standard error
    QString dryRun;     // for standard output
    std::optional<PreparedWrite> write;
};

// Where the players hand their jobs to the one thread that writes and
// reports them. Players wait while many writes are pending, so memory and
// open files stay bounded by the threads, not by the jobs.
class Handover {
public:
    explicit Handover(std::size_t players) : players_(players) {}

    void put(Finished finished)
    {
        std::unique_lock lock(mutex_);
        room_.wait(lock, [this] { return pendingWrites_ < 2 * kGroupSize; });
        if (finished.write)
            ++pendingWrites_;
        ready_.push_back(std::move(finished));
        arrived_.notify_one();
    }

    void playerDone()
    {
        std::lock_guard lock(mutex_);
        --players_;
        arrived_.notify_one();
    }

    // What has arrived, waiting up to `wait` for something; `allDone` says
    // whether nothing more will come.
    std::deque<Finished> take(std::chrono::milliseconds wait, bool &allDone)
    {
        std::unique_lock lock(mutex_);
        arrived_.wait_for(lock, wait, [this] { return !ready_.empty() || players_ == 0; });
        allDone = players_ == 0;
        return std::exchange(ready_, {});
    }

    void written(std::size_t writes)
    {
        std::lock_guard lock(mutex_);
        pendingWrites_ -= writes;
        room_.notify_all();
    }

private:
    std::mutex mutex_;
    std::condition_variable arrived_;
    std::condition_variable room_;
    std::deque<Finished> ready_;
    std::size_t players_;
    std::size_t pendingWrites_ = 0;
};

Finished PlayOne(const PlayArguments &base, const QStringList &macroLines, const PlayJob &job, std::size_t index,
                 ClearedFolders &clearedFolders)
{
    Finished finished;
    finished.index = index;
    PlayArguments arguments = base;
    arguments.panes[0].sheet = job.left;
    arguments.panes[1].sheet = job.right;
    arguments.panes[0].output = job.outLeft;
    arguments.panes[1].output = job.outRight;
    arguments.remap = job.remap;
    try {
        const PlayedPair pair = PlayPair(arguments, macroLines);
        finished.notes = pair.notes;
        finished.failure = PairRefusal(pair, base.strict);
        if (!finished.failure.isEmpty())
            return finished;
        finished.notes << BeyondSheetTexts(pair);
        if (base.dryRun) {
            finished.failure = OutputsProblem(pair);
            if (finished.failure.isEmpty())
                finished.dryRun = ChangedTilesText(pair);
        }
        else if (!pair.outputs.empty() || !pair.texts.empty())
            finished.write = PrepareSheetFiles(pair.outputs, SpecialFiles::Use, pair.texts, &clearedFolders);
    } catch (const Failure &failure) {
        finished.failure = failure.description();
    } catch (const std::bad_alloc &) {
        finished.failure = QStringLiteral("not enough memory");
    }
    return finished;
}

// Prints each job's messages in the jobs' order, whichever thread finished
// it first, so a run says the same whatever the threads.
class Reporter {
public:
    Reporter(const JobList &jobs, std::FILE *out, std::FILE *err)
        : jobs_(jobs), out_(out), err_(err), progress_(err, qsizetype(jobs.size()))
    {
    }

    void done(Finished finished)
    {
        waiting_.emplace(finished.index, std::move(finished));
        for (auto next = waiting_.find(printed_); next != waiting_.end(); next = waiting_.find(printed_)) {
            print(next->second);
            waiting_.erase(next);
            ++printed_;
        }
        progress_.show(qsizetype(printed_));
    }

    qsizetype failed() const { return failed_; }
    qsizetype done() const { return qsizetype(printed_); }
    void finish() { progress_.clear(); }

    // Said once, so whoever pressed Ctrl+C knows it was heard and what the
    // run still does.
    void stopping()
    {
        progress_.clear();
        Print(err_, QStringLiteral("vexlo-play: stopping: the jobs at work are finished and written, no other "
                                   "starts (a second Ctrl+C stops at once)\n"));
    }

private:
    void print(const Finished &finished)
    {
        const PlayJob job = jobs_.at(finished.index);
        if (!finished.notes.isEmpty() || !finished.failure.isEmpty() || !finished.dryRun.isEmpty())
            progress_.clear(); // the message takes its place; the line comes back below
        for (const QString &note : finished.notes)
            Print(err_, QStringLiteral("vexlo-play: job %1: %2\n").arg(job.line).arg(note));
        if (!finished.failure.isEmpty()) {
            ++failed_;
            Print(err_, QStringLiteral("vexlo-play: job %1 (%2): %3\n").arg(job.line).arg(job.left, finished.failure));
        } else if (!finished.dryRun.isEmpty()) {
            Print(out_, QStringLiteral("job %1 (%2): %3\n").arg(job.line).arg(job.left, finished.dryRun));
        }
    }

    static void Print(std::FILE *stream, const QString &text)
    {
        std::fputs(text.toLocal8Bit().constData(), stream);
    }

    const JobList &jobs_;
    std::FILE *out_;
    std::FILE *err_;
    ProgressLine progress_;
    std::map<std::size_t, Finished> waiting_;
    std::size_t printed_ = 0;
    qsizetype failed_ = 0;
};

// Writes a group with one sync and hands every job of it to the reporter.
void Commit(std::vector<Finished> &group, Handover &handover, Reporter &reporter)
{
    std::vector<PreparedWrite> writes;
    for (Finished &finished : group)
        writes.push_back(std::move(*finished.write));
    const std::vector<QString> failures = CommitWrites(writes);
    writes.clear();
    handover.written(group.size());
    for (std::size_t i = 0; i < group.size(); ++i) {
        group[i].failure = failures[i];
        group[i].write.reset();
        reporter.done(std::move(group[i]));
    }
    group.clear();
}

} // namespace

int RunJobs(const PlayArguments &arguments, const QStringList &macroLines, const JobList &jobs,
            std::FILE *out, std::FILE *err)
{
    const std::size_t cores = std::size_t(std::max(1, QThread::idealThreadCount()));
    const std::size_t threads =
        std::max<std::size_t>(1, std::min(jobs.size(), arguments.threads > 0 ? std::size_t(arguments.threads) : cores));
    const StopSignals stopSignals;
    Handover handover(threads);
    ClearedFolders clearedFolders;
    std::atomic<std::size_t> next{0};
    std::vector<std::thread> players;
    for (std::size_t t = 0; t < threads; ++t)
        players.emplace_back([&] {
            for (std::size_t index = next++; index < jobs.size() && stopSignals.received() == 0; index = next++)
                handover.put(PlayOne(arguments, macroLines, jobs.at(index), index, clearedFolders));
            handover.playerDone();
        });
    Reporter reporter(jobs, out, err);
    std::vector<Finished> group;
    auto groupStarted = std::chrono::steady_clock::now();
    bool allDone = false;
    bool stopping = false;
    while (!allDone) {
        if (!stopping && stopSignals.received() != 0) {
            stopping = true;
            reporter.stopping();
        }
        // A short wait keeps the progress line moving while jobs are slow.
        for (Finished &finished : handover.take(std::chrono::milliseconds(50), allDone)) {
            if (!finished.write) {
                reporter.done(std::move(finished));
                continue;
            }
            if (group.empty())
                groupStarted = std::chrono::steady_clock::now();
            group.push_back(std::move(finished));
        }
        // A group waits for more jobs only so long: slow jobs are still
        // reported written within a second or so.
        const bool old = std::chrono::steady_clock::now() - groupStarted > kGroupWait;
        if (!group.empty() && (group.size() >= kGroupSize || allDone || old))
            Commit(group, handover, reporter);
    }
    for (std::thread &player : players)
        player.join();
    reporter.finish();
    const qsizetype failed = reporter.failed();
    const qsizetype good = reporter.done() - failed;
    const qsizetype notPlayed = qsizetype(jobs.size()) - reporter.done();
    std::fputs(QStringLiteral("%1 jobs: %2 %3, %4 failed%5%6\n")
                   .arg(jobs.size())
                   .arg(good)
                   .arg(arguments.dryRun ? QStringLiteral("played") : QStringLiteral("written"))
                   .arg(failed)
                   .arg(notPlayed > 0 ? QStringLiteral(", %1 not played (stopped)").arg(notPlayed) : QString())
                   .arg(arguments.dryRun ? QStringLiteral(" (dry run: nothing written)") : QString())
                   .toLocal8Bit()
                   .constData(),
               err);
    if (const int signal = stopSignals.received(); signal != 0 && notPlayed > 0)
        return 128 + signal; // as the shell reports a program the signal ended
    return failed == 0 ? 0 : 1;
}

} // namespace vexlo
