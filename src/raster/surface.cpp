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
    if (r.right <= r.left) {
        return;
    }
    for (int y = r.top; y < r.bottom; ++y) {
        std::fill(s.row(y) + r.left, s.row(y) + r.right, c);
    }
}

void fillRectWide(Surface& s, std::int64_t left, std::int64_t top, std::int64_t right,
                  std::int64_t bottom, Color c) {
    const std::int64_t l = std::max<std::int64_t>(left, 0);
    const std::int64_t t = std::max<std::int64_t>(top, 0);
    const std::int64_t r = std::min<std::int64_t>(right, s.width());
    const std::int64_t b = std::min<std::int64_t>(bottom, s.height());
    if (l >= r || t >= b) {
        return;
    }
    fillRect(
        s, {static_cast<int>(l), static_cast<int>(t), static_cast<int>(r), static_cast<int>(b)}, c);
}

void drawVerticalLine(Surface& s, int x, int y0, int y1, Color c) {
    // In 64 bits: the pixel after an end may lie beyond the int range.
    const std::int64_t x64 = x;
    if (y1 >= y0) {
        fillRectWide(s, x64, y0, x64 + 1, y1, c);
    } else {
        fillRectWide(s, x64, std::int64_t{y1} + 1, x64 + 1, std::int64_t{y0} + 1, c);
    }
}

} // namespace spectrane
