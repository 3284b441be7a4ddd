// CSS gradients: the first linear-gradient(...) or repeating-linear-gradient(...) of a text,
// with colour hints and two-position stops as CSS Images settles them.
#include "exchange/gradient_readers.h"
#include "exchange/text_scan.h"
#include "model/ascii_text.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace spectrane {

namespace {

constexpr std::string_view kFunction = "linear-gradient(";
constexpr std::string_view kRepeating = "repeating-";

struct Argument {
    std::size_t offset;
    std::string_view text;
};

// One stop as written: its colour and, when given, its position (0..1 is 0%..100%); or a
// colour hint, a position alone.
struct WrittenStop {
    std::array<double, 3> rgb;
    std::optional<double> position;
    double alpha = 1.0;
    bool hint = false;
};

std::optional<double> percentage(std::string_view p) {
    return p == "0"           ? std::optional<double>(0.0)
           : p.ends_with('%') ? parseNumber(p.substr(0, p.size() - 1))
                              : std::nullopt;
}

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
        const auto v = percentage(s);
        if (!v) {
            return "the colour hint " + shown(s) + " is not a percentage";
        }
        if (stops.empty() || stops.back().hint) {
            return "a colour hint must come between two colour stops";
        }
        stops.push_back({.rgb = {}, .position = *v / 100.0, .hint = true});
        return {};
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
    const auto rgba = parseCssColorAlpha(s.substr(0, end), why);
    if (!rgba) {
        return why;
    }
    const std::array<double, 3> rgb{(*rgba)[0], (*rgba)[1], (*rgba)[2]};
    const auto positions =
        splitFields(end < s.size() ? s.substr(end) : std::string_view{}, " \t\r\n", true);
    if (positions.size() > 2) {
        return "a colour stop has at most two positions";
    }
    if (positions.empty()) {
        stops.push_back({rgb, std::nullopt, (*rgba)[3]});
    }
    for (std::string_view p : positions) {
        const auto v = percentage(p);
        if (!v) {
            return "the position " + shown(p) + " is not a percentage";
        }
        stops.push_back({rgb, *v / 100.0, (*rgba)[3]});
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
    // Colour stops without a position share the space between the colour stops around them
    // evenly; hints have theirs and do not count.
    std::size_t before = 0;
    for (std::size_t i = 1; i < stops.size(); ++i) {
        if (stops[i].hint || !stops[i].position) {
            continue;
        }
        std::vector<std::size_t> run;
        for (std::size_t k = before + 1; k < i; ++k) {
            if (!stops[k].hint) {
                run.push_back(k);
            }
        }
        const double a = *stops[before].position;
        const double b = *stops[i].position;
        for (std::size_t k = 0; k < run.size(); ++k) {
            stops[run[k]].position = a + (b - a) * static_cast<double>(k + 1) / (run.size() + 1);
        }
        before = i;
    }
}

// The colour stops, each hint turned into its share of the interval it lies in.
std::vector<GradientStop> hintedStops(const std::vector<WrittenStop>& written) {
    std::vector<GradientStop> stops;
    for (std::size_t i = 0; i < written.size(); ++i) {
        const WrittenStop& w = written[i];
        if (!w.hint) {
            stops.push_back({*w.position, w.rgb, w.alpha});
            continue;
        }
        const double a = stops.back().position;
        const double b = *written[i + 1].position;
        stops.back().hint = b > a ? std::clamp((*w.position - a) / (b - a), 0.0, 1.0) : 0.5;
    }
    return stops;
}

} // namespace

GradientReadResult readCssGradient(std::string_view text) {
    const std::size_t at = text.find(kFunction);
    if (at == std::string_view::npos) {
        return readFailure(lineError(1, "no linear-gradient(...) found"));
    }
    const bool repeating = at >= kRepeating.size() &&
                           text.substr(at - kRepeating.size(), kRepeating.size()) == kRepeating;
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
    if (!stops.empty() && stops.back().hint) {
        return readFailure(lineError(lineOf(text, args.back().offset),
                                     "a colour hint must come between two colour stops"));
    }
    if (std::count_if(stops.begin(), stops.end(), [](const auto& s) { return !s.hint; }) < 2) {
        return readFailure(lineError(lineOf(text, at), "a gradient needs two colour stops"));
    }
    settlePositions(stops);
    g.stops = hintedStops(stops);
    if (repeating) {
        // One period: from the first stop to the last, drawn again and again.
        g.from = g.stops.front().position;
        g.to = g.stops.back().position;
        if (!(g.to > g.from)) {
            return readFailure(lineError(lineOf(text, at), "the repeating gradient's last stop "
                                                           "must lie beyond its first"));
        }
        g.loop = true;
        g.note = "repeating-linear-gradient: one period imported as a loop";
    }
    g.ownLength = lengthHint(text);
    return {std::move(g), {}};
}

} // namespace spectrane
