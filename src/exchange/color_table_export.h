// Export of a gradation as a colour table for other programs: CSS, SVG, GIMP gradient, GMT
// palette, ParaView colour map (all with the fewest stops) and CSV (every dot).
#pragma once

#include "exchange/exchange_format.h"
#include "files/file_result.h"
#include "model/gradation_document.h"

#include <filesystem>
#include <string>

namespace spectrane {

struct ColorTableOptions {
    int tolerance = 0;              // levels a reader may be off by after rounding, 0..255
    std::string name = "Spectrane"; // the gradient's name where the format has one
};

// The comment by which our own exports state the gradation's length, so that an import gets
// the same number of dots back: "spectrane-length: L".
inline constexpr std::string_view kLengthHintKey = "spectrane-length:";

// The colour table of an evaluated document in a colour-table format (Css, Svg, Ggr, Cpt, Json
// or Csv; anything else gives an empty text). The colours are those displayed (CMY documents
// give their mixed RGB); a loop document gives one period, dots 0..L-1. Stops lie on dots: in
// CSS and SVG, which fill a box, dot j at the centre of pixel j of L, (j + 1/2) / L of the way
// (the ends padded); in the others, which map a data range, at j / (L - 1).
std::string exportColorTable(const GradationDocument& doc, ExchangeFormat format,
                             const ColorTableOptions& options);

// Writes the colour table through the one safe writer; the failure is returned.
FileResult writeColorTable(const std::filesystem::path& target, const GradationDocument& doc,
                           ExchangeFormat format, const ColorTableOptions& options);

} // namespace spectrane
