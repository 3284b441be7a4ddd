#include "exchange/gradient_import.h"

#include "model/ascii_text.h"
#include "model/color_mode.h"

#include "exchange/text_scan.h"
#include "files/line_data_file.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>

namespace spectrane {

namespace {

ImportResult refused(const std::filesystem::path& name, const std::string& what) {
    ImportResult r;
    r.error = name.string() + ": " + what;
    return r;
}

std::string summary(const ImportResult& r, int length, int tolerance, const std::string& note,
                    const std::string& over, ColorMode mode) {
    const auto name = [mode](ChannelIndex ch) { return std::string(channelName(mode, ch)); };
    std::string points;
    std::string errors;
    std::string warnings;
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        const ChannelFit& f = r.channels[ch];
        const std::string sep = ch == 0 ? "" : ", ";
        points += sep + name(ch) + " " + std::to_string(f.points);
        errors += sep + name(ch) + " " + std::to_string(f.maxError);
        if (!f.reached) {
            warnings += std::string("\n") + name(ch) + ": " + std::to_string(f.points) +
                        " points cannot bring every dot within " + std::to_string(tolerance) +
                        " levels; the best curve found is kept";
        }
    }
    std::string text = std::to_string(length) + " dots fitted; points " + points +
                       "; maximum error " + errors + " levels (tolerance " +
                       std::to_string(tolerance) + ")" + warnings;
    if (r.partlyTransparent > 0) {
        text += "\nopacity flattened over " + over + ": " + std::to_string(r.partlyTransparent) +
                (r.pixels ? " pixel" : " stop") + (r.partlyTransparent == 1 ? " was" : "s were") +
                " partly transparent";
    }
    return note.empty() ? text : text + "\nNote: " + note;
}

} // namespace

std::optional<Background> backgroundNamed(std::string_view name) {
    if (name == "white" || name == "black") {
        const double v = name == "white" ? 255.0 : 0.0;
        return Background{{v, v, v}, std::string(name)};
    }
    std::string why;
    const auto rgb = name.size() == 7 && name[0] == '#' ? parseCssColor(name, why) : std::nullopt;
    return rgb ? std::optional<Background>(Background{*rgb, std::string(name)}) : std::nullopt;
}

ImportResult importGradient(const std::filesystem::path& name, std::span<const std::uint8_t> bytes,
                            const ImportOptions& options) {
    // Checked before the text formats: a line data file's bytes would otherwise be blamed on
    // whichever palette syntax they happen to resemble.
    const std::string extension = asciiLower(name.extension().string());
    if (extension == ".spd" || parseLineData(bytes)) {
        ImportResult r = refused(name, "line 1: a line data file (.spd), not a gradient; use "
                                       "Open to read it");
        r.lineData = true;
        return r;
    }
    const auto format = detectInputFormat(name, bytes);
    if (!format) {
        return refused(name, "line 1: not a gradient this program reads (CSV, CSS, SVG, GIMP, "
                             "GMT, ParaView JSON, PNG or BMP)");
    }
    const GradientReadResult read = readGradient(*format, bytes, options.line);
    if (!read.gradient) {
        return refused(name, read.error);
    }
    const int length = options.length > 0 ? std::clamp(options.length, kMinDots, kMaxDots)
                                          : naturalLength(*read.gradient);
    const std::vector<Rgb8> colors = sampleGradient(*read.gradient, length, options.over);
    const bool loop = options.loop || read.gradient->loop;
    CurveFit fit =
        fitCurvesInMode(colors, options.mode, options.tolerance, loop, read.gradient->direction)
            .fit;
    ImportResult r;
    r.document = std::move(fit.document);
    r.channels = fit.channels;
    r.partlyTransparent = partlyTransparentStops(*read.gradient);
    r.pixels = read.gradient->pixels;
    r.message =
        summary(r, length, options.tolerance, read.gradient->note, options.over.name, options.mode);
    return r;
}

ImportResult importGradientFile(const std::filesystem::path& path, const ImportOptions& options) {
    std::error_code ec;
    const std::uintmax_t size = std::filesystem::file_size(path, ec);
    if (ec) {
        return refused(path, "cannot be read: " + ec.message());
    }
    if (size > kMaxImportBytes) {
        return refused(path, "longer than 64 MiB");
    }
    std::ifstream in(path, std::ios::binary);
    std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(in)),
                                    std::istreambuf_iterator<char>());
    if (!in.good() && !in.eof()) {
        return refused(path, "cannot be read");
    }
    return importGradient(path, bytes, options);
}

} // namespace spectrane
