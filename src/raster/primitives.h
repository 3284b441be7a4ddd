// The drawing primitives every picture of the program is made of, on a Surface, following the
// classic raster rules: a line omits its end pixel, an ellipse's box is right/bottom exclusive,
// and the boxes named "inclusive" below include their right column and bottom row.
// Every primitive clips to the surface and accepts any int coordinates, however far outside.
#pragma once

#include "raster/surface.h"

#include <span>

namespace spectrane {

struct Point {
    int x = 0;
    int y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

// One-pixel line from (x1, y1) towards (x2, y2); the end pixel itself is not drawn, so a line
// from a point to itself draws nothing.
void DrawLine(Surface& s, int x1, int y1, int x2, int y2, Color pen);

// Lines through consecutive points; every point but the last is drawn.
void DrawPolyline(Surface& s, std::span<const Point> points, Color pen);

// Filled box including its right column and bottom row; nothing if right < left or
// bottom < top.
void FillBox(Surface& s, int left, int top, int right, int bottom, Color c);

// Sunken frame: left and top edges light, right and bottom edges dark.
void DrawBevel(Surface& s, int left, int top, int right, int bottom);
inline constexpr Color kBevelLight = rgb(160, 160, 160);
inline constexpr Color kBevelDark = rgb(104, 104, 104);

// One-pixel outline of the box, inclusive edges, inside left untouched; nothing if inverted.
void DrawOutlinedBox(Surface& s, int left, int top, int right, int bottom, Color pen);

// Polygon closed back to its first point: the pixels whose centres lie inside (even-odd rule)
// are filled, then every edge is outlined in the pen colour.
void FillPolygon(Surface& s, std::span<const Point> points, Color pen, Color fill);

// Hollow ellipse inscribed in the box left..right-1, top..bottom-1; nothing for an empty box.
void DrawEllipse(Surface& s, int left, int top, int right, int bottom, Color pen);

// Hollow circle of radius r around (x, y), in the box (x-r+1, y-r+1)..(x+r+1, y+r+1)
// (exclusive): with r = 2 it covers the 4 x 4 pixels (x-1, y-1)..(x+2, y+2).
void DrawPointMarker(Surface& s, int x, int y, int r, Color pen);

// Copies the w x h block at (srcX, srcY) of src to (dstX, dstY) of dst; only the part that
// lies on both surfaces is copied. src and dst may be the same surface.
void CopyBlock(Surface& dst, int dstX, int dstY, const Surface& src, int srcX, int srcY, int w,
               int h);

// As CopyBlock, but each destination pixel becomes the bitwise OR of itself and the source.
void CopyBlockOr(Surface& dst, int dstX, int dstY, const Surface& src, int srcX, int srcY, int w,
                 int h);

} // namespace spectrane
