#pragma once

#include <csignal>
#include <iterator>

namespace vexlo {

// While one exists, SIGINT and SIGTERM only note that the run is to stop:
// no job starts after it, and the jobs already played are written as
// usual, so nothing is left half done beside the outputs. A second one
// ends the program at once, as it would have without this. A signal the
// program was started to ignore (in the background, under nohup) stays
// ignored.
class StopSignals {
public:
    StopSignals();
    ~StopSignals(); // the handling as it was before
    StopSignals(const StopSignals &) = delete;
    StopSignals &operator=(const StopSignals &) = delete;

    // The signal received, or 0.
    int received() const;

private:
    static constexpr int kSignals[] = {SIGINT, SIGTERM};
    struct sigaction before_[std::size(kSignals)] {};
};

} // namespace vexlo
