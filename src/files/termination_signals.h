// The temporary files a signal that ends the process must not leave behind, and the handlers of
// SIGINT, SIGTERM and SIGHUP that remove them, shared by the program and the command-line tool.
#pragma once

#include <csignal>
#include <string>

namespace spectrane {

// Records a temporary file (its folder's descriptor and its short name) for removal on a
// terminating signal; the slot to release, or -1 when it cannot be tracked (a name of 64 bytes
// or more, or more than 32 files at once).
int registerPendingTemporary(int folderFd, const std::string& name);
void unregisterPendingTemporary(int slot);

// Removes every recorded temporary file. Async-signal-safe.
void removePendingTemporaryFiles() noexcept;

// Installs handlers of SIGINT, SIGTERM and SIGHUP that remove the recorded temporary files and
// then end the process by the signal as usual; a signal ignored by whoever started us stays
// ignored. Also ignores SIGXFSZ, so that a file-size limit is a write error that is reported.
void removeTemporaryFilesOnTermination();

// While one of these lives, a terminating signal waits: held back on this thread, and deferred
// by the handler on any other, until the last one ends. Making a temporary file or overwriting
// a file in place is never cut in half by the signal.
class TerminationSignalsHeld {
public:
    TerminationSignalsHeld();
    ~TerminationSignalsHeld();
    TerminationSignalsHeld(const TerminationSignalsHeld&) = delete;
    TerminationSignalsHeld& operator=(const TerminationSignalsHeld&) = delete;

private:
    sigset_t saved_;
};

} // namespace spectrane
