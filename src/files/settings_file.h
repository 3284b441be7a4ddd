// The settings record "Setting.ini": a fixed 52-byte little-endian binary record of the view
// settings and the last document's settings, read at start-up and written at exit.
#pragma once

#include "files/bitmap_file.h"
#include "files/file_result.h"
#include "model/gradation_settings.h"

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

namespace spectrane {

inline constexpr int kSettingsRecordBytes = 52;

// The record's fields, with their defaults (a first run). On disk the flags are bytes (the
// four view flags) or int32 (the rest), all 0 or 1; the codec converts.
struct Settings {
    bool showTitleWindow = true;      // menu 1041
    bool bitmapWindowOpen = true;     // menu 1042
    bool bitmapWindowTopmost = false; // menu 1043
    bool showPointPositions = true;   // menu 1044
    int lengthChangeMethod = 0;       // 0..3
    int saveWidth = kDefaultSaveWidth;
    bool useWindowWidth = false;
    GradationSettings gradation; // the last document's length, direction and modes

    friend bool operator==(const Settings&, const Settings&) = default;
};

// How LoadSettings came by its values.
enum class SettingsSource {
    Defaults,       // no file, or one that could not be read: all defaults
    ShortFile,      // fewer than 52 bytes: all defaults
    Loaded,         // every field read as stored
    LoadedFallback, // read, but fields outside their range took their defaults
};

struct SettingsLoadResult {
    Settings settings;
    SettingsSource source = SettingsSource::Defaults;
};

// The record's 52 bytes (offset 28 is reserved and written 0).
std::vector<std::uint8_t> encodeSettings(const Settings& settings);

// Decodes a record field by field: a field outside its range takes its default. Fewer than 52
// bytes give all defaults (ShortFile); bytes beyond the 52nd are ignored.
SettingsLoadResult decodeSettings(std::span<const std::uint8_t> bytes);

// Reads the record at `path`; a missing or unreadable file gives the defaults silently.
SettingsLoadResult LoadSettings(const std::filesystem::path& path);

// Writes the record atomically, creating the folder if it is missing. Fails with
// kFileOpenFailedMessage, leaving the old file untouched, when it cannot be written, when the
// existing file is read-only (see canReplace) or when `path` is empty (no place for settings).
FileResult SaveSettings(const std::filesystem::path& path, const Settings& settings);

} // namespace spectrane
