// GMT colour palettes: "z0 r/g/b z1 r/g/b" slices in RGB, with B, F and N lines after them.
#include "exchange/gradient_readers.h"
#include "exchange/text_scan.h"
#include "model/ascii_text.h"

namespace spectrane {

namespace {

// A palette colour: "r/g/b", a grey level or "#rrggbb"; nothing when it is none of these.
std::optional<std::array<double, 3>> paletteColor(std::string_view s) {
    if (s.starts_with('#')) {
        std::string why;
        return parseCssColor(s, why);
    }
    const auto parts = splitFields(s, "/", false);
    if (parts.size() != 1 && parts.size() != 3) {
        return std::nullopt;
    }
    std::array<double, 3> rgb;
    for (std::size_t k = 0; k < 3; ++k) {
        const auto v = parseNumber(parts[parts.size() == 3 ? k : 0]);
        if (!v || *v < 0.0 || *v > 255.0) {
            return std::nullopt;
        }
        rgb[k] = *v;
    }
    return rgb;
}

} // namespace

GradientReadResult readCptGradient(std::string_view text) {
    const auto lines = splitLines(text);
    Gradient g;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int line = static_cast<int>(i) + 1;
        const std::string_view row = trim(lines[i]);
        if (row.starts_with('#')) {
            const std::string comment = asciiLower(row);
            if (comment.find("color_model") != std::string::npos &&
                comment.find("rgb") == std::string::npos) {
                return readFailure(lineError(line, "only the RGB colour model is supported"));
            }
            continue;
        }
        if (row.empty() || row[0] == 'B' || row[0] == 'F' || row[0] == 'N') {
            continue;
        }
        auto fields = splitFields(row.substr(0, row.find(';')), " \t", true);
        // An annotation flag may follow the slice.
        if (!fields.empty() &&
            (fields.back() == "L" || fields.back() == "U" || fields.back() == "B")) {
            fields.pop_back();
        }
        if (fields.size() != 4 && fields.size() != 8) {
            return readFailure(
                lineError(line, "expected 'z0 r/g/b z1 r/g/b' or 'z0 r g b z1 r g b'"));
        }
        const std::size_t half = fields.size() / 2;
        GradientStop ends[2];
        for (std::size_t e = 0; e < 2; ++e) {
            const auto z = parseNumber(fields[e * half]);
            const auto rgb = half == 2 ? paletteColor(fields[e * half + 1])
                                       : paletteColor(std::string(fields[e * half + 1]) + "/" +
                                                      std::string(fields[e * half + 2]) + "/" +
                                                      std::string(fields[e * half + 3]));
            if (!z) {
                return readFailure(lineError(line, shown(fields[e * half]) + " is not a number"));
            }
            if (!rgb) {
                return readFailure(lineError(line, "a colour is not r/g/b with levels 0..255"));
            }
            ends[e] = {*z, *rgb};
        }
        if (ends[1].position < ends[0].position ||
            (!g.stops.empty() && ends[0].position < g.stops.back().position)) {
            return readFailure(lineError(line, "z must not go back"));
        }
        g.stops.push_back(ends[0]);
        g.stops.push_back(ends[1]);
    }
    if (g.stops.empty()) {
        return readFailure(lineError(static_cast<int>(lines.size()) + 1, "no colour slices"));
    }
    g.from = g.stops.front().position;
    g.to = g.stops.back().position;
    g.ownLength = lengthHint(text);
    return {std::move(g), {}};
}

} // namespace spectrane
