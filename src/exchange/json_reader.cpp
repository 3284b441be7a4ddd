// ParaView colour-map presets: "RGBPoints": [x, r, g, b, ...] with colours in 0..1.
#include "exchange/gradient_readers.h"
#include "exchange/text_scan.h"

#include <nlohmann/json.hpp>

namespace spectrane {

namespace {

// Deeper nesting than any preset has is refused before parsing, so that no input can exhaust
// the stack.
constexpr int kMaxDepth = 64;

// The byte where nesting first goes deeper than kMaxDepth, or npos.
std::size_t tooDeep(std::string_view text) {
    int depth = 0;
    bool inString = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (inString) {
            if (c == '\\') {
                ++i;
            } else if (c == '"') {
                inString = false;
            }
        } else if (c == '"') {
            inString = true;
        } else if (c == '[' || c == '{') {
            if (++depth > kMaxDepth) {
                return i;
            }
        } else if (c == ']' || c == '}') {
            --depth;
        }
    }
    return std::string_view::npos;
}

// The library's message without its "[json.exception...] " tag.
std::string plain(const nlohmann::json::exception& e) {
    const std::string what = e.what();
    const std::size_t tag = what.find("] ");
    return tag == std::string::npos ? what : what.substr(tag + 2);
}

} // namespace

GradientReadResult readJsonGradient(std::string_view text) {
    if (const std::size_t at = tooDeep(text); at != std::string_view::npos) {
        return readFailure(lineError(lineOf(text, at), "nested too deeply"));
    }
    nlohmann::json root;
    try {
        root = nlohmann::json::parse(text);
    } catch (const nlohmann::json::parse_error& e) {
        return readFailure(lineError(lineOf(text, e.byte > 0 ? e.byte - 1 : 0), plain(e)));
    } catch (const nlohmann::json::exception& e) {
        // A number too large for a double: no position is given, but the number is named.
        const std::string what = plain(e);
        const std::size_t quote = what.find('\'');
        const std::string token = quote == std::string::npos ? "" : what.substr(quote + 1);
        return readFailure(
            lineError(lineOf(text, text.find(token.substr(0, token.find('\'')))), what));
    }
    const int line = lineOf(text, text.find("\"RGBPoints\""));
    const nlohmann::json* preset = nullptr;
    if (root.is_object() && root.contains("RGBPoints")) {
        preset = &root;
    }
    for (std::size_t i = 0; root.is_array() && i < root.size() && preset == nullptr; ++i) {
        if (root[i].is_object() && root[i].contains("RGBPoints")) {
            preset = &root[i];
        }
    }
    if (preset == nullptr) {
        return readFailure(lineError(1, "no preset with \"RGBPoints\""));
    }
    const nlohmann::json& points = (*preset)["RGBPoints"];
    if (!points.is_array() || points.empty() || points.size() % 4 != 0) {
        return readFailure(lineError(line, "\"RGBPoints\" must be x, r, g, b, ... (a multiple of "
                                           "4 numbers)"));
    }
    Gradient g;
    for (std::size_t i = 0; i < points.size(); i += 4) {
        GradientStop stop;
        for (std::size_t k = 0; k < 4; ++k) {
            if (!points[i + k].is_number()) {
                return readFailure(lineError(line, "\"RGBPoints\" entry " + std::to_string(i + k) +
                                                       " is not a number"));
            }
            const double v = points[i + k].get<double>();
            if (k > 0 && !(v >= 0.0 && v <= 1.0)) {
                return readFailure(lineError(line, "\"RGBPoints\" entry " + std::to_string(i + k) +
                                                       " is a colour outside 0..1"));
            }
            (k == 0 ? stop.position : stop.rgb[k - 1]) = k == 0 ? v : 255.0 * v;
        }
        if (!g.stops.empty() && stop.position < g.stops.back().position) {
            return readFailure(lineError(line, "\"RGBPoints\" x values must not go back"));
        }
        g.stops.push_back(stop);
    }
    const auto space = preset->find("ColorSpace");
    if (space != preset->end() && !(space->is_string() && space->get<std::string>() == "RGB")) {
        g.note = "the colour space " + shown(space->dump()) + " was interpolated as RGB";
    }
    g.from = g.stops.front().position;
    g.to = g.stops.back().position;
    return {std::move(g), {}};
}

} // namespace spectrane
