// Checked, atomic file writing: the bytes go to a temporary file in the target's folder, which
// is flushed and then renamed over the target, so the old file survives any failure.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>

namespace spectrane {

struct WriteResult {
    bool ok = true;
    std::string error; // what failed, for the log of a caller that wants one; empty when ok

    explicit operator bool() const { return ok; }
};

// Writes `bytes` as the whole content of `target`. On failure the target is untouched and no
// temporary file is left behind.
WriteResult writeFileAtomically(const std::filesystem::path& target,
                                std::span<const std::uint8_t> bytes);

} // namespace spectrane
