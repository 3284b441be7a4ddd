#include "files/settings_file.h"

#include "files/atomic_write.h"

#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <system_error>
#include <unistd.h>

namespace spectrane {

namespace {

std::int32_t getInt32(std::span<const std::uint8_t> b, std::size_t at) {
    const std::uint32_t v = static_cast<std::uint32_t>(b[at]) |
                            (static_cast<std::uint32_t>(b[at + 1]) << 8) |
                            (static_cast<std::uint32_t>(b[at + 2]) << 16) |
                            (static_cast<std::uint32_t>(b[at + 3]) << 24);
    return static_cast<std::int32_t>(v);
}

void putInt32(std::vector<std::uint8_t>& out, std::int32_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        out.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
}

// Keeps `stored` when it lies in lo..hi; otherwise the field keeps its default and the record
// is marked as partly defaulted.
template <typename T>
void takeField(T& field, std::int32_t stored, std::int32_t lo, std::int32_t hi, bool& fellBack) {
    if (stored >= lo && stored <= hi) {
        field = static_cast<T>(stored);
    } else {
        fellBack = true;
    }
}

bool writableFolder(const std::filesystem::path& folder) {
    std::error_code ec;
    return !folder.empty() && std::filesystem::is_directory(folder, ec) &&
           ::access(folder.c_str(), W_OK | X_OK) == 0;
}

} // namespace

std::vector<std::uint8_t> encodeSettings(const Settings& s) {
    std::vector<std::uint8_t> out;
    out.reserve(kSettingsRecordBytes);
    out.push_back(s.showTitleWindow);
    out.push_back(s.bitmapWindowOpen);
    out.push_back(s.bitmapWindowTopmost);
    out.push_back(s.showPointPositions);
    putInt32(out, s.direction);
    putInt32(out, s.length);
    putInt32(out, s.lengthChangeMethod);
    putInt32(out, s.saveWidth);
    putInt32(out, s.useWindowWidth);
    putInt32(out, s.loop);
    putInt32(out, 0); // reserved
    putInt32(out, s.cmy);
    putInt32(out, s.synchro);
    for (std::int32_t flag : s.synchroChannels) {
        putInt32(out, flag);
    }
    return out;
}

SettingsLoadResult decodeSettings(std::span<const std::uint8_t> b) {
    SettingsLoadResult result;
    if (b.size() < static_cast<std::size_t>(kSettingsRecordBytes)) {
        result.source = SettingsSource::ShortFile;
        return result;
    }
    Settings& s = result.settings;
    bool fellBack = false;
    takeField(s.showTitleWindow, b[0], 0, 1, fellBack);
    takeField(s.bitmapWindowOpen, b[1], 0, 1, fellBack);
    takeField(s.bitmapWindowTopmost, b[2], 0, 1, fellBack);
    takeField(s.showPointPositions, b[3], 0, 1, fellBack);
    takeField(s.direction, getInt32(b, 4), 0, 3, fellBack);
    takeField(s.length, getInt32(b, 8), kMinDots, kMaxDots, fellBack);
    takeField(s.lengthChangeMethod, getInt32(b, 12), 0, 3, fellBack);
    takeField(s.saveWidth, getInt32(b, 16), 1, 1200, fellBack);
    takeField(s.useWindowWidth, getInt32(b, 20), 0, 1, fellBack);
    takeField(s.loop, getInt32(b, 24), 0, 1, fellBack);
    takeField(s.cmy, getInt32(b, 32), 0, 1, fellBack);
    takeField(s.synchro, getInt32(b, 36), 0, 1, fellBack);
    for (int ch = 0; ch < kChannelCount; ++ch) {
        takeField(s.synchroChannels[ch], getInt32(b, 40 + 4 * static_cast<std::size_t>(ch)), 0, 1,
                  fellBack);
    }
    result.source = fellBack ? SettingsSource::LoadedFallback : SettingsSource::Loaded;
    return result;
}

SettingsLoadResult LoadSettings(const std::filesystem::path& path) {
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) {
        return {};
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return {};
    }
    // Only the record is read; whatever follows it has no meaning.
    std::vector<std::uint8_t> bytes(kSettingsRecordBytes);
    in.read(reinterpret_cast<char*>(bytes.data()), kSettingsRecordBytes);
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    return decodeSettings(bytes);
}

FileResult SaveSettings(const std::filesystem::path& path, const Settings& settings) {
    std::error_code ec;
    if (path.has_parent_path()) {
        std::filesystem::create_directories(path.parent_path(), ec);
    }
    const WriteResult written = writeFileAtomically(path, encodeSettings(settings));
    if (!written) {
        return FileResult::failure(written.error);
    }
    return {};
}

void applySettingsToDocument(const Settings& s, GradationDocument& doc) {
    doc.length = s.length;
    doc.direction = s.direction;
    doc.loop = s.loop;
    doc.cmy = s.cmy;
    doc.synchro = s.synchro;
    doc.synchroChannels = s.synchroChannels;
}

void storeDocumentInSettings(const GradationDocument& doc, Settings& s) {
    s.length = doc.length;
    s.direction = doc.direction;
    s.loop = doc.loop;
    s.cmy = doc.cmy;
    s.synchro = doc.synchro;
    s.synchroChannels = doc.synchroChannels;
}

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
