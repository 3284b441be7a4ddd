// The one safe writer every output file goes through, with the promises of a save-file class:
// the bytes go to a temporary file beside the target, which is flushed and then renamed over
// it, so the old file survives any failure as it was.
//
// Links are followed (the file they name is replaced; the link stays). The temporary file is
// readable by its owner only until its last byte is written; then a new file gets 0666 less the
// umask (or what the folder's default ACL gives), a replaced file keeps its mode without the set-id
// and sticky bits and, for root, its owner and group; a hard link to it is split off, as a rename
// does. A read-only existing file is refused. When no temporary file can be made beside an existing
// file (a folder one may not write), the file is written in place once all new bytes are known: its
// old bytes are first kept in the user's cache folder (see in_place_backup.h), put back if the
// write fails, and the copy removed once the file is whole again, new or old. A FIFO or device is
// written directly, never replaced. Temporary files are named ".NAME.spectrane-XXXXXX" with NAME
// cut short.
#pragma once

#include "files/file_result.h"
#include "files/termination_signals.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <sys/types.h>
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
    std::filesystem::path temporaryFolder_;
    int pendingSlot_ = -1; // its entry among the temporary files to remove on a signal
    mode_t finalMode_ = 0; // the permissions the file gets before it is renamed (Replace)
    std::filesystem::path inPlacePath_;      // the file overwritten (InPlace)
    std::vector<std::uint8_t> inPlaceBytes_; // the new content, held until commit (InPlace)
    FileResult status_;
};

// Writes `bytes` as the whole content of `target` through an AtomicFile.
FileResult writeFileAtomically(const std::filesystem::path& target,
                               std::span<const std::uint8_t> bytes);

// True when AtomicFile may replace `path`: it is missing, or it has a write permission bit and
// this process may write it (root included: a file without write bits counts as read-only).
bool canReplace(const std::filesystem::path& path);

// Points of a save where a test looks on (a second process may observe the file) or makes the
// step fail. `file` is the temporary file, or the file written in place.
enum class SaveStep {
    TemporaryCreated, // the empty temporary file exists
    TemporaryWritten, // all its bytes written and its final mode set; the rename comes next
    InPlaceWritten,   // the new bytes are over the old ones, not yet cut to size nor flushed
    RollingBack,      // an in-place write failed; the old bytes are about to be put back
};
// Returns 0 to go on, or an errno that the step then fails with.
using SaveStepHook = int (*)(SaveStep step, const std::filesystem::path& file);
// For tests only: null (the default) costs one test per step.
void setSaveStepHook(SaveStepHook hook);

} // namespace spectrane
