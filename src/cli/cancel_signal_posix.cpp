#include "cli/cancel_signal.h"

#include <atomic>
#include <csignal>
#include <cstddef>
#include <iterator>

#include <signal.h>

namespace Orvane::Cli {
namespace {

// Written by the signal handler, so it must be lock-free.
std::atomic<bool> requested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

// A terminal closing (SIGHUP) and a polite kill (SIGTERM) stop a run as Ctrl-C does: at the
// next checkpoint, with the temporary file removed.
constexpr int kCancelSignals[] = {SIGINT, SIGTERM, SIGHUP};
constexpr std::size_t kSignalCount = std::size(kCancelSignals);

struct sigaction previous[kSignalCount];

extern "C" void OnInterrupt(int signal) {
    if (requested.exchange(true)) {
        std::signal(signal, SIG_DFL);
        std::raise(signal);
    }
}

}  // namespace

CancelSignal::CancelSignal() {
    requested = false;
    struct sigaction action {};
    action.sa_handler = OnInterrupt;
    sigemptyset(&action.sa_mask);
    // Restarted calls keep a progress line that is being written when Ctrl-C comes whole.
    action.sa_flags = SA_RESTART;
    for (std::size_t i = 0; i < kSignalCount; ++i) {
        sigaction(kCancelSignals[i], &action, &previous[i]);
    }
}

CancelSignal::~CancelSignal() {
    for (std::size_t i = 0; i < kSignalCount; ++i) {
        sigaction(kCancelSignals[i], &previous[i], nullptr);
    }
}

bool CancelSignal::TakeRequest() { return requested.exchange(false); }

}  // namespace Orvane::Cli
