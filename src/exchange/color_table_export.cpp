#include "exchange/color_table_export.h"

#include "exchange/fewest_stops.h"
#include "files/atomic_write.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <cstdio>

namespace spectrane {

namespace {

// What every writer is given: the dots' colours, the chosen stops and the document's layout.
struct Table {
    std::vector<Rgb8> colors;
    std::vector<int> stops;
    int length;
    int direction;
    std::string name;

    // Dot j of a data range: j / (L - 1) of the way (GIMP, GMT, ParaView).
    double at(int dot) const { return static_cast<double>(dot) / (length - 1); }
    // Dot j as a pixel of a box L pixels long: its centre, (j + 1/2) / L of the way (CSS, SVG),
    // so that a renderer drawing the box at one pixel per dot gives every dot its own colour.
    double centre(int dot) const { return (dot + 0.5) / length; }
};

// A number in as few characters as give it back exactly.
std::string exact(double v) {
    char buf[32];
    const auto end = std::to_chars(buf, buf + sizeof buf, v).ptr;
    return std::string(buf, end);
}

// A fixed-point number without trailing zeros: "12.5", "0", "33.3333".
std::string decimal(double v, int places) {
    char buf[48];
    std::snprintf(buf, sizeof buf, "%.*f", places, v);
    std::string s = buf;
    if (s.find('.') != std::string::npos) {
        s.erase(s.find_last_not_of('0') + 1);
        if (s.back() == '.') {
            s.pop_back();
        }
    }
    return s == "-0" ? "0" : s;
}

// The name on one line, without what would end the comment or element it stands in.
std::string plainName(std::string name, std::string_view closing) {
    for (char& c : name) {
        if (static_cast<unsigned char>(c) < 0x20) {
            c = ' ';
        }
    }
    for (std::size_t at; !closing.empty() && (at = name.find(closing)) != std::string::npos;) {
        name.erase(at, 1);
    }
    return name;
}

std::string lengthHint(int length) {
    return std::string(kLengthHintKey) + " " + std::to_string(length);
}

std::string slashes(Rgb8 c) {
    return std::to_string(c.r) + "/" + std::to_string(c.g) + "/" + std::to_string(c.b);
}

std::string writeCsv(const Table& t) {
    std::string out = "dot,r,g,b\n";
    for (int j = 0; j < t.length; ++j) {
        const Rgb8 c = t.colors[j];
        out += std::to_string(j) + "," + std::to_string(c.r) + "," + std::to_string(c.g) + "," +
               std::to_string(c.b) + "\n";
    }
    return out;
}

std::string writeCss(const Table& t) {
    static constexpr const char* kTo[] = {"to right", "to bottom", "to left", "to top"};
    std::string out = "/* " + plainName(t.name, "*/") + ", " + lengthHint(t.length) + " */\n";
    out += "linear-gradient(";
    out += kTo[t.direction & 3];
    for (int dot : t.stops) {
        const Rgb8 c = t.colors[dot];
        out += ", rgb(" + std::to_string(c.r) + " " + std::to_string(c.g) + " " +
               std::to_string(c.b) + ") " + decimal(100.0 * t.centre(dot), 6) + "%";
    }
    return out + ")\n";
}

std::string writeSvg(const Table& t) {
    // In user space, in pixels along the rectangle: renderers that hold the pattern's matrix
    // in fixed point (cairo: 16.16) scale a bounding-box gradient by a rounded 1/L, which
    // drifts by several dots over a long box; a scale of 1 is exact.
    const std::string l = std::to_string(t.length);
    const std::string vectors[] = {"x1=\"0\" y1=\"0\" x2=\"" + l + "\" y2=\"0\"",
                                   "x1=\"0\" y1=\"0\" x2=\"0\" y2=\"" + l + "\"",
                                   "x1=\"" + l + "\" y1=\"0\" x2=\"0\" y2=\"0\"",
                                   "x1=\"0\" y1=\"" + l + "\" x2=\"0\" y2=\"0\""};
    const bool vertical = (t.direction & 1) != 0;
    const std::string w = std::to_string(vertical ? 32 : t.length);
    const std::string h = std::to_string(vertical ? t.length : 32);
    std::string name;
    for (char c : plainName(t.name, "")) {
        name += c == '&' ? "&amp;" : c == '<' ? "&lt;" : c == '>' ? "&gt;" : std::string(1, c);
    }
    std::string out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!-- " + lengthHint(t.length) +
                      " -->\n<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + w +
                      "\" height=\"" + h + "\" viewBox=\"0 0 " + w + " " + h + "\">\n  <title>" +
                      name + "</title>\n  <defs>\n    <linearGradient id=\"gradation\" " +
                      "gradientUnits=\"userSpaceOnUse\" " + vectors[t.direction & 3] + ">\n";
    for (int dot : t.stops) {
        const Rgb8 c = t.colors[dot];
        char hex[8];
        std::snprintf(hex, sizeof hex, "#%02x%02x%02x", c.r, c.g, c.b);
        out += "      <stop offset=\"" + decimal(t.centre(dot), 8) + "\" stop-color=\"" + hex +
               "\"/>\n";
    }
    return out + "    </linearGradient>\n  </defs>\n  <rect width=\"" + w + "\" height=\"" + h +
           "\" fill=\"url(#gradation)\"/>\n</svg>\n";
}

std::string writeGgr(const Table& t) {
    const auto rgba = [](Rgb8 c) {
        return exact(c.r / 255.0) + " " + exact(c.g / 255.0) + " " + exact(c.b / 255.0) + " 1";
    };
    const std::size_t segments = t.stops.size() - 1;
    std::string out =
        "GIMP Gradient\nName: " + plainName(t.name, "") + "\n" + std::to_string(segments) + "\n";
    for (std::size_t k = 0; k < segments; ++k) {
        const int a = t.stops[k];
        const int b = t.stops[k + 1];
        // Linear RGB blending with the midpoint halfway: plain linear interpolation.
        out += exact(t.at(a)) + " " + exact((t.at(a) + t.at(b)) / 2) + " " + exact(t.at(b)) + " " +
               rgba(t.colors[a]) + " " + rgba(t.colors[b]) + " 0 0 0 0\n";
    }
    return out;
}

std::string writeCpt(const Table& t) {
    std::string out =
        "# " + plainName(t.name, "") + "\n# " + lengthHint(t.length) + "\n# COLOR_MODEL = RGB\n";
    for (std::size_t k = 0; k + 1 < t.stops.size(); ++k) {
        const int a = t.stops[k];
        const int b = t.stops[k + 1];
        out += decimal(t.at(a), 6) + "\t" + slashes(t.colors[a]) + "\t" + decimal(t.at(b), 6) +
               "\t" + slashes(t.colors[b]) + "\n";
    }
    return out + "B\t" + slashes(t.colors.front()) + "\nF\t" + slashes(t.colors.back()) +
           "\nN\t128/128/128\n";
}

std::string writeJson(const Table& t) {
    nlohmann::ordered_json points = nlohmann::ordered_json::array();
    for (int dot : t.stops) {
        const Rgb8 c = t.colors[dot];
        for (double v : {t.at(dot), c.r / 255.0, c.g / 255.0, c.b / 255.0}) {
            points.push_back(v);
        }
    }
    nlohmann::ordered_json preset;
    preset["Name"] = t.name;
    preset["ColorSpace"] = "RGB";
    preset["RGBPoints"] = std::move(points);
    // A name that is not valid UTF-8 is written with replacement characters, never refused.
    return nlohmann::ordered_json::array({preset}).dump(
               2, ' ', false, nlohmann::ordered_json::error_handler_t::replace) +
           "\n";
}

} // namespace

std::string exportColorTable(const GradationDocument& doc, ExchangeFormat format,
                             const ColorTableOptions& options) {
    Table t{documentColors(doc), {}, doc.length, doc.direction, options.name};
    if (format != ExchangeFormat::Csv) {
        // Browsers and SVG renderers interpolate in their own arithmetic: leave them slack.
        t.stops = fewestStops(t.colors, options.tolerance,
                              format == ExchangeFormat::Css || format == ExchangeFormat::Svg);
    }
    switch (format) {
    case ExchangeFormat::Csv:
        return writeCsv(t);
    case ExchangeFormat::Css:
        return writeCss(t);
    case ExchangeFormat::Svg:
        return writeSvg(t);
    case ExchangeFormat::Ggr:
        return writeGgr(t);
    case ExchangeFormat::Cpt:
        return writeCpt(t);
    case ExchangeFormat::Json:
        return writeJson(t);
    default:
        return {};
    }
}

FileResult writeColorTable(const std::filesystem::path& target, const GradationDocument& doc,
                           ExchangeFormat format, const ColorTableOptions& options) {
    const std::string text = exportColorTable(doc, format, options);
    return writeFileAtomically(target,
                               {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

} // namespace spectrane
