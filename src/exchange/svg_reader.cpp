// SVG gradients: the first <linearGradient> and its <stop> elements. Only these two elements
// and a handful of attributes matter, so a small tag scanner reads them.
#include "exchange/gradient_readers.h"
#include "exchange/text_scan.h"

#include <algorithm>
#include <cmath>
#include <map>

namespace spectrane {

namespace {

struct Tag {
    std::map<std::string, std::string_view> attributes;
    std::size_t end = 0;      // just past the '>'
    bool selfClosing = false; // "/>"
    std::string error;        // what is wrong with the tag, or empty
};

bool isNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '-' || c == ':' || c == '_' ||
           c == '.';
}

// The attributes of the tag whose name ends at `at`.
Tag readTag(std::string_view text, std::size_t at) {
    Tag tag;
    while (true) {
        at = text.find_first_not_of(" \t\r\n", at);
        if (at == std::string_view::npos) {
            tag.error = "the tag is never closed";
            return tag;
        }
        if (text[at] == '>' || text.substr(at, 2) == "/>") {
            tag.selfClosing = text[at] == '/';
            tag.end = at + (tag.selfClosing ? 2 : 1);
            return tag;
        }
        const std::size_t nameStart = at;
        while (at < text.size() && isNameChar(text[at])) {
            ++at;
        }
        const std::string name(text.substr(nameStart, at - nameStart));
        at = text.find_first_not_of(" \t\r\n", at);
        if (name.empty() || at == std::string_view::npos || text[at] != '=') {
            tag.error = "expected an attribute, found " + shown(text.substr(nameStart, 20));
            return tag;
        }
        at = text.find_first_not_of(" \t\r\n", at + 1);
        if (at == std::string_view::npos || (text[at] != '"' && text[at] != '\'')) {
            tag.error = "the value of " + name + " is not quoted";
            return tag;
        }
        const std::size_t close = text.find(text[at], at + 1);
        if (close == std::string_view::npos) {
            tag.error = "the value of " + name + " is never closed";
            return tag;
        }
        tag.attributes[name] = text.substr(at + 1, close - at - 1);
        at = close + 1;
    }
}

// A number, or a percentage as a fraction.
std::optional<double> fraction(std::string_view s) {
    s = trim(s);
    if (s.ends_with('%')) {
        const auto v = parseNumber(s.substr(0, s.size() - 1));
        return v ? std::optional<double>(*v / 100.0) : std::nullopt;
    }
    return parseNumber(s);
}

// The value of `property` in a style attribute ("a: b; c: d"), or empty.
std::string_view styleProperty(std::string_view style, std::string_view property) {
    for (std::string_view decl : splitFields(style, ";", true)) {
        const std::size_t colon = decl.find(':');
        if (colon != std::string_view::npos && trim(decl.substr(0, colon)) == property) {
            return trim(decl.substr(colon + 1));
        }
    }
    return {};
}

std::string_view attribute(const Tag& tag, const std::string& name, std::string_view fallback) {
    const auto it = tag.attributes.find(name);
    return it == tag.attributes.end() ? fallback : it->second;
}

} // namespace

GradientReadResult readSvgGradient(std::string_view text) {
    constexpr std::string_view kOpen = "<linearGradient";
    const std::size_t at = text.find(kOpen);
    if (at == std::string_view::npos) {
        return readFailure(lineError(1, "no <linearGradient> found"));
    }
    const Tag gradient = readTag(text, at + kOpen.size());
    if (!gradient.error.empty()) {
        return readFailure(lineError(lineOf(text, at), gradient.error));
    }
    Gradient g;
    double vector[4];
    const char* names[] = {"x1", "y1", "x2", "y2"};
    const std::string_view defaults[] = {"0", "0", "1", "0"};
    for (int k = 0; k < 4; ++k) {
        const auto v = fraction(attribute(gradient, names[k], defaults[k]));
        if (!v) {
            return readFailure(
                lineError(lineOf(text, at), std::string(names[k]) + " is not a number"));
        }
        vector[k] = *v;
    }
    const double dx = vector[2] - vector[0];
    const double dy = vector[3] - vector[1];
    g.direction = std::fabs(dx) >= std::fabs(dy) ? (dx >= 0 ? 0 : 2) : (dy > 0 ? 1 : 3);

    const std::size_t close =
        gradient.selfClosing ? gradient.end : text.find("</linearGradient", gradient.end);
    if (close == std::string_view::npos) {
        return readFailure(lineError(lineOf(text, at), "<linearGradient> is never closed"));
    }
    double highest = 0.0;
    for (std::size_t s = text.find("<stop", gradient.end); s < close;
         s = text.find("<stop", s + 1)) {
        const int line = lineOf(text, s);
        const Tag stop = readTag(text, s + 5);
        if (!stop.error.empty()) {
            return readFailure(lineError(line, stop.error));
        }
        const auto offset = fraction(attribute(stop, "offset", "0"));
        if (!offset) {
            return readFailure(lineError(
                line, "the offset " + shown(attribute(stop, "offset", "")) + " is not a number"));
        }
        // Offsets are clamped to 0..1 and never go back.
        highest = std::max(highest, std::clamp(*offset, 0.0, 1.0));
        std::string_view color = styleProperty(attribute(stop, "style", ""), "stop-color");
        if (color.empty()) {
            color = attribute(stop, "stop-color", "black");
        }
        std::string why;
        const auto rgba = parseCssColorAlpha(color, why);
        if (!rgba) {
            return readFailure(lineError(line, why));
        }
        // stop-opacity multiplies the colour's own alpha.
        std::string_view opacity = styleProperty(attribute(stop, "style", ""), "stop-opacity");
        if (opacity.empty()) {
            opacity = attribute(stop, "stop-opacity", "1");
        }
        const auto alpha = fraction(opacity);
        if (!alpha) {
            return readFailure(
                lineError(line, "the stop-opacity " + shown(opacity) + " is not a number"));
        }
        g.stops.push_back({highest,
                           {(*rgba)[0], (*rgba)[1], (*rgba)[2]},
                           (*rgba)[3] * std::clamp(*alpha, 0.0, 1.0)});
    }
    if (g.stops.empty()) {
        const bool linked =
            gradient.attributes.contains("href") || gradient.attributes.contains("xlink:href");
        return readFailure(
            lineError(lineOf(text, at), linked ? "stops taken from another gradient (href) are not "
                                                 "supported"
                                               : "the gradient has no <stop>"));
    }
    g.ownLength = lengthHint(text);
    return {std::move(g), {}};
}

} // namespace spectrane
