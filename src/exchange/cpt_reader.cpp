// GMT colour palettes: "z0 colour z1 colour" slices (or "key colour" for a categorical
// palette), colours as r/g/b, r g b, h-s-v, c/m/y/k, a grey level, #rrggbb or an X11 name,
// in the RGB or HSV colour model, with B, F and N lines after them.
#include "exchange/gradient_readers.h"
#include "exchange/text_scan.h"
#include "model/ascii_text.h"

#include <cmath>
#include <memory>

namespace spectrane {

namespace {

const char* const kColorForms =
    "r/g/b, h-s-v, c/m/y/k, a grey level, #rrggbb or an X11 colour name";

// Numbers split at `separator`, each within 0..limit[k]; nothing when any is not.
std::optional<std::vector<double>> numbers(std::string_view s, char separator,
                                           std::initializer_list<double> limits) {
    const auto parts = splitFields(s, std::string_view(&separator, 1), false);
    if (parts.size() != limits.size()) {
        return std::nullopt;
    }
    std::vector<double> v;
    for (std::size_t k = 0; k < parts.size(); ++k) {
        const auto n = parseNumber(parts[k]);
        if (!n || *n < 0.0 || *n > limits.begin()[k]) {
            return std::nullopt;
        }
        v.push_back(*n);
    }
    return v;
}

std::array<double, 3> fromHsv(double h, double s, double v) {
    const auto rgb = hsvToRgb({h / 360.0, s, v});
    return {255 * rgb[0], 255 * rgb[1], 255 * rgb[2]};
}

// A colour as read: RGB 0..255 and opacity in `stop`, and h (degrees), s, v as written when
// it was written so (HSV mixing needs the hue as given: 360 is not 0, a grey keeps its hue).
struct PaletteColor {
    GradientStop stop;
    std::optional<std::array<double, 3>> hsv;
};

// One colour written as one field, the transparency suffix "@t" (percent) read into the
// stop's opacity.
std::optional<PaletteColor> singleColor(std::string_view s) {
    PaletteColor p;
    GradientStop& c = p.stop;
    if (const std::size_t at = s.find('@'); at != std::string_view::npos) {
        const auto t = parseNumber(s.substr(at + 1));
        if (!t || *t < 0.0 || *t > 100.0) {
            return std::nullopt;
        }
        c.alpha = 1.0 - *t / 100.0;
        s = s.substr(0, at);
    }
    std::string why;
    if (s.starts_with('#')) {
        const auto rgb = s.size() == 7 ? parseCssColor(s, why) : std::nullopt;
        return rgb ? std::optional(PaletteColor{{0, *rgb, c.alpha}, {}}) : std::nullopt;
    }
    if (const auto v = numbers(s, '/', {255, 255, 255})) {
        c.rgb = {(*v)[0], (*v)[1], (*v)[2]};
    } else if (const auto h = numbers(s, '-', {360, 1, 1})) {
        c.rgb = fromHsv((*h)[0], (*h)[1], (*h)[2]);
        p.hsv = {(*h)[0], (*h)[1], (*h)[2]};
    } else if (const auto k = numbers(s, '/', {100, 100, 100, 100})) {
        for (int i = 0; i < 3; ++i) {
            c.rgb[i] = 255 * (1 - (*k)[i] / 100) * (1 - (*k)[3] / 100);
        }
    } else if (const auto grey = numbers(s, '/', {255})) {
        c.rgb = {(*grey)[0], (*grey)[0], (*grey)[0]};
    } else if (const auto named = x11Color(s)) {
        c.rgb = *named;
    } else {
        return std::nullopt;
    }
    return p;
}

// A colour at fields[at], one field or three numbers (r g b, or h s v in the HSV model).
std::optional<PaletteColor> fieldColor(const std::vector<std::string_view>& fields, std::size_t at,
                                       std::size_t width, bool hsv) {
    if (width == 1) {
        return singleColor(fields[at]);
    }
    const std::string joined = std::string(fields[at]) + "/" + std::string(fields[at + 1]) + "/" +
                               std::string(fields[at + 2]);
    if (!hsv) {
        return singleColor(joined);
    }
    const auto h = numbers(joined.substr(0, joined.find('@')), '/', {360, 1, 1});
    if (!h) {
        return std::nullopt;
    }
    const auto suffix = singleColor(joined); // for the '@' suffix
    return PaletteColor{{0, fromHsv((*h)[0], (*h)[1], (*h)[2]), suffix ? suffix->stop.alpha : 1.0},
                        std::array<double, 3>{(*h)[0], (*h)[1], (*h)[2]}};
}

struct Model {
    bool hsv = false;         // triplets of numbers are h s v
    bool hsvMixing = false;   // colours mix in HSV
    bool categorical = false; // "key colour" lines
    // "# RANGE = a/b": the z range a normalised palette (0..1, or -1..1) is laid out over by
    // default, its 0 kept at z = 0 with "# HARD_HINGE".
    std::optional<std::pair<double, double>> range;
    bool hardHinge = false;
};

// "# RANGE = a/b" and "# HARD_HINGE" in a comment line.
void readLayout(std::string_view comment, Model& m) {
    comment = trim(comment.substr(1));
    if (comment.starts_with("HARD_HINGE")) {
        m.hardHinge = true;
    }
    const std::size_t equals = comment.find('=');
    if (!comment.starts_with("RANGE") || equals == std::string_view::npos) {
        return;
    }
    const auto ends = splitFields(trim(comment.substr(equals + 1)), "/", false);
    const auto a = ends.size() == 2 ? parseNumber(trim(ends[0])) : std::nullopt;
    const auto b = ends.size() == 2 ? parseNumber(trim(ends[1])) : std::nullopt;
    if (a && b && *a < *b) {
        m.range = std::pair{*a, *b};
    }
}

// A normalised palette laid out over its default range, as GMT draws it without one given.
void layOut(std::vector<GradientStop>& stops, const Model& m) {
    const double low = stops.front().position;
    const double high = stops.back().position;
    if (!m.range || low < -1.0 || high > 1.0 || high <= low) {
        return;
    }
    const auto [a, b] = *m.range;
    const bool hinge = m.hardHinge && low < 0.0 && high > 0.0 && a < 0.0 && b > 0.0;
    for (GradientStop& s : stops) {
        const double z = s.position;
        s.position = hinge ? (z < 0.0 ? -z * a : z * b) : a + (z - low) / (high - low) * (b - a);
    }
}

// "# COLOR_MODEL = RGB | HSV | +HSV | CMYK" in a comment line; the error or empty.
std::string readModel(std::string_view comment, Model& m) {
    std::string upper(comment);
    for (char& c : upper) {
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    }
    const std::size_t at = upper.find("COLOR_MODEL");
    if (at == std::string::npos) {
        return {};
    }
    const std::string_view value = trim(std::string_view(upper).substr(upper.find('=', at) + 1));
    if (value == "HSV" || value == "+HSV") {
        m.hsv = true;
        m.hsvMixing = value == "HSV";
    } else if (value != "RGB" && value != "+RGB" && value != "CMYK" && value != "+CMYK") {
        return "unknown colour model " + shown(value) + " (RGB, HSV or CMYK)";
    }
    return {};
}

// The stops' colours mixed in HSV between neighbouring stops, as GMT looks them up.
Rgba hsvLookup(const std::vector<GradientStop>& hsvStops, double t) {
    const auto next = std::upper_bound(hsvStops.begin(), hsvStops.end(), t,
                                       [](double v, const auto& s) { return v < s.position; });
    const GradientStop& a = next == hsvStops.begin() ? hsvStops.front() : *(next - 1);
    const GradientStop& b = next == hsvStops.end() ? hsvStops.back() : *next;
    const double f =
        &a == &b || b.position <= a.position ? 0.0 : (t - a.position) / (b.position - a.position);
    std::array<double, 3> hsv;
    for (int k = 0; k < 3; ++k) {
        hsv[k] = a.rgb[k] + (b.rgb[k] - a.rgb[k]) * f;
    }
    const auto rgb = fromHsv(hsv[0], hsv[1], hsv[2]);
    return {rgb[0], rgb[1], rgb[2], a.alpha + (b.alpha - a.alpha) * f};
}

// `hsv` holds each stop's h, s, v.
void mixInHsv(Gradient& g, const std::vector<std::array<double, 3>>& hsv) {
    auto hsvStops = std::make_shared<std::vector<GradientStop>>(g.stops);
    for (std::size_t k = 0; k < hsv.size(); ++k) {
        (*hsvStops)[k].rgb = hsv[k];
    }
    g.colorAt = [hsvStops](double t) { return hsvLookup(*hsvStops, t); };
}

// Hard edges written with rounded z: ends within 1e-9 of the range are one position.
void joinRoundedEdges(std::vector<GradientStop>& stops) {
    const double tolerance = 1e-9 * (stops.back().position - stops.front().position);
    for (std::size_t k = 1; k < stops.size(); ++k) {
        if (std::fabs(stops[k].position - stops[k - 1].position) <= tolerance) {
            stops[k].position = stops[k - 1].position;
        }
    }
}

// The palette so far: its stops with their h, s, v beside them.
struct Slices {
    Gradient g;
    std::vector<std::array<double, 3>> hsv;

    void add(double z, const PaletteColor& c) {
        g.stops.push_back({z, c.stop.rgb, c.stop.alpha});
        if (c.hsv) {
            hsv.push_back(*c.hsv);
        } else {
            const auto h =
                rgbToHsv({c.stop.rgb[0] / 255, c.stop.rgb[1] / 255, c.stop.rgb[2] / 255});
            hsv.push_back({360 * h[0], h[1], h[2]});
        }
    }
};

// One slice or categorical line, added to the slices; the error or empty.
std::string readLine(std::string_view row, Model& m, Slices& p) {
    auto fields = splitFields(row.substr(0, row.find(';')), " \t", true);
    // An annotation flag may follow the slice.
    if (fields.size() > 2 &&
        (fields.back() == "L" || fields.back() == "U" || fields.back() == "B")) {
        fields.pop_back();
    }
    const bool slice = fields.size() == 4 || fields.size() == 8;
    if (!slice && fields.size() != 2) {
        return "expected 'z0 colour z1 colour' or 'key colour', found " +
               std::to_string(fields.size()) + " fields";
    }
    if (slice == m.categorical && !p.g.stops.empty()) {
        return "slices and categorical 'key colour' lines are mixed";
    }
    if (!slice) {
        m.categorical = true;
        const auto c = fieldColor(fields, 1, 1, m.hsv);
        if (!c) {
            return "the colour " + shown(fields[1]) + " is not " + kColorForms;
        }
        // Keys are names as often as numbers: the colours go in order, one step each.
        const double key = static_cast<double>(p.g.stops.size() / 2);
        p.add(key, *c);
        p.add(key + 1, *c);
        return {};
    }
    const std::size_t half = fields.size() / 2;
    for (std::size_t e = 0; e < 2; ++e) {
        const auto z = parseNumber(fields[e * half]);
        if (!z) {
            return shown(fields[e * half]) + " is not a number";
        }
        const auto c = fieldColor(fields, e * half + 1, half - 1, m.hsv);
        if (!c) {
            return "the colour " + shown(fields[e * half + 1]) + " is not " + kColorForms;
        }
        const double last = p.g.stops.empty() ? *z : p.g.stops.back().position;
        if (*z < last - 1e-9 * std::max(std::fabs(last), std::fabs(*z))) {
            return "z must not go back";
        }
        p.add(std::max(*z, last), *c);
    }
    return {};
}

bool isBackgroundLine(std::string_view row) {
    return (row[0] == 'B' || row[0] == 'F' || row[0] == 'N') &&
           (row.size() == 1 || row[1] == ' ' || row[1] == '\t');
}

} // namespace

GradientReadResult readCptGradient(std::string_view text) {
    const auto lines = splitLines(text);
    Slices p;
    Gradient& g = p.g;
    Model m;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const int line = static_cast<int>(i) + 1;
        const std::string_view row = trim(lines[i]);
        std::string error;
        if (row.empty() || isBackgroundLine(row)) {
            continue;
        }
        if (row.starts_with('#')) {
            error = readModel(row, m);
            readLayout(row, m);
        } else {
            error = readLine(row, m, p);
        }
        if (!error.empty()) {
            return readFailure(lineError(line, error));
        }
    }
    if (g.stops.empty()) {
        return readFailure(lineError(static_cast<int>(lines.size()) + 1, "no colour slices"));
    }
    joinRoundedEdges(g.stops);
    if (!m.categorical) {
        layOut(g.stops, m);
    }
    if (m.hsvMixing) {
        mixInHsv(g, p.hsv);
    }
    if (m.categorical) {
        g.note = "a categorical palette: its " + std::to_string(g.stops.size() / 2) +
                 " colours are imported as equal steps, in order";
    }
    g.from = g.stops.front().position;
    g.to = g.stops.back().position;
    g.ownLength = lengthHint(text);
    return {std::move(p.g), {}};
}

} // namespace spectrane
