// Our own 32-bit raster drawing surface (pixels 0x00RRGGBB), allocated once at its full size.
// Every drawing operation clips to the surface: nothing is ever written outside it.
#pragma once

#include <cstdint>
#include <vector>

namespace spectrane {

using Color = std::uint32_t; // 0x00RRGGBB

constexpr Color rgb(int r, int g, int b) {
    return (static_cast<Color>(r & 0xff) << 16) | (static_cast<Color>(g & 0xff) << 8) |
           static_cast<Color>(b & 0xff);
}
constexpr int redOf(Color c) {
    return static_cast<int>((c >> 16) & 0xff);
}
constexpr int greenOf(Color c) {
    return static_cast<int>((c >> 8) & 0xff);
}
constexpr int blueOf(Color c) {
    return static_cast<int>(c & 0xff);
}

// Integer rectangle, right and bottom exclusive.
struct Rect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

class Surface {
public:
    Surface() = default;
    Surface(int width, int height, Color fill = 0);

    int width() const { return width_; }
    int height() const { return height_; }
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }

    Color pixel(int x, int y) const { return pixels_[index(x, y)]; }
    void setPixel(int x, int y, Color c) {
        if (contains(x, y)) {
            pixels_[index(x, y)] = c;
        }
    }
    Color* row(int y) { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    const Color* row(int y) const { return pixels_.data() + static_cast<std::size_t>(y) * width_; }
    Color* data() { return pixels_.data(); }
    const Color* data() const { return pixels_.data(); }
    // Bytes from one row to the next.
    int strideBytes() const { return width_ * static_cast<int>(sizeof(Color)); }

    void fill(Color c);

private:
    std::size_t index(int x, int y) const {
        return static_cast<std::size_t>(y) * width_ + static_cast<std::size_t>(x);
    }

    int width_ = 0;
    int height_ = 0;
    std::vector<Color> pixels_;
};

// The part of r that lies on the surface; empty (right <= left or bottom <= top) if none.
Rect clipToSurface(const Surface& s, Rect r);

// Filled rectangle, right column and bottom row excluded.
void fillRect(Surface& s, Rect r, Color c);

// The same for edges given in 64 bits, so that callers may form "one past" edges of any int
// coordinate without overflow.
void fillRectWide(Surface& s, std::int64_t left, std::int64_t top, std::int64_t right,
                  std::int64_t bottom, Color c);

// One-pixel vertical line from (x, y0) to (x, y1), the end pixel omitted.
void drawVerticalLine(Surface& s, int x, int y0, int y1, Color c);

} // namespace spectrane
