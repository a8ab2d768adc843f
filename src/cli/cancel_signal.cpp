#include "cli/cancel_signal.h"

#include <atomic>
#include <csignal>

#include <signal.h>

namespace Orvane::Cli {
namespace {

// Written by the signal handler, so it must be lock-free.
std::atomic<bool> requested{false};
static_assert(std::atomic<bool>::is_always_lock_free);

struct sigaction previous;

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
    sigaction(SIGINT, &action, &previous);
}

CancelSignal::~CancelSignal() { sigaction(SIGINT, &previous, nullptr); }

bool CancelSignal::TakeRequest() { return requested.exchange(false); }

}  // namespace Orvane::Cli
