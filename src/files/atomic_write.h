// The one safe writer every output file goes through, with the promises of a save-file class:
// the bytes go to a temporary file beside the target, which is flushed and then renamed over
// it, so the old file survives any failure as it was.
//
// Links are followed (the file they name is replaced; the link stays). A new file gets 0666
// less the umask; a replaced file keeps its mode without the set-id and sticky bits and, for
// root, its owner and group; a hard link to it is split off, as a rename does. A read-only
// existing file is refused. When no temporary file can be made beside an existing file (a
// folder one may not write), the file is written in place once all new bytes are known, and
// its old bytes are put back if that fails. A FIFO or device is written directly, never
// replaced. Temporary files are named ".NAME.spectrane-XXXXXX" with NAME cut short.
#pragma once

#include "files/file_result.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

struct stat;

namespace spectrane {

// The marker in every temporary file's name, so that one left by a killed process can be told.
inline constexpr const char* kTemporaryMarker = ".spectrane-";

// An already open descriptor to write into as it comes (standard output, say); `name` is what
// messages call it. The descriptor is not closed.
struct OpenDescriptor {
    int fd = -1;
    std::string name;
};

// A file being written: open(), any number of write()s, then commit(). Until commit() the
// target is untouched; a file destroyed without a commit is discarded. A FIFO, a device or an
// OpenDescriptor receives each write() at once, so there nothing can be taken back.
class AtomicFile {
public:
    explicit AtomicFile(std::filesystem::path target);
    explicit AtomicFile(OpenDescriptor output);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Prepares the writing; a failure is kept and also returned by commit().
    FileResult open();
    // Appends bytes; after the first failure further writes do nothing. False once failed.
    bool write(std::span<const std::uint8_t> bytes);
    // Flushes and puts the file in place of the target. On failure the target keeps its old
    // bytes (or, if even putting them back failed, the result says so) and no temporary file
    // is left; the result carries kFileOpenFailedMessage with the reason.
    FileResult commit();
    // Discards what was written so far; the target is untouched.
    void cancel();
    // The first failure so far, or ok.
    const FileResult& status() const { return status_; }

private:
    enum class Mode { Closed, Replace, InPlace, Direct, Descriptor };

    void fail(const std::string& what, int err);
    // Creates the temporary file beside `finalPath`, taking the mode of `old` if given; 0 or
    // the errno of the failure.
    int openTemporary(const std::filesystem::path& finalPath, const struct stat* old);
    void commitInPlace();
    void releaseTemporary(bool remove);

    std::filesystem::path target_;
    std::string name_; // the target as messages show it
    Mode mode_ = Mode::Closed;
    int fd_ = -1;
    int folderFd_ = -1;
    std::string temporaryName_; // within folderFd_
    std::string finalName_;     // within folderFd_
    int pendingSlot_ = -1;      // its entry among the temporary files to remove on a signal
    std::vector<std::uint8_t> inPlaceBytes_; // the new content, held until commit (InPlace)
    FileResult status_;
};

// Writes `bytes` as the whole content of `target` through an AtomicFile.
FileResult writeFileAtomically(const std::filesystem::path& target,
                               std::span<const std::uint8_t> bytes);

// True when AtomicFile may replace `path`: it is missing, or it has a write permission bit and
// this process may write it (root included: a file without write bits counts as read-only).
bool canReplace(const std::filesystem::path& path);

// Removes the temporary files of every AtomicFile of this process that is not yet committed.
// Async-signal-safe, for handlers of signals that end the process; up to 32 files at once
// are tracked.
void removePendingTemporaryFiles() noexcept;

} // namespace spectrane
