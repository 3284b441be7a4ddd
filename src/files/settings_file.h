// The settings record "Setting.ini": a fixed 52-byte little-endian binary record of the view
// settings and the last document's settings, and the folders the program keeps its files in.
#pragma once

#include "files/file_result.h"
#include "model/gradation_document.h"

#include <array>
#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

namespace spectrane {

inline constexpr int kSettingsRecordBytes = 52;
inline constexpr const char* kSettingsFileName = "Setting.ini";
inline constexpr const char* kLineDataFolderName = "RGBLineDataFiles";
inline constexpr const char* kBitmapFolderName = "Bitmaps";

// The record's fields in file order, with their defaults (a first run).
struct Settings {
    std::uint8_t showTitleWindow = 1;     // menu 1041
    std::uint8_t bitmapWindowOpen = 1;    // menu 1042
    std::uint8_t bitmapWindowTopmost = 0; // menu 1043
    std::uint8_t showPointPositions = 1;  // menu 1044
    std::int32_t direction = 1;           // 0..3
    std::int32_t length = 512;            // 2..1600
    std::int32_t lengthChangeMethod = 0;  // 0..3
    std::int32_t saveWidth = 32;          // 1..1200
    std::int32_t useWindowWidth = 0;      // 0/1
    std::int32_t loop = 0;                // 0/1
    // offset 28: reserved, written 0 and ignored on reading
    std::int32_t cmy = 0;                                      // 0/1
    std::int32_t synchro = 0;                                  // 0/1
    std::array<std::int32_t, kChannelCount> synchroChannels{}; // 0/1 each

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

// The record's 52 bytes.
std::vector<std::uint8_t> encodeSettings(const Settings& settings);

// Decodes a record field by field: a field outside its range takes its default. Fewer than 52
// bytes give all defaults (ShortFile); bytes beyond the 52nd are ignored.
SettingsLoadResult decodeSettings(std::span<const std::uint8_t> bytes);

// Reads the record at `path`; a missing or unreadable file gives the defaults silently.
SettingsLoadResult LoadSettings(const std::filesystem::path& path);

// Writes the record atomically, creating the folder if it is missing. On failure the old file
// is untouched and the result carries kFileOpenFailedMessage.
FileResult SaveSettings(const std::filesystem::path& path, const Settings& settings);

// Copies the document fields kept in the record (length, direction, loop, cmy, synchro and the
// synchro channels) between the record and a document.
void applySettingsToDocument(const Settings& settings, GradationDocument& doc);
void storeDocumentInSettings(const GradationDocument& doc, Settings& settings);

// Where the program keeps its files.
struct ProgramPaths {
    std::filesystem::path programFolder;  // the folder the other three lie in
    std::filesystem::path settingsPath;   // programFolder / "Setting.ini"
    std::filesystem::path lineDataFolder; // programFolder / "RGBLineDataFiles"
    std::filesystem::path bitmapFolder;   // programFolder / "Bitmaps"
};

// The folder of the running executable (from /proc/self/exe), or empty if it cannot be told.
std::filesystem::path executableFolder();

// The program's folders: beside the executable when `exeFolder` is an existing writable folder,
// otherwise `configHome`/spectrane, where configHome is $XDG_CONFIG_HOME if set and absolute,
// else $HOME/.config. `xdgConfigHome` and `home` are those variables' values (empty if unset).
ProgramPaths BuildProgramPaths(const std::filesystem::path& exeFolder,
                               const std::string& xdgConfigHome, const std::string& home);

// The same from the real environment.
ProgramPaths BuildProgramPaths(const std::filesystem::path& exeFolder);

// Creates the program folder and the two default file folders where missing. Returns false if
// any of them cannot be created.
bool ensureProgramFolders(const ProgramPaths& paths);

} // namespace spectrane
