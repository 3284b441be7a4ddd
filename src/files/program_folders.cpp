#include "files/program_folders.h"

#include <cstdlib>
#include <system_error>
#include <unistd.h>

namespace spectrane {

namespace {

bool writableFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    return !folder.empty() && std::filesystem::is_directory(folder, ec) &&
           ::access(folder.c_str(), W_OK | X_OK) == 0;
}

} // namespace

std::filesystem::path executableFolder() {
    std::error_code ec;
    const std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) {
        return {};
    }
    return exe.parent_path();
}

ProgramPaths BuildProgramPaths(const std::filesystem::path& exeFolder,
                               const std::string& xdgConfigHome, const std::string& home) {
    std::filesystem::path folder;
    if (writableFolder(exeFolder)) {
        folder = exeFolder;
    } else {
        // XDG: a relative $XDG_CONFIG_HOME is invalid and ignored.
        std::filesystem::path configHome = xdgConfigHome;
        if (configHome.empty() || configHome.is_relative()) {
            configHome = std::filesystem::path(home) / ".config";
        }
        folder = configHome / "spectrane";
    }
    return {folder, folder / kSettingsFileName, folder / kLineDataFolderName,
            folder / kBitmapFolderName};
}

ProgramPaths BuildProgramPaths(const std::filesystem::path& exeFolder) {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    return BuildProgramPaths(exeFolder, xdg ? xdg : "", home ? home : "");
}

bool ensureProgramFolders(const ProgramPaths& paths) {
    bool ok = true;
    for (const auto* folder : {&paths.programFolder, &paths.lineDataFolder, &paths.bitmapFolder}) {
        std::error_code ec;
        std::filesystem::create_directories(*folder, ec);
        ok = ok && !ec && std::filesystem::is_directory(*folder, ec);
    }
    return ok;
}

} // namespace spectrane
