#include "files/settings_file.h"

#include "files/atomic_write.h"
#include "files/little_endian.h"

#include <fstream>
#include <system_error>

namespace spectrane {

namespace {

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

void takeFlag(bool& field, std::int32_t stored, bool& fellBack) {
    takeField(field, stored, 0, 1, fellBack);
}

} // namespace

std::vector<std::uint8_t> encodeSettings(const Settings& s) {
    const GradationSettings& g = s.gradation;
    std::vector<std::uint8_t> out;
    out.reserve(kSettingsRecordBytes);
    for (bool flag :
         {s.showTitleWindow, s.bitmapWindowOpen, s.bitmapWindowTopmost, s.showPointPositions}) {
        out.push_back(flag ? 1 : 0);
    }
    appendInt32(out, g.direction);
    appendInt32(out, g.length);
    appendInt32(out, s.lengthChangeMethod);
    appendInt32(out, s.saveWidth);
    appendInt32(out, s.useWindowWidth ? 1 : 0);
    appendInt32(out, g.loop ? 1 : 0);
    appendInt32(out, 0);               // reserved
    appendInt32(out, g.cmy() ? 1 : 0); // an OKLCh document starts in RGB next time
    appendInt32(out, g.synchro ? 1 : 0);
    for (bool flag : g.synchroChannels) {
        appendInt32(out, flag ? 1 : 0);
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
    GradationSettings& g = s.gradation;
    const auto at = [&](std::size_t offset) { return getInt32(b.data() + offset); };
    bool fellBack = false;
    takeFlag(s.showTitleWindow, b[0], fellBack);
    takeFlag(s.bitmapWindowOpen, b[1], fellBack);
    takeFlag(s.bitmapWindowTopmost, b[2], fellBack);
    takeFlag(s.showPointPositions, b[3], fellBack);
    takeField(g.direction, at(4), 0, 3, fellBack);
    takeField(g.length, at(8), kMinDots, kMaxDots, fellBack);
    takeField(s.lengthChangeMethod, at(12), 0, 3, fellBack);
    takeField(s.saveWidth, at(16), kMinSaveWidth, kMaxSaveWidth, fellBack);
    takeFlag(s.useWindowWidth, at(20), fellBack);
    takeFlag(g.loop, at(24), fellBack);
    bool cmy = false;
    takeFlag(cmy, at(32), fellBack);
    g.mode = cmy ? ColorMode::Cmy : ColorMode::Rgb;
    takeFlag(g.synchro, at(36), fellBack);
    for (std::size_t ch = 0; ch < kChannelCount; ++ch) {
        takeFlag(g.synchroChannels[ch], at(40 + 4 * ch), fellBack);
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
    if (path.empty()) {
        return FileResult::failure("there is no folder to keep the settings in");
    }
    std::error_code ec;
    if (path.has_parent_path()) {
        std::filesystem::create_directories(path.parent_path(), ec);
    }
    return writeFileAtomically(path, encodeSettings(settings));
}

} // namespace spectrane
