#include "raster/surface.h"

#include <algorithm>

namespace spectrane {

Surface::Surface(int width, int height, Color fill)
    : width_(std::max(0, width)), height_(std::max(0, height)),
      pixels_(static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_), fill) {}

void Surface::fill(Color c) {
    std::fill(pixels_.begin(), pixels_.end(), c);
}

Rect clipToSurface(const Surface& s, Rect r) {
    r.left = std::max(r.left, 0);
    r.top = std::max(r.top, 0);
    r.right = std::min(r.right, s.width());
    r.bottom = std::min(r.bottom, s.height());
    return r;
}

void fillRect(Surface& s, Rect r, Color c) {
    r = clipToSurface(s, r);
    for (int y = r.top; y < r.bottom; ++y) {
        std::fill(s.row(y) + r.left, s.row(y) + std::max(r.left, r.right), c);
    }
}

void drawVerticalLine(Surface& s, int x, int y0, int y1, Color c) {
    if (y1 >= y0) {
        fillRect(s, {x, y0, x + 1, y1}, c);
    } else {
        fillRect(s, {x, y1 + 1, x + 1, y0 + 1}, c);
    }
}

} // namespace spectrane
