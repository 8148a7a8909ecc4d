#include "play/stop_signals.h"

#include <atomic>

namespace vexlo {
namespace {

std::atomic<int> gReceived{0};

extern "C" void NoteStopSignal(int signal)
{
    gReceived = signal;
}

} // namespace

StopSignals::StopSignals()
{
    gReceived = 0;
    struct sigaction action {};
    action.sa_handler = NoteStopSignal;
    action.sa_flags = SA_RESETHAND | SA_RESTART; // the second signal as usual; reads go on
    sigemptyset(&action.sa_mask);
    for (std::size_t i = 0; i < std::size(kSignals); ++i) {
        sigaction(kSignals[i], nullptr, &before_[i]);
        if (before_[i].sa_handler != SIG_IGN)
            sigaction(kSignals[i], &action, nullptr);
    }
}

StopSignals::~StopSignals()
{
    for (std::size_t i = 0; i < std::size(kSignals); ++i)
        sigaction(kSignals[i], &before_[i], nullptr);
}

int StopSignals::received() const
{
    return gReceived;
}

} // namespace vexlo
