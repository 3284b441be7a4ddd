// Text output onto a Surface through a font service the pure layers do not own: the GUI
// provides one (fonts by face name), tests provide fakes.
#pragma once

#include "raster/surface.h"

#include <string>
#include <string_view>

namespace spectrane {

// Face names the program asks for; the GUI maps them to installed substitutes.
inline constexpr std::string_view kGothicFace = "ＭＳ Ｐゴシック"; // untranslated: a name
inline constexpr std::string_view kCourierFace = "Courier New";
inline constexpr std::string_view kCalistoFace = "Calisto MT";

struct TextStyle {
    std::string face{kGothicFace}; // UTF-8 face name
    int pixelHeight = 12;          // character height in pixels
    Color color = 0;
    bool opaque = false;  // fill the text's cell with `background` before drawing
    Color background = 0; // used only when opaque
};

struct TextExtent {
    int width = 0;  // advance width of the whole string, pixels
    int height = 0; // cell height (ascent + descent), pixels
};

// Draws and measures single-line UTF-8 text. Implementations must allow calls from more than
// one thread (the drag worker draws the position read-out).
class TextRenderer {
public:
    virtual ~TextRenderer() = default;

    // Draws `text` with its cell's top-left corner at (x, y), clipped to the surface.
    virtual void drawText(Surface& surface, int x, int y, std::string_view text,
                          const TextStyle& style) = 0;

    // Size of the cell drawText would fill for `text`; {0, 0} when nothing can be measured.
    virtual TextExtent measureText(std::string_view text, const TextStyle& style) = 0;
};

// Text whose top-left corner is (x, y), in the style's face and pixel height at normal
// weight, colour and background mode.
inline void DrawLabel(Surface& surface, TextRenderer& renderer, std::string_view text, int x, int y,
                      const TextStyle& style) {
    renderer.drawText(surface, x, y, text, style);
}

} // namespace spectrane
