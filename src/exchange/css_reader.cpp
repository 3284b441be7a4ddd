// CSS gradients: the first linear-gradient(...) of a text.
#include "exchange/gradient_readers.h"
#include "exchange/text_scan.h"
#include "model/ascii_text.h"

#include <cmath>
#include <numbers>

namespace spectrane {

namespace {

constexpr std::string_view kFunction = "linear-gradient(";

struct Argument {
    std::size_t offset;
    std::string_view text;
};

// One stop as written: its colour and, when given, its position (0..1 is 0%..100%).
struct WrittenStop {
    std::array<double, 3> rgb;
    std::optional<double> position;
};

// Direction 0..3 of "to right" and the like, or -1 when the words are not a direction.
int directionOfKeywords(std::string_view words) {
    bool left = false, right = false, top = false, bottom = false;
    for (std::string_view w : splitFields(words.substr(3), " \t\r\n", true)) {
        left = left || w == "left";
        right = right || w == "right";
        top = top || w == "top";
        bottom = bottom || w == "bottom";
        if (w != "left" && w != "right" && w != "top" && w != "bottom") {
            return -1;
        }
    }
    // A corner goes the way of its horizontal side.
    return right ? 0 : left ? 2 : bottom ? 1 : top ? 3 : -1;
}

// Direction 0..3 nearest to an angle ("90deg", "0.25turn", ...), or -1 when it is not one.
int directionOfAngle(std::string_view s) {
    static constexpr std::pair<std::string_view, double> kUnits[] = {
        {"deg", 1.0}, {"grad", 0.9}, {"rad", 180.0 / std::numbers::pi}, {"turn", 360.0}};
    for (const auto& [unit, toDegrees] : kUnits) {
        if (s.ends_with(unit)) {
            if (const auto v = parseNumber(s.substr(0, s.size() - unit.size()))) {
                // 0deg points up, 90deg right, 180deg down, 270deg left.
                const long quarter = std::lround(std::fmod(*v * toDegrees, 360.0) / 90.0);
                static constexpr int kByQuarter[] = {3, 0, 1, 2};
                return kByQuarter[((quarter % 4) + 4) % 4];
            }
        }
    }
    return -1;
}

// The colour and positions of one stop argument, appended to `stops`; an error text or empty.
std::string readStop(std::string_view s, std::vector<WrittenStop>& stops) {
    if (s.empty()) {
        return "an empty colour stop";
    }
    if ((s[0] >= '0' && s[0] <= '9') || s[0] == '.' || s[0] == '-' || s[0] == '+') {
        return "colour hints (a position without a colour) are not supported";
    }
    const std::size_t paren = s.find('(');
    const std::size_t blank = s.find_first_of(" \t\r\n");
    std::size_t end = blank;
    if (paren != std::string_view::npos && paren < blank) {
        end = s.find(')', paren);
        if (end == std::string_view::npos) {
            return "the colour " + shown(s) + " is not closed";
        }
        ++end;
    }
    std::string why;
    const auto rgb = parseCssColor(s.substr(0, end), why);
    if (!rgb) {
        return why;
    }
    const auto positions =
        splitFields(end < s.size() ? s.substr(end) : std::string_view{}, " \t\r\n", true);
    if (positions.size() > 2) {
        return "a colour stop has at most two positions";
    }
    if (positions.empty()) {
        stops.push_back({*rgb, std::nullopt});
    }
    for (std::string_view p : positions) {
        const auto v = p == "0"           ? std::optional<double>(0.0)
                       : p.ends_with('%') ? parseNumber(p.substr(0, p.size() - 1))
                                          : std::nullopt;
        if (!v) {
            return "the position " + shown(p) + " is not a percentage";
        }
        stops.push_back({*rgb, *v / 100.0});
    }
    return {};
}

// Positions as CSS settles them: the ends default to 0% and 100%, no position comes before an
// earlier one, and stops without one share the space between their neighbours evenly.
void settlePositions(std::vector<WrittenStop>& stops) {
    if (!stops.front().position) {
        stops.front().position = 0.0;
    }
    if (!stops.back().position) {
        stops.back().position = std::max(1.0, *stops.front().position);
    }
    double highest = *stops.front().position;
    for (WrittenStop& s : stops) {
        if (s.position) {
            highest = std::max(highest, *s.position);
            s.position = highest;
        }
    }
    for (std::size_t i = 1; i < stops.size(); ++i) {
        if (stops[i].position) {
            continue;
        }
        std::size_t next = i;
        while (!stops[next].position) {
            ++next;
        }
        const double a = *stops[i - 1].position;
        const double b = *stops[next].position;
        for (std::size_t k = i; k < next; ++k) {
            stops[k].position = a + (b - a) * static_cast<double>(k - i + 1) / (next - i + 1);
        }
    }
}

} // namespace

GradientReadResult readCssGradient(std::string_view text) {
    const std::size_t at = text.find(kFunction);
    if (at == std::string_view::npos) {
        return readFailure(lineError(1, "no linear-gradient(...) found"));
    }
    std::vector<Argument> args;
    std::size_t start = at + kFunction.size();
    int depth = 1;
    std::size_t i = start;
    for (; i < text.size() && depth > 0; ++i) {
        const char c = text[i];
        depth += c == '(' ? 1 : c == ')' ? -1 : 0;
        if ((c == ',' && depth == 1) || depth == 0) {
            args.push_back({start, trim(text.substr(start, i - start))});
            start = i + 1;
        }
    }
    if (depth > 0) {
        return readFailure(lineError(lineOf(text, at), "linear-gradient( is never closed"));
    }
    Gradient g;
    g.direction = 1; // CSS goes to the bottom unless told otherwise
    const std::string first = asciiLower(args.front().text);
    std::size_t firstStop = 0;
    if (first.starts_with("to ")) {
        g.direction = directionOfKeywords(first);
        if (g.direction < 0) {
            return readFailure(
                lineError(lineOf(text, args.front().offset), "the direction " + shown(first) +
                                                                 " is not 'to' left, right, "
                                                                 "top or bottom"));
        }
        firstStop = 1;
    } else if (const int d = directionOfAngle(first); d >= 0) {
        g.direction = d;
        firstStop = 1;
    }
    std::vector<WrittenStop> stops;
    for (std::size_t k = firstStop; k < args.size(); ++k) {
        const std::string error = readStop(args[k].text, stops);
        if (!error.empty()) {
            return readFailure(lineError(lineOf(text, args[k].offset), error));
        }
    }
    if (stops.size() < 2) {
        return readFailure(lineError(lineOf(text, at), "a gradient needs two colour stops"));
    }
    settlePositions(stops);
    for (const WrittenStop& s : stops) {
        g.stops.push_back({*s.position, s.rgb});
    }
    g.ownLength = lengthHint(text);
    return {std::move(g), {}};
}

} // namespace spectrane
