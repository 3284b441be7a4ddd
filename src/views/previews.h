// The small pictures of the tool windows: the preview sheet drawn once at start-up (miniature
// plot, arrows, four sample strips) and the preview canvas composed from it for the direction,
// length and width settings, with dimension brackets and their labels.
#pragma once

#include "model/shown_text.h"

#include "raster/primitives.h"
#include "raster/surface.h"
#include "raster/text_renderer.h"

#include <string>
#include <string_view>

namespace spectrane {

// Background of dialogs and of the preview pictures (the desktop's 3D-face colour).
inline constexpr Color kDialogFaceColor = rgb(240, 240, 240);
inline constexpr Color kArrowOutlineColor = rgb(255, 255, 255);
inline constexpr Color kArrowFillColor = rgb(224, 0, 0);
inline constexpr Color kDimensionColor = rgb(0, 0, 0);

inline constexpr std::string_view kLengthLabel = QT_TRANSLATE_NOOP("Messages", "長さ");
inline constexpr std::string_view kWidthLabel = QT_TRANSLATE_NOOP("Messages", "幅");

// The labels of the dimension brackets as shown; the program passes them translated.
struct DimensionLabels {
    std::string length{kLengthLabel};
    std::string width{kWidthLabel};
};

// Where the sample strip lands on the canvas (inclusive), for even and for odd directions.
struct CanvasBox {
    int left, top, right, bottom;
};
inline constexpr CanvasBox kHorizontalStripBox{32, 80, 159, 111};
inline constexpr CanvasBox kVerticalStripBox{80, 32, 111, 159};

// Draws the whole 128 x 385 sheet. The sample curves are solved and evaluated in a scratch
// document of 128 dots, so no program state is touched.
void DrawPreviewSheet(Surface& sheet);

// Clears the 320 x 192 canvas and puts the miniature plot with its arrow at (192, 32).
void PreparePreviewCanvas(Surface& canvas, const Surface& sheet);

// The left 192 x 192 square for direction d (0..3; taken modulo 4): strip and arrow with both
// dimensions (direction and new-gradation windows).
void DrawDirectionPreview(Surface& canvas, const Surface& sheet, int d, TextRenderer& text,
                          const DimensionLabels& labels = {});

// The strip alone with both dimensions (length window).
void DrawLengthPreview(Surface& canvas, const Surface& sheet, int d, TextRenderer& text,
                       const DimensionLabels& labels = {});

// The strip alone with the width dimension (save-bitmap window).
void DrawWidthPreview(Surface& canvas, const Surface& sheet, int d, TextRenderer& text,
                      const DimensionLabels& labels = {});

// One dimension bracket along the edge from `from` to `to` (equal x or equal y), standing
// outside the strip, with `label` (labelWidth x labelHeight pixels) beside it.
void DrawDimension(Surface& canvas, Point from, Point to, std::string_view label, int labelWidth,
                   int labelHeight, TextRenderer& text);

} // namespace spectrane
