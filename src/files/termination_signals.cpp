#include "files/termination_signals.h"

#include <atomic>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <unistd.h>

namespace spectrane {

namespace {

// One temporary file: its folder's descriptor and its short name, so that removing it takes no
// allocation and no path longer than the name.
struct PendingTemporary {
    std::atomic<int> state{0}; // 0 free, 1 being filled, 2 ready for removal
    int folderFd = -1;
    char name[64] = {};
};
static_assert(std::atomic<int>::is_always_lock_free);

constexpr int kPendingSlots = 32;
constinit PendingTemporary gPending[kPendingSlots];

// Sections under way on any thread, and a signal that arrived during one.
constinit std::atomic<int> gHeldSections{0};
constinit std::atomic<int> gDeferredSignal{0};

constexpr int kTerminationSignals[] = {SIGINT, SIGTERM, SIGHUP};

void removeAndDie(int sig) {
    removePendingTemporaryFiles();
    struct sigaction fallback {};
    fallback.sa_handler = SIG_DFL;
    sigemptyset(&fallback.sa_mask);
    sigaction(sig, &fallback, nullptr);
    // Blocked while a handler for it runs: ends the process once the handler returns.
    ::raise(sig);
}

extern "C" void onTerminationSignal(int sig) {
    if (gHeldSections.load() > 0) {
        gDeferredSignal.store(sig);
        return;
    }
    removeAndDie(sig);
}

} // namespace

int registerPendingTemporary(int folderFd, const std::string& name) {
    if (name.size() >= sizeof(PendingTemporary::name)) {
        return -1;
    }
    for (int i = 0; i < kPendingSlots; ++i) {
        int expected = 0;
        if (gPending[i].state.compare_exchange_strong(expected, 1)) {
            gPending[i].folderFd = folderFd;
            std::memcpy(gPending[i].name, name.c_str(), name.size() + 1);
            gPending[i].state.store(2, std::memory_order_release);
            return i;
        }
    }
    return -1;
}

void unregisterPendingTemporary(int slot) {
    if (slot >= 0) {
        gPending[slot].state.store(0, std::memory_order_release);
    }
}

void removePendingTemporaryFiles() noexcept {
    for (PendingTemporary& pending : gPending) {
        if (pending.state.load(std::memory_order_acquire) == 2) {
            ::unlinkat(pending.folderFd, pending.name, 0);
        }
    }
}

void removeTemporaryFilesOnTermination() {
    std::signal(SIGXFSZ, SIG_IGN);
    for (const int sig : kTerminationSignals) {
        struct sigaction previous {};
        sigaction(sig, nullptr, &previous);
        if (previous.sa_handler == SIG_IGN) {
            continue; // ignored by whoever started us (nohup, a background job): stays so
        }
        struct sigaction action {};
        action.sa_handler = onTerminationSignal;
        sigemptyset(&action.sa_mask);
        for (const int other : kTerminationSignals) {
            sigaddset(&action.sa_mask, other);
        }
        sigaction(sig, &action, nullptr);
    }
}

TerminationSignalsHeld::TerminationSignalsHeld() {
    gHeldSections.fetch_add(1);
    sigset_t set;
    sigemptyset(&set);
    for (const int sig : kTerminationSignals) {
        sigaddset(&set, sig);
    }
    pthread_sigmask(SIG_BLOCK, &set, &saved_);
}

TerminationSignalsHeld::~TerminationSignalsHeld() {
    // A signal held back on this thread arrives here and is deferred like one from elsewhere.
    pthread_sigmask(SIG_SETMASK, &saved_, nullptr);
    if (gHeldSections.fetch_sub(1) == 1) {
        const int sig = gDeferredSignal.exchange(0);
        if (sig != 0) {
            removeAndDie(sig);
        }
    }
}

} // namespace spectrane
