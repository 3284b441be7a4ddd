// The copy of a file's old bytes kept while the file is overwritten in place (no temporary file
// could be made beside it), so that a crash in the middle cannot lose them: it lies in the
// user's cache folder until the write is whole, and one a crash left is offered back at the next
// start. A copy holds the file's absolute name and its bytes, readable by its owner only.
#pragma once

#include "files/file_result.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace spectrane {

struct InPlaceBackup {
    std::filesystem::path file;   // the copy
    std::filesystem::path target; // the file whose old bytes it holds
};

// $XDG_CACHE_HOME/spectrane when that variable is absolute, else ~/.cache/spectrane; empty when
// there is no home folder either.
std::filesystem::path inPlaceBackupFolder();

// Writes and flushes a copy of `old`, the content of `target`, into inPlaceBackupFolder()
// (created owner-only if missing). On failure `err` is the errno and nothing is left.
InPlaceBackup keepInPlaceBackup(const std::filesystem::path& target,
                                const std::vector<std::uint8_t>& old, int& err);

// Removes the copy.
void discardInPlaceBackup(const InPlaceBackup& backup);

// The whole copies in `folder` left by processes no longer running; copies cut short (their
// file was never touched) are removed.
std::vector<InPlaceBackup> findInPlaceBackups(const std::filesystem::path& folder);

// Writes the copy's bytes back as the whole content of its file and, once that succeeded,
// removes the copy.
FileResult restoreInPlaceBackup(const InPlaceBackup& backup);

} // namespace spectrane
