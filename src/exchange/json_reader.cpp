// ParaView colour-map presets: "RGBPoints": [x, r, g, b, ...] with colours in 0..1.
#include "exchange/gradient_readers.h"
#include "exchange/text_scan.h"

#include <nlohmann/json.hpp>

#include <iterator>

namespace spectrane {

namespace {

// Deeper nesting than any preset has is refused while parsing, so that nothing built from the
// value (its destruction, a dump in a note) can exhaust the stack.
constexpr int kMaxDepth = 64;

struct TooDeep {
    std::size_t at; // the byte of the bracket that went too deep
};

// Walks the text for the parser and keeps how far it has read, so that the depth callback can
// name the byte it stopped at: the parser has read exactly up to the opening bracket then.
struct ReadingPosition {
    using iterator_category = std::forward_iterator_tag;
    using value_type = char;
    using difference_type = std::ptrdiff_t;
    using pointer = const char*;
    using reference = const char&;

    const char* at = nullptr;
    const char** read = nullptr;

    reference operator*() const { return *at; }
    ReadingPosition& operator++() {
        *read = ++at;
        return *this;
    }
    ReadingPosition operator++(int) {
        ReadingPosition before = *this;
        ++*this;
        return before;
    }
    bool operator==(const ReadingPosition& other) const { return at == other.at; }
};

nlohmann::json parseBounded(std::string_view text) {
    const char* read = text.data();
    const ReadingPosition first{text.data(), &read};
    const ReadingPosition last{text.data() + text.size(), &read};
    return nlohmann::json::parse(
        first, last, [&](int depth, nlohmann::json::parse_event_t event, nlohmann::json&) {
            // `depth` counts the containers around the one being opened.
            if ((event == nlohmann::json::parse_event_t::object_start ||
                 event == nlohmann::json::parse_event_t::array_start) &&
                depth >= kMaxDepth) {
                throw TooDeep{static_cast<std::size_t>(read - text.data()) - 1};
            }
            return true;
        });
}

// The library's message without its "[json.exception...] " tag.
std::string plain(const nlohmann::json::exception& e) {
    const std::string what = e.what();
    const std::size_t tag = what.find("] ");
    return tag == std::string::npos ? what : what.substr(tag + 2);
}

} // namespace

GradientReadResult readJsonGradient(std::string_view text) {
    nlohmann::json root;
    try {
        root = parseBounded(text);
    } catch (const TooDeep& e) {
        return readFailure(lineError(lineOf(text, e.at), "nested too deeply"));
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
