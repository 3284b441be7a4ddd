// SVG gradients: the first <linearGradient> and its <stop> elements, or the stops of the
// gradient it names with href (as Inkscape writes them), its vector attributes inherited the
// same way. Only these elements and a handful of attributes matter, so a small tag scanner
// reads them in one pass; a line number is counted only for an error.
#include "exchange/gradient_readers.h"
#include "exchange/text_scan.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace spectrane {

namespace {

// An href chain longer than this is taken for a loop.
constexpr int kMaxLinks = 16;

struct Attribute {
    std::string_view name;
    std::string_view value;
};

struct Tag {
    std::size_t at = 0; // the '<'
    std::vector<Attribute> attributes;
    std::size_t end = 0;      // just past the '>'
    bool selfClosing = false; // "/>"
    std::string error;        // what is wrong with the tag, or empty
};

// A read failure at byte `at`: the line is counted only now.
GradientReadResult failAt(std::string_view text, std::size_t at, const std::string& what) {
    return readFailure(lineError(lineOf(text, at), what));
}

bool isNameChar(char c) {
    return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '-' || c == ':' || c == '_' ||
           c == '.';
}

// The tag `name` starting at `at` (its '<'), with its attributes.
Tag readTag(std::string_view text, std::size_t at, std::string_view name) {
    Tag tag;
    tag.at = at;
    at += 1 + name.size();
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
        const std::string_view attr = text.substr(nameStart, at - nameStart);
        at = text.find_first_not_of(" \t\r\n", at);
        if (attr.empty() || at == std::string_view::npos || text[at] != '=') {
            tag.error = "expected an attribute, found " + shown(text.substr(nameStart, 20));
            return tag;
        }
        at = text.find_first_not_of(" \t\r\n", at + 1);
        if (at == std::string_view::npos || (text[at] != '"' && text[at] != '\'')) {
            tag.error = "the value of " + std::string(attr) + " is not quoted";
            return tag;
        }
        const std::size_t close = text.find(text[at], at + 1);
        if (close == std::string_view::npos) {
            tag.error = "the value of " + std::string(attr) + " is never closed";
            return tag;
        }
        tag.attributes.push_back({attr, text.substr(at + 1, close - at - 1)});
        at = close + 1;
    }
}

// The '<' of the next tag `name` at or after `from` (a longer name that starts the same is
// skipped), or npos.
std::size_t findTag(std::string_view text, std::string_view name, std::size_t from,
                    std::size_t until = std::string_view::npos) {
    for (std::size_t at = text.find(name, from + 1); at < until && at != std::string_view::npos;
         at = text.find(name, at + 1)) {
        const std::size_t after = at + name.size();
        if (at > 0 && text[at - 1] == '<' && (after == text.size() || !isNameChar(text[after]))) {
            return at - 1;
        }
    }
    return std::string_view::npos;
}

const std::string_view* attribute(const Tag& tag, std::string_view name) {
    for (const Attribute& a : tag.attributes) {
        if (a.name == name) {
            return &a.value;
        }
    }
    return nullptr;
}

// The value of `property` in a style attribute ("a: b; c: d"), or nothing.
std::optional<std::string_view> styleProperty(std::string_view style, std::string_view property) {
    std::optional<std::string_view> found;
    for (std::string_view decl : splitFields(style, ";", true)) {
        const std::size_t colon = decl.find(':');
        if (colon != std::string_view::npos && trim(decl.substr(0, colon)) == property) {
            found = trim(decl.substr(colon + 1)); // the last one counts, as in CSS
        }
    }
    return found;
}

// A stop's presentation property: its style attribute overrides the attribute of that name.
std::string_view stopProperty(const Tag& stop, std::string_view name, std::string_view fallback) {
    if (const std::string_view* style = attribute(stop, "style")) {
        if (const auto v = styleProperty(*style, name)) {
            return *v;
        }
    }
    const std::string_view* v = attribute(stop, name);
    return v != nullptr ? *v : fallback;
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

// The gradient element (linear or radial) whose id is `id`, or one with no error and at = npos.
Tag findGradient(std::string_view text, std::string_view id, std::string_view& kind) {
    for (const std::string_view name : {"linearGradient", "radialGradient"}) {
        for (std::size_t at = findTag(text, name, 0); at != std::string_view::npos;
             at = findTag(text, name, at + 1)) {
            Tag tag = readTag(text, at, name);
            const std::string_view* own = attribute(tag, "id");
            if (tag.error.empty() && own != nullptr && *own == id) {
                kind = name;
                return tag;
            }
        }
    }
    Tag none;
    none.at = std::string_view::npos;
    return none;
}

// The stops of the gradient element `tag` of `kind`, appended to g; an error or empty.
GradientReadResult readStops(std::string_view text, const Tag& tag, std::string_view kind,
                             Gradient& g) {
    const std::size_t close =
        tag.selfClosing ? tag.end : text.find("</" + std::string(kind), tag.end);
    if (close == std::string_view::npos) {
        return failAt(text, tag.at, "<" + std::string(kind) + "> is never closed");
    }
    double highest = 0.0;
    for (std::size_t s = findTag(text, "stop", tag.end, close); s != std::string_view::npos;
         s = findTag(text, "stop", s + 1, close)) {
        const Tag stop = readTag(text, s, "stop");
        if (!stop.error.empty()) {
            return failAt(text, s, stop.error);
        }
        const std::string_view* given = attribute(stop, "offset");
        const std::string_view offsetText = given != nullptr ? *given : "0";
        const auto offset = fraction(offsetText);
        if (!offset) {
            return failAt(text, s, "the offset " + shown(offsetText) + " is not a number");
        }
        // Offsets are clamped to 0..1 and never go back.
        highest = std::max(highest, std::clamp(*offset, 0.0, 1.0));
        std::string why;
        const auto rgba = parseCssColorAlpha(stopProperty(stop, "stop-color", "black"), why);
        if (!rgba) {
            return failAt(text, s, why);
        }
        // stop-opacity multiplies the colour's own alpha.
        const std::string_view opacity = stopProperty(stop, "stop-opacity", "1");
        const auto alpha = fraction(opacity);
        if (!alpha) {
            return failAt(text, s, "the stop-opacity " + shown(opacity) + " is not a number");
        }
        g.stops.push_back({highest,
                           {(*rgba)[0], (*rgba)[1], (*rgba)[2]},
                           (*rgba)[3] * std::clamp(*alpha, 0.0, 1.0)});
    }
    return {};
}

void addNote(Gradient& g, const std::string& note) {
    g.note += (g.note.empty() ? "" : "; ") + note;
}

// The linear gradient a shape paints with (the first url(#id) that names one), else the first
// in the file: Inkscape writes the stops in one gradient, first, and the vector that is drawn in
// another that takes them through href.
std::size_t drawnGradient(std::string_view text) {
    constexpr int kMostTried = 16; // a file of many references stays linear in its size
    std::size_t url = text.find("url(#");
    for (int tried = 0; url != std::string_view::npos && tried < kMostTried; ++tried) {
        const std::size_t end = text.find(')', url);
        if (end == std::string_view::npos) {
            break;
        }
        std::string_view kind;
        const Tag tag = findGradient(text, trim(text.substr(url + 5, end - url - 5)), kind);
        if (tag.at != std::string_view::npos && kind == "linearGradient") {
            return tag.at;
        }
        url = text.find("url(#", end);
    }
    return findTag(text, "linearGradient", 0);
}

} // namespace

GradientReadResult readSvgGradient(std::string_view text) {
    const std::size_t at = drawnGradient(text);
    if (at == std::string_view::npos) {
        return readFailure(lineError(1, "no <linearGradient> found"));
    }
    // The gradient and the ones it takes from, nearest first: an attribute or the stops come
    // from the first that has them.
    std::vector<Tag> chain{readTag(text, at, "linearGradient")};
    std::vector<std::string_view> kinds{"linearGradient"};
    if (!chain[0].error.empty()) {
        return failAt(text, at, chain[0].error);
    }
    const auto inherited = [&](std::string_view name) -> const std::string_view* {
        for (std::size_t k = 0; k < chain.size(); ++k) {
            const std::string_view* v =
                kinds[k] == "linearGradient" ? attribute(chain[k], name) : nullptr;
            if (v != nullptr) {
                return v;
            }
        }
        return nullptr;
    };

    Gradient g;
    while (true) {
        const Tag& last = chain.back();
        if (GradientReadResult r = readStops(text, last, kinds.back(), g); !r.error.empty()) {
            return r;
        }
        if (!g.stops.empty()) {
            break;
        }
        const std::string_view* link = attribute(last, "href");
        link = link != nullptr ? link : attribute(last, "xlink:href");
        if (link == nullptr) {
            return failAt(text, last.at, "the gradient has no <stop>");
        }
        const std::string_view id = trim(*link);
        if (!id.starts_with('#')) {
            return failAt(text, last.at,
                          "href " + shown(id) + " does not name a gradient in this file (#id)");
        }
        if (static_cast<int>(chain.size()) > kMaxLinks) {
            return failAt(text, at, "the gradients' href go round in a loop");
        }
        std::string_view kind;
        Tag next = findGradient(text, id.substr(1), kind);
        if (next.at == std::string_view::npos) {
            return failAt(text, last.at, "href " + shown(id) + ": no gradient has that id");
        }
        chain.push_back(std::move(next));
        kinds.push_back(kind);
    }

    double vector[4];
    const char* names[] = {"x1", "y1", "x2", "y2"};
    const std::string_view defaults[] = {"0", "0", "1", "0"};
    for (int k = 0; k < 4; ++k) {
        const std::string_view* given = inherited(names[k]);
        const auto v = fraction(given != nullptr ? *given : defaults[k]);
        if (!v) {
            return failAt(text, at, std::string(names[k]) + " is not a number");
        }
        vector[k] = *v;
    }
    const double dx = vector[2] - vector[0];
    const double dy = vector[3] - vector[1];
    g.direction = std::fabs(dx) >= std::fabs(dy) ? (dx >= 0 ? 0 : 2) : (dy > 0 ? 1 : 3);
    if (chain.size() > 1) {
        addNote(g, "the stops are those of the gradient it refers to (href)");
    }
    if (inherited("gradientTransform") != nullptr) {
        addNote(g, "gradientTransform is not applied: the colours are read along x1,y1 to x2,y2, "
                   "and the direction from those alone");
    }
    if (const std::string_view* spread = inherited("spreadMethod");
        spread != nullptr && trim(*spread) != "pad") {
        addNote(g, "spreadMethod " + shown(trim(*spread)) +
                       " is not followed: only the gradient vector itself is read, one period");
    }
    g.ownLength = lengthHint(text);
    return {std::move(g), {}};
}

} // namespace spectrane
