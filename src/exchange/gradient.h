// A gradient on its way in or out: colour stops along a line as the importers read them, and
// the displayed colours of a gradation's dots as the exporters and the fitting use them.
#pragma once

#include "model/gradation_document.h"
#include "raster/surface.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace spectrane {

// A displayed colour, components 0..255.
struct Rgb8 {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;

    // Component 0, 1, 2 = red, green, blue.
    int operator[](int c) const { return c == 0 ? r : c == 1 ? g : b; }
    friend bool operator==(const Rgb8&, const Rgb8&) = default;
};

// The two spellings of one displayed colour.
inline Rgb8 rgb8Of(Color c) {
    return {static_cast<std::uint8_t>(redOf(c)), static_cast<std::uint8_t>(greenOf(c)),
            static_cast<std::uint8_t>(blueOf(c))};
}
inline Color colorOf(const Rgb8& c) {
    return rgb(c.r, c.g, c.b);
}

// One colour stop: a position on the gradient's own scale and a colour, components 0..255
// (fractions allowed).
struct GradientStop {
    double position = 0.0;
    std::array<double, 3> rgb{};
    double alpha = 1.0; // opacity 0..1
    // Where between this stop and the next the colour is half way, as a fraction of the
    // interval (a CSS colour hint); 0.5 is the straight blend.
    double hint = 0.5;
};

// A colour with its opacity: red, green, blue 0..255, alpha 0..1.
using Rgba = std::array<double, 4>;

// What a partly transparent gradient is laid over, components 0..255, and its name as the
// import's report gives it.
struct Background {
    std::array<double, 3> rgb{255, 255, 255};
    std::string name = "white";
};

// A gradient as read from a file.
struct Gradient {
    // At least one stop, positions non-decreasing; two stops at one position make a hard edge.
    std::vector<GradientStop> stops;
    // The stretch of the scale that the dots span, first dot at `from`, last at `to`: 0..1 for
    // CSS and SVG, the first to the last stop for the others.
    double from = 0.0;
    double to = 1.0;
    // Dots the input has of itself (rows, pixels, or the length our own export states);
    // 0 when it has none.
    int ownLength = 0;
    int direction = kDefaultDirection; // how the input lays the gradient out, 0..3
    // A repeating gradient: from..to is one period, imported as a loop, dot j of L sampled at
    // the centre of its pixel, from + (to - from)(j + 1/2)/L.
    bool loop = false;
    std::string note; // something the user should know about the reading, or empty
    // Dots are pixels of a box drawn over from..to (CSS, SVG): dot j of L at (j + 1/2) / L of
    // the way rather than at j / (L - 1).
    bool pixelCentres = false;
    // Transparent stops mix premultiplied by their opacity (CSS) rather than straight.
    bool premultiplied = false;
    // The stops are a picture's pixels: the report counts pixels, not stops.
    bool pixels = false;
    // When set, the exact colour at a position (blends that are not straight lines, or that
    // mix in another colour space); the stops then only mark where its pieces meet.
    std::function<Rgba(double)> colorAt;
};

// The stops with an opacity below 1.
int partlyTransparentStops(const Gradient& g);

// A gradient, or what is wrong with the input.
struct GradientReadResult {
    std::optional<Gradient> gradient;
    std::string error; // "line N: what is wrong" or "byte N: ..."; empty on success
};

// Dots to sample a gradient at when no length is asked for: its own length clamped to
// 2..1600; without one, the fewest dots whose grid holds every stop, raised to at least 256 by
// whole multiples; 1600 when no grid of up to 1600 dots holds them.
int naturalLength(const Gradient& g);

// The colours of `length` (2..1600) dots spread evenly over from..to (one period for a loop):
// linear between neighbouring stops (bent by a hint) or the gradient's own colorAt, laid over
// `over` where partly transparent, rounded to whole levels, the end colours beyond the end
// stops. A dot on a hard edge takes the later colour.
std::vector<Rgb8> sampleGradient(const Gradient& g, int length, const Background& over = {});

// The displayed colour of dots 0..L-1 of an evaluated document (in every model the sRGB it shows).
std::vector<Rgb8> documentColors(const GradationDocument& doc);

} // namespace spectrane
