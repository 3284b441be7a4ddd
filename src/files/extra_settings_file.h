// The settings the program keeps beyond the 52-byte record, whose layout stays as it is: a small
// text file "Spectrane.ini" beside "Setting.ini", one "key=value" line each.
#pragma once

#include "files/file_result.h"
#include "files/program_folders.h"

#include <filesystem>
#include <string>

namespace spectrane {

inline constexpr const char* kExtraSettingsFileName = "Spectrane.ini";

// Beside "Setting.ini", under the same folder rules.
inline std::filesystem::path extraSettingsPath(const ProgramPaths& paths) {
    return paths.programFolder / kExtraSettingsFileName;
}

struct ExtraSettings {
    bool analysisWindowOpen = false; // the analysis window, open at exit: "analysis_window=1"
    bool pointTableOpen = false;     // the point table, open at exit: "point_table=1"

    friend bool operator==(const ExtraSettings&, const ExtraSettings&) = default;
};

// Reads the file; a missing or unreadable one gives the defaults, unknown keys and bad values
// are passed over.
ExtraSettings LoadExtraSettings(const std::filesystem::path& path);
// Writes it through the safe writer; the failure is returned.
FileResult SaveExtraSettings(const std::filesystem::path& path, const ExtraSettings& settings);

} // namespace spectrane
