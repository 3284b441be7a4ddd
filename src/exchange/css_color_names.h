// The named colours of CSS (the SVG and X11 names as CSS Color 4 fixes them), for the CSS and
// SVG readers.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace spectrane {

// 0xRRGGBB of a colour name given in lower case ("transparent" and the system colours are not
// among them), or nothing.
std::optional<std::uint32_t> cssNamedColor(std::string_view lowerName);

} // namespace spectrane
