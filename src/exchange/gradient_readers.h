// Readers of the gradients other programs write: each turns a file's bytes into a Gradient or
// names the line (or byte) where the input goes wrong and what is wrong there.
#pragma once

#include "exchange/exchange_format.h"
#include "exchange/gradient.h"

#include <cstdint>
#include <span>
#include <string_view>

namespace spectrane {

// Which line of a picture is the gradient: a row (top-down) or a column (left to right);
// index -1 is the middle one.
struct ImageLine {
    bool column = false;
    int index = -1;
};

// "dot,r,g,b" or "r,g,b" rows of levels 0..255, with or without a header line.
GradientReadResult readCsvGradient(std::string_view text);
// The first linear-gradient(...) or repeating-linear-gradient(...) of a text: direction
// keyword or angle, colour stops with up to two percentages each, colour hints; a repeating
// one gives its period as a loop.
GradientReadResult readCssGradient(std::string_view text);
// The first <linearGradient> of an SVG with its <stop> elements, or those of the gradient it
// names through href (its vector attributes inherited likewise).
GradientReadResult readSvgGradient(std::string_view text);
// A GIMP gradient: RGB segments of any blending.
GradientReadResult readGgrGradient(std::string_view text);
// A GMT colour palette in RGB: "z0 r/g/b z1 r/g/b" (or r g b) lines.
GradientReadResult readCptGradient(std::string_view text);
// A ParaView colour-map preset: the first one with "RGBPoints".
GradientReadResult readJsonGradient(std::string_view text);
// One row or column of an 8- or 16-bit PNG of any colour type (alpha ignored), read with
// libpng.
GradientReadResult readPngGradient(std::span<const std::uint8_t> bytes, ImageLine line);
// One row or column of an uncompressed 24- or 32-bit BMP.
GradientReadResult readBmpGradient(std::span<const std::uint8_t> bytes, ImageLine line);

// The reader of `format`.
GradientReadResult readGradient(ExchangeFormat format, std::span<const std::uint8_t> bytes,
                                ImageLine line);

// A failed read with its "line N: ..." or "byte N: ..." text.
inline GradientReadResult readFailure(std::string error) {
    return {std::nullopt, std::move(error)};
}

} // namespace spectrane
