#include "files/extra_settings_file.h"

#include "files/atomic_write.h"

#include <fstream>
#include <sstream>

namespace spectrane {

namespace {

constexpr std::size_t kMostBytes = 4096; // far more than the file ever holds

std::string encodeExtraSettings(const ExtraSettings& s) {
    return std::string("analysis_window=") + (s.analysisWindowOpen ? "1" : "0") +
           "\npoint_table=" + (s.pointTableOpen ? "1" : "0") + "\n";
}

ExtraSettings decodeExtraSettings(const std::string& text) {
    ExtraSettings s;
    std::istringstream lines(text);
    std::string line;
    while (std::getline(lines, line)) {
        if (line == "analysis_window=1" || line == "analysis_window=0") {
            s.analysisWindowOpen = line.back() == '1';
        } else if (line == "point_table=1" || line == "point_table=0") {
            s.pointTableOpen = line.back() == '1';
        }
    }
    return s;
}

} // namespace

ExtraSettings LoadExtraSettings(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return {};
    }
    std::string text(kMostBytes, '\0');
    in.read(text.data(), static_cast<std::streamsize>(text.size()));
    text.resize(static_cast<std::size_t>(in.gcount()));
    return decodeExtraSettings(text);
}

FileResult SaveExtraSettings(const std::filesystem::path& path, const ExtraSettings& settings) {
    const std::string text = encodeExtraSettings(settings);
    return writeFileAtomically(path,
                               {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

} // namespace spectrane
