// Where the program keeps its files: the settings record and the default folders of the file
// dialogs, beside the executable when that folder is writable, else in the user's config folder.
#pragma once

#include <filesystem>
#include <string>

namespace spectrane {

inline constexpr const char* kSettingsFileName = "Setting.ini";
inline constexpr const char* kLineDataFolderName = "RGBLineDataFiles";
inline constexpr const char* kBitmapFolderName = "Bitmaps";

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
