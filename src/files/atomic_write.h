// The one safe writer every output file goes through, with the promises of a save-file class:
// the bytes go to a temporary file in the target's folder, which is flushed and then renamed
// over the target, so the old file survives any failure as it was.
#pragma once

#include "files/file_result.h"

#include <cstdint>
#include <filesystem>
#include <span>

namespace spectrane {

// A file being written: open(), any number of write()s, then commit(). Until commit() the
// target is untouched; a file destroyed without a commit is discarded.
class AtomicFile {
public:
    explicit AtomicFile(std::filesystem::path target);
    ~AtomicFile();
    AtomicFile(const AtomicFile&) = delete;
    AtomicFile& operator=(const AtomicFile&) = delete;

    // Creates the temporary file; a failure is kept and also returned by commit().
    FileResult open();
    // Appends bytes; after the first failure further writes do nothing. False once failed.
    bool write(std::span<const std::uint8_t> bytes);
    // Flushes and puts the file in place of the target. On failure the target is untouched and
    // the temporary file removed; the result carries kFileOpenFailedMessage with the reason.
    FileResult commit();
    // Removes the temporary file; the target is untouched.
    void cancel();
    // The first failure so far, or ok.
    const FileResult& status() const { return status_; }

private:
    void fail(const std::string& what, int err);

    std::filesystem::path target_;
    std::filesystem::path temporary_;
    int fd_ = -1;
    FileResult status_;
};

// Writes `bytes` as the whole content of `target` through an AtomicFile.
FileResult writeFileAtomically(const std::filesystem::path& target,
                               std::span<const std::uint8_t> bytes);

} // namespace spectrane
