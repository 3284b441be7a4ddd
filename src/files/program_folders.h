// Where the program keeps its files: the settings record and the default folders of the file
// dialogs, beside the executable when that folder is writable, else in the user's config folder.
#pragma once

#include <filesystem>
#include <string>

namespace spectrane {

inline constexpr const char* kSettingsFileName = "Setting.ini";
inline constexpr const char* kLineDataFolderName = "RGBLineDataFiles";
inline constexpr const char* kBitmapFolderName = "Bitmaps";

// All four empty when there is no place for the program's files at all (no writable program
// folder, no config or home folder): the settings are then kept in memory only, LoadSettings
// gives the defaults and SaveSettings reports the failure at exit.
struct ProgramPaths {
    std::filesystem::path programFolder;  // the folder the other three lie in
    std::filesystem::path settingsPath;   // programFolder / "Setting.ini"
    std::filesystem::path lineDataFolder; // programFolder / "RGBLineDataFiles"
    std::filesystem::path bitmapFolder;   // programFolder / "Bitmaps"

    bool hasFolder() const { return !programFolder.empty(); }
};

// The folder of the running executable (from /proc/self/exe), or empty if it cannot be told.
std::filesystem::path executableFolder();

// The user's home folder: `homeVariable` ($HOME) when it is an absolute path, else the home
// folder of the real user in the password database; empty when neither gives one.
std::filesystem::path homeFolder(const std::string& homeVariable);

// The program's folders: beside the executable when `exeFolder` is an existing writable folder
// outside the system's program folders (/usr, /bin, /sbin), otherwise `configHome`/spectrane, where
// configHome is $XDG_CONFIG_HOME if set and absolute, else `home`/.config. `xdgConfigHome` is that
// variable's value (empty if unset) and `home` the home folder; if neither is an absolute path
// there is no folder (hasFolder() is false).
ProgramPaths BuildProgramPaths(const std::filesystem::path& exeFolder,
                               const std::string& xdgConfigHome, const std::string& home);

// The same from the real environment, the home folder from homeFolder($HOME).
ProgramPaths BuildProgramPaths(const std::filesystem::path& exeFolder);

// Creates the program folder and the two default file folders where missing. Returns false if
// any of them cannot be created, or there is no program folder.
bool ensureProgramFolders(const ProgramPaths& paths);

} // namespace spectrane
