#include "exchange/text_scan.h"

#include "exchange/color_table_export.h"
#include "exchange/css_color_names.h"
#include "model/ascii_text.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <cmath>
#include <utility>

namespace spectrane {

namespace {

std::optional<Rgba> hexColor(std::string_view hex) {
    const std::size_t n = hex.size();
    if ((n != 3 && n != 4 && n != 6 && n != 8) || !std::all_of(hex.begin(), hex.end(), [](char c) {
            return std::isxdigit(static_cast<unsigned char>(c)) != 0;
        })) {
        return std::nullopt;
    }
    const auto digit = [&](std::size_t i) {
        const char c = hex[i];
        return c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10;
    };
    Rgba rgba{0, 0, 0, 255};
    for (std::size_t k = 0; k < n / (n <= 4 ? 1 : 2); ++k) {
        rgba[k] = n <= 4 ? digit(k) * 17 : digit(2 * k) * 16 + digit(2 * k + 1);
    }
    rgba[3] /= 255.0;
    return rgba;
}

// A number with an optional '%' (of `full`) or angle unit (hue in degrees).
std::optional<double> component(std::string_view s, double full, bool hue) {
    s = trim(s);
    if (s.ends_with('%')) {
        const auto v = parseNumber(s.substr(0, s.size() - 1));
        return v ? std::optional<double>(*v * full / 100.0) : std::nullopt;
    }
    if (hue && s.ends_with("deg")) {
        s.remove_suffix(3);
    }
    return parseNumber(s);
}

double hueToRgb(double p, double q, double t) {
    t -= std::floor(t);
    return t < 1.0 / 6   ? p + (q - p) * 6 * t
           : t < 0.5     ? q
           : t < 2.0 / 3 ? p + (q - p) * (2.0 / 3 - t) * 6
                         : p;
}

} // namespace

std::string_view asText(std::span<const std::uint8_t> bytes) {
    return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

std::string_view textOfFile(std::span<const std::uint8_t> bytes, std::string& error) {
    const std::string_view text = asText(bytes);
    // UTF-32 first: its little-endian mark begins with UTF-16's.
    const std::pair<std::string_view, const char*> wide[] = {
        {std::string_view("\xff\xfe\0\0", 4), "UTF-32 (little-endian)"},
        {std::string_view("\0\0\xfe\xff", 4), "UTF-32 (big-endian)"},
        {"\xff\xfe", "UTF-16 (little-endian)"},
        {"\xfe\xff", "UTF-16 (big-endian)"}};
    for (const auto& [mark, name] : wide) {
        if (text.starts_with(mark)) {
            error = lineError(1, std::string("the text is ") + name + "; save it as UTF-8");
            return {};
        }
    }
    error.clear();
    return text.starts_with("\xef\xbb\xbf") ? text.substr(3) : text;
}

std::string_view trim(std::string_view s) {
    const std::size_t a = s.find_first_not_of(" \t\r\n\f\v");
    if (a == std::string_view::npos) {
        return {};
    }
    return s.substr(a, s.find_last_not_of(" \t\r\n\f\v") - a + 1);
}

int lineOf(std::string_view text, std::size_t offset) {
    offset = std::min(offset, text.size());
    return 1 + static_cast<int>(std::count(text.begin(), text.begin() + offset, '\n'));
}

std::string lineError(int line, const std::string& what) {
    return "line " + std::to_string(line) + ": " + what;
}

std::vector<std::string_view> splitLines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (line.ends_with('\r')) {
            line.remove_suffix(1);
        }
        lines.push_back(line);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
    }
    return lines;
}

std::vector<std::string_view> splitFields(std::string_view s, std::string_view separators,
                                          bool mergeRuns) {
    std::vector<std::string_view> fields;
    std::size_t start = 0;
    while (start <= s.size()) {
        const std::size_t end = std::min(s.find_first_of(separators, start), s.size());
        if (!mergeRuns || end > start) {
            fields.push_back(s.substr(start, end - start));
        }
        start = end + 1;
    }
    return fields;
}

std::optional<double> parseNumber(std::string_view s) {
    double v = 0.0;
    const auto [end, err] = std::from_chars(s.data(), s.data() + s.size(), v);
    if (s.empty() || err != std::errc() || end != s.data() + s.size() || !std::isfinite(v)) {
        return std::nullopt;
    }
    return v;
}

std::optional<Rgba> parseCssColorAlpha(std::string_view s, std::string& why) {
    s = trim(s);
    why = "the colour " + shown(s) + " is not #hex, rgb(), hsl() or a colour name";
    if (s.starts_with('#')) {
        return hexColor(s.substr(1));
    }
    const std::string name = asciiLower(s);
    if (name == "transparent") {
        return Rgba{0, 0, 0, 0};
    }
    if (const auto rgb = cssNamedColor(name)) {
        return Rgba{static_cast<double>(*rgb >> 16), static_cast<double>((*rgb >> 8) & 0xff),
                    static_cast<double>(*rgb & 0xff), 1.0};
    }
    const std::size_t open = name.find('(');
    const std::string_view function = trim(std::string_view(name).substr(0, open));
    const bool hsl = function == "hsl" || function == "hsla";
    if ((!hsl && function != "rgb" && function != "rgba") || !name.ends_with(')')) {
        return std::nullopt;
    }
    // "r g b / a" or "r, g, b, a": the alpha after '/' or a fourth comma, a number or a
    // percentage.
    std::string_view args = std::string_view(name).substr(open + 1, name.size() - open - 2);
    std::string_view alphaText;
    if (const std::size_t slash = args.find('/'); slash != std::string_view::npos) {
        alphaText = args.substr(slash + 1);
        args = args.substr(0, slash);
    }
    const bool commas = args.find(',') != std::string_view::npos;
    auto parts = splitFields(args, commas ? "," : " \t\r\n", !commas);
    if (parts.size() == 4 && commas && alphaText.empty()) {
        alphaText = parts.back();
        parts.pop_back();
    }
    if (parts.size() != 3) {
        return std::nullopt;
    }
    Rgba v{0, 0, 0, 1.0};
    if (!trim(alphaText).empty()) {
        const auto a = component(alphaText, 1.0, false);
        if (!a) {
            return std::nullopt;
        }
        v[3] = std::clamp(*a, 0.0, 1.0);
    }
    for (std::size_t k = 0; k < 3; ++k) {
        const auto c = component(parts[k], hsl && k > 0 ? 1.0 : 255.0, hsl && k == 0);
        if (!c) {
            return std::nullopt;
        }
        v[k] = *c;
    }
    if (!hsl) {
        return v;
    }
    const double h = v[0] / 360.0;
    const double sat = std::clamp(v[1], 0.0, 1.0);
    const double light = std::clamp(v[2], 0.0, 1.0);
    const double q = light < 0.5 ? light * (1 + sat) : light + sat - light * sat;
    const double p = 2 * light - q;
    return Rgba{255 * hueToRgb(p, q, h + 1.0 / 3), 255 * hueToRgb(p, q, h),
                255 * hueToRgb(p, q, h - 1.0 / 3), v[3]};
}

std::optional<std::array<double, 3>> parseCssColor(std::string_view s, std::string& why) {
    const auto c = parseCssColorAlpha(s, why);
    return c ? std::optional<std::array<double, 3>>({(*c)[0], (*c)[1], (*c)[2]}) : std::nullopt;
}

std::array<double, 3> rgbToHsv(const std::array<double, 3>& rgb) {
    const auto [r, g, b] = rgb;
    const double max = std::max({r, g, b});
    const double delta = max - std::min({r, g, b});
    if (delta <= 1e-4) {
        return {0.0, 0.0, max};
    }
    double h = r == max   ? (g - b) / delta
               : g == max ? 2.0 + (b - r) / delta
                          : 4.0 + (r - g) / delta;
    if (h < 0.0) {
        h += 6.0;
    }
    return {h / 6.0, delta / max, max};
}

std::array<double, 3> hsvToRgb(const std::array<double, 3>& hsv) {
    const auto [h, s, v] = hsv;
    if (s <= 0.0) {
        return {v, v, v};
    }
    double sector = (h >= 1.0 || h < 0.0 ? h - std::floor(h) : h) * 6.0;
    if (!(sector >= 0.0 && sector < 6.0)) {
        sector = 0.0; // an infinite hue has no place on the circle: red, and no undefined cast
    }
    const int i = std::min(static_cast<int>(sector), 5);
    const double f = sector - i;
    const double w = v * (1 - s);
    const double q = v * (1 - s * f);
    const double t = v * (1 - s * (1 - f));
    switch (i) {
    case 0:
        return {v, t, w};
    case 1:
        return {q, v, w};
    case 2:
        return {w, v, t};
    case 3:
        return {w, q, v};
    case 4:
        return {t, w, v};
    default:
        return {v, w, q};
    }
}

int lengthHint(std::string_view text) {
    const std::size_t at = text.find(kLengthHintKey);
    if (at == std::string_view::npos) {
        return 0;
    }
    std::string_view rest = trim(text.substr(at + kLengthHintKey.size(), 8));
    int v = 0;
    const auto [end, err] = std::from_chars(rest.data(), rest.data() + rest.size(), v);
    return err == std::errc() && end != rest.data() ? std::max(v, 0) : 0;
}

std::string shown(std::string_view token) {
    std::string out = "'";
    for (char c : token.substr(0, 40)) {
        out += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
    }
    return out + (token.size() > 40 ? "...'" : "'");
}

} // namespace spectrane
