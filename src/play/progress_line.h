#pragma once

#include <QElapsedTimer>
#include <QString>

#include <cstdio>

namespace vexlo {

// One line on a terminal, rewritten in place as jobs finish: jobs done of
// the total, jobs a second and the time left. Silent when the stream is no
// terminal, so logs and pipes get only the messages.
class ProgressLine {
public:
    ProgressLine(std::FILE *stream, qsizetype total);

    // Shown at most ten times a second, and always for the last job.
    void show(qsizetype done);
    // Takes the line away, for a message to stand in its place.
    void clear();

private:
    std::FILE *stream_;
    qsizetype total_;
    bool enabled_;
    bool shown_ = false;
    QElapsedTimer started_;
    qint64 lastShownMs_ = -1000;
};

} // namespace vexlo
