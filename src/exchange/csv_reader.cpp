// CSV gradients: one row per sample, "dot,r,g,b" or "r,g,b".
#include "exchange/gradient_readers.h"
#include "exchange/text_scan.h"

namespace spectrane {

namespace {

// More rows than any gradation has dots are resampled, but a file this long is a mistake.
constexpr std::size_t kMaxRows = 1'000'000;

} // namespace

GradientReadResult readCsvGradient(std::string_view text) {
    const auto lines = splitLines(text);
    Gradient g;
    std::size_t fields = 0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int line = static_cast<int>(i) + 1;
        const std::string_view row = trim(lines[i]);
        if (row.empty()) {
            continue;
        }
        const auto parts = splitFields(row, ",", false);
        const bool header = g.stops.empty() && fields == 0 && !parseNumber(trim(parts[0]));
        if (header) {
            fields = parts.size();
            if (fields != 3 && fields != 4) {
                return readFailure(lineError(line, "expected the header 'dot,r,g,b' or 'r,g,b'"));
            }
            continue;
        }
        if (fields == 0) {
            fields = parts.size();
        }
        if (parts.size() != fields || (fields != 3 && fields != 4)) {
            return readFailure(lineError(line, "expected " + std::string(fields == 4 ? "4" : "3") +
                                                   " fields (dot,r,g,b or r,g,b), found " +
                                                   std::to_string(parts.size())));
        }
        if (g.stops.size() >= kMaxRows) {
            return readFailure(lineError(line, "more than 1000000 rows"));
        }
        const std::size_t first = fields - 3;
        if (first == 1) {
            const auto dot = parseNumber(trim(parts[0]));
            if (!dot || *dot != static_cast<double>(g.stops.size())) {
                return readFailure(lineError(line, "the dot should be " +
                                                       std::to_string(g.stops.size()) + ", found " +
                                                       shown(trim(parts[0]))));
            }
        }
        GradientStop stop{static_cast<double>(g.stops.size()), {}};
        for (std::size_t k = 0; k < 3; ++k) {
            const auto v = parseNumber(trim(parts[first + k]));
            if (!v || *v < 0.0 || *v > 255.0) {
                return readFailure(lineError(line, "the level " + shown(trim(parts[first + k])) +
                                                       " is not a number in 0..255"));
            }
            stop.rgb[k] = *v;
        }
        g.stops.push_back(stop);
    }
    if (g.stops.empty()) {
        return readFailure(lineError(static_cast<int>(lines.size()) + 1, "no rows of colours"));
    }
    g.from = 0.0;
    g.to = g.stops.back().position;
    g.ownLength = static_cast<int>(g.stops.size());
    return {std::move(g), {}};
}

} // namespace spectrane
