#pragma once

#include <QByteArray>
#include <QString>

#include <optional>
#include <vector>

namespace vexlo {

// One pair of sheets of a job list and where its results go; an empty
// output is not written.
struct PlayJob {
    int line = 0; // in the list, from 1: how messages name the job
    QString left;
    QString right;
    QString outLeft;
    QString outRight;
    QString remap;
};

// A job list as read: kept as its text, each job taken out when it is
// played, so that a list of many thousand jobs costs little more memory
// than its file's size.
class JobList {
public:
    std::size_t size() const { return lines_.size(); }
    PlayJob at(std::size_t index) const;

private:
    friend std::optional<JobList> ParseJobList(const QByteArray &text, QString &problem, bool pngOutputsOnly);

    struct Line {
        qsizetype start;
        qsizetype length;
        int number;
    };
    QByteArray text_;
    std::vector<Line> lines_;
};

// Reads a job list: one job a line, LEFT RIGHT OUT-LEFT OUT-RIGHT and an
// optional REMAP separated by tabs; blank lines and lines starting with #
// skipped. Nothing, and `problem` set naming the line, when a line is not
// a job, or when two jobs would write one file or a job would write what
// another reads (their order would then decide the result). With
// `pngOutputsOnly` (--keys-to-alpha), a sheet output not named .png is no job.
[[nodiscard]] std::optional<JobList> ParseJobList(const QByteArray &text, QString &problem,
                                                  bool pngOutputsOnly = false);

} // namespace vexlo
