#include "files/program_folders.h"

#include <cstdlib>
#include <pwd.h>
#include <system_error>
#include <unistd.h>
#include <vector>

namespace spectrane {

namespace {

bool writableFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    return !folder.empty() && std::filesystem::is_directory(folder, ec) &&
           ::access(folder.c_str(), W_OK | X_OK) == 0;
}

// The system's own program folders (/usr/..., /bin, /sbin) hold no program's data, even where
// the user may write to them: run as root, an installed program would otherwise write its
// settings into /usr/bin.
bool systemFolder(const std::filesystem::path& folder) {
    const std::filesystem::path normal = folder.lexically_normal();
    auto part = normal.begin();
    if (!normal.is_absolute() || part == normal.end() || ++part == normal.end()) {
        return false;
    }
    return *part == "usr" || *part == "bin" || *part == "sbin";
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

std::filesystem::path homeFolder(const std::string& homeVariable) {
    if (std::filesystem::path(homeVariable).is_absolute()) {
        return homeVariable;
    }
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) != 0 ||
        found == nullptr || found->pw_dir == nullptr) {
        return {};
    }
    const std::filesystem::path home = found->pw_dir;
    return home.is_absolute() ? home : std::filesystem::path();
}

ProgramPaths BuildProgramPaths(const std::filesystem::path& exeFolder,
                               const std::string& xdgConfigHome, const std::string& home) {
    std::filesystem::path folder;
    if (writableFolder(exeFolder) && !systemFolder(exeFolder)) {
        folder = exeFolder;
    } else {
        // XDG: a relative $XDG_CONFIG_HOME is invalid and ignored. A relative home would put
        // the settings wherever the program happens to be started.
        std::filesystem::path configHome = xdgConfigHome;
        if (configHome.is_relative()) {
            configHome.clear();
            if (std::filesystem::path(home).is_absolute()) {
                configHome = std::filesystem::path(home) / ".config";
            }
        }
        if (configHome.empty()) {
            return {};
        }
        folder = configHome / "spectrane";
    }
    return {folder, folder / kSettingsFileName, folder / kLineDataFolderName,
            folder / kBitmapFolderName};
}

ProgramPaths BuildProgramPaths(const std::filesystem::path& exeFolder) {
    const char* xdg = std::getenv("XDG_CONFIG_HOME");
    const char* home = std::getenv("HOME");
    return BuildProgramPaths(exeFolder, xdg ? xdg : "", homeFolder(home ? home : "").string());
}

bool ensureProgramFolders(const ProgramPaths& paths) {
    if (!paths.hasFolder()) {
        return false;
    }
    bool ok = true;
    for (const auto* folder : {&paths.programFolder, &paths.lineDataFolder, &paths.bitmapFolder}) {
        std::error_code ec;
        std::filesystem::create_directories(*folder, ec);
        ok = ok && !ec && std::filesystem::is_directory(*folder, ec);
    }
    return ok;
}

} // namespace spectrane
