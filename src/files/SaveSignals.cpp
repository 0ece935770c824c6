#include "files/SaveSignals.h"

#include <atomic>
#include <csignal>

namespace kestro {
namespace {

std::atomic<int> savesRunning{0};
std::atomic<int> pendingSignal{0};
static_assert(std::atomic<int>::is_always_lock_free, "used in a signal handler");

void EndWith(int signal) {
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    ::sigaction(signal, &action, nullptr);
    ::raise(signal);
}

void OnEndSignal(int signal) {
    if (savesRunning.load() > 0) {
        pendingSignal.store(signal);
        // The save may have ended meanwhile without seeing the signal.
        if (savesRunning.load() > 0 || pendingSignal.exchange(0) == 0)
            return;
    }
    EndWith(signal);
}

} // namespace

void InstallEndSignalHandlers() {
    for (const int signal : {SIGTERM, SIGINT}) {
        struct sigaction old {};
        if (::sigaction(signal, nullptr, &old) != 0 || old.sa_handler == SIG_IGN)
            continue;
        struct sigaction action {};
        action.sa_handler = OnEndSignal;
        sigemptyset(&action.sa_mask);
        // The save's own system calls go on where the handler interrupted them.
        action.sa_flags = SA_RESTART;
        ::sigaction(signal, &action, nullptr);
    }
}

SaveInProgress::SaveInProgress() {
    ++savesRunning;
}

SaveInProgress::~SaveInProgress() {
    if (--savesRunning == 0) {
        if (const int signal = pendingSignal.exchange(0))
            EndWith(signal);
    }
}

} // namespace kestro
