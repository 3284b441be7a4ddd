#include "raster/primitives.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

namespace spectrane {

namespace {

using i64 = std::int64_t;
// Products of two coordinate differences of up to 2^32 each need more than 64 bits.
__extension__ using i128 = __int128;

i64 absWide(i64 v) {
    return v < 0 ? -v : v;
}

void putPixel(Surface& s, i64 x, i64 y, Color c) {
    if (x >= 0 && y >= 0 && x < s.width() && y < s.height()) {
        s.row(static_cast<int>(y))[x] = c;
    }
}

// Pixels x0..x1 (inclusive) of row y.
void horizontalRun(Surface& s, i64 x0, i64 x1, i64 y, Color c) {
    if (x0 <= x1) {
        fillRectWide(s, x0, y, x1 + 1, y + 1, c);
    }
}

// Pixel k of a line (k = 0..n-1, n = the major extent) lies at major a0 + sa*k and minor
// b0 + sb*round(k*m/n), ties rounded up. Only the steps whose major coordinate lies on the
// surface are visited, so a line of any length costs at most one surface width or height.
void rasterLine(Surface& s, i64 x1, i64 y1, i64 x2, i64 y2, Color c) {
    const i64 dx = x2 - x1;
    const i64 dy = y2 - y1;
    if (dx == 0 && dy == 0) {
        return;
    }
    const bool xMajor = absWide(dx) >= absWide(dy);
    const i64 a0 = xMajor ? x1 : y1;
    const i64 b0 = xMajor ? y1 : x1;
    const i64 da = xMajor ? dx : dy;
    const i64 db = xMajor ? dy : dx;
    const i64 sa = da < 0 ? -1 : 1;
    const i64 sb = db < 0 ? -1 : 1;
    const i64 n = absWide(da); // at least 1: the line is not a point
    const i64 m = absWide(db);
    if (n == 0) {
        return;
    }
    const i64 extent = xMajor ? s.width() : s.height();

    i64 kLo = 0;
    i64 kHi = n - 1;
    if (sa > 0) {
        kLo = std::max(kLo, -a0);
        kHi = std::min(kHi, extent - 1 - a0);
    } else {
        kLo = std::max(kLo, a0 - (extent - 1));
        kHi = std::min(kHi, a0);
    }
    if (kLo > kHi) {
        return;
    }
    const i64 twoN = 2 * n;
    const i128 num = static_cast<i128>(2) * kLo * m + n;
    i64 q = static_cast<i64>(num / twoN);
    i64 r = static_cast<i64>(num % twoN);
    for (i64 k = kLo; k <= kHi; ++k) {
        const i64 a = a0 + sa * k;
        const i64 b = b0 + sb * q;
        if (xMajor) {
            putPixel(s, a, b, c);
        } else {
            putPixel(s, b, a, c);
        }
        r += 2 * m;
        if (r >= twoN) {
            r -= twoN;
            ++q;
        }
    }
}

// Clips a w x h block copy to both surfaces; false if nothing remains.
struct BlockCopy {
    int dstX, dstY, srcX, srcY, w, h;
};

bool clipBlock(const Surface& dst, i64 dx, i64 dy, const Surface& src, i64 sx, i64 sy, i64 w, i64 h,
               BlockCopy& out) {
    if (sx < 0) {
        dx -= sx;
        w += sx;
        sx = 0;
    }
    if (sy < 0) {
        dy -= sy;
        h += sy;
        sy = 0;
    }
    if (dx < 0) {
        sx -= dx;
        w += dx;
        dx = 0;
    }
    if (dy < 0) {
        sy -= dy;
        h += dy;
        dy = 0;
    }
    w = std::min({w, src.width() - sx, dst.width() - dx});
    h = std::min({h, src.height() - sy, dst.height() - dy});
    if (w <= 0 || h <= 0) {
        return false;
    }
    out = {static_cast<int>(dx), static_cast<int>(dy), static_cast<int>(sx),
           static_cast<int>(sy), static_cast<int>(w),  static_cast<int>(h)};
    return true;
}

// Rows in an order that is safe when source and destination overlap on one surface.
template <typename RowOp> void forEachRow(const BlockCopy& b, bool sameSurface, RowOp op) {
    if (sameSurface && b.dstY > b.srcY) {
        for (int i = b.h - 1; i >= 0; --i) {
            op(i);
        }
    } else {
        for (int i = 0; i < b.h; ++i) {
            op(i);
        }
    }
}

// Inside span of an ellipse row, as pixel offsets from the box's left edge; empty if lo > hi.
struct Span {
    i64 lo = 1;
    i64 hi = 0;
};

Span ellipseRow(i64 w, i64 h, i64 row) {
    if (row < 0 || row >= h) {
        return {};
    }
    const double rx = static_cast<double>(w) / 2.0;
    const double ry = static_cast<double>(h) / 2.0;
    const double v = (static_cast<double>(row) + 0.5 - ry) / ry;
    if (v * v > 1.0) {
        return {};
    }
    const double half = rx * std::sqrt(1.0 - v * v);
    Span span{static_cast<i64>(std::ceil(rx - half - 0.5)),
              static_cast<i64>(std::floor(rx + half - 0.5))};
    span.lo = std::max<i64>(span.lo, 0);
    span.hi = std::min<i64>(span.hi, w - 1);
    return span;
}

} // namespace

void DrawLine(Surface& s, int x1, int y1, int x2, int y2, Color pen) {
    rasterLine(s, x1, y1, x2, y2, pen);
}

void DrawPolyline(Surface& s, std::span<const Point> points, Color pen) {
    for (std::size_t i = 1; i < points.size(); ++i) {
        rasterLine(s, points[i - 1].x, points[i - 1].y, points[i].x, points[i].y, pen);
    }
}

void FillBox(Surface& s, int left, int top, int right, int bottom, Color c) {
    fillRectWide(s, left, top, i64{right} + 1, i64{bottom} + 1, c);
}

void DrawBevel(Surface& s, int left, int top, int right, int bottom) {
    const Point light[] = {{left, bottom}, {left, top}, {right, top}};
    const Point dark[] = {{right, top}, {right, bottom}, {left, bottom}};
    DrawPolyline(s, light, kBevelLight);
    DrawPolyline(s, dark, kBevelDark);
}

void DrawOutlinedBox(Surface& s, int left, int top, int right, int bottom, Color pen) {
    if (right < left || bottom < top) {
        return;
    }
    const i64 r1 = i64{right} + 1;
    const i64 b1 = i64{bottom} + 1;
    fillRectWide(s, left, top, r1, i64{top} + 1, pen);
    fillRectWide(s, left, bottom, r1, b1, pen);
    fillRectWide(s, left, top, i64{left} + 1, b1, pen);
    fillRectWide(s, right, top, r1, b1, pen);
}

void FillPolygon(Surface& s, std::span<const Point> points, Color pen, Color fill) {
    const std::size_t n = points.size();
    if (n == 0) {
        return;
    }
    if (n >= 3) {
        i64 minY = points[0].y;
        i64 maxY = points[0].y;
        for (const Point& p : points) {
            minY = std::min<i64>(minY, p.y);
            maxY = std::max<i64>(maxY, p.y);
        }
        const i64 firstRow = std::max<i64>(minY, 0);
        const i64 lastRow = std::min<i64>(maxY, i64{s.height()} - 1);
        std::vector<double> crossings;
        crossings.reserve(n);
        // Crossing positions are clamped just outside the surface before any conversion.
        const double lowX = -1.0;
        const double highX = static_cast<double>(s.width()) + 1.0;
        for (i64 y = firstRow; y <= lastRow; ++y) {
            const double yc = static_cast<double>(y) + 0.5;
            crossings.clear();
            for (std::size_t i = 0; i < n; ++i) {
                const Point& a = points[i];
                const Point& b = points[(i + 1) % n];
                const double ay = a.y;
                const double by = b.y;
                if ((ay <= yc && yc < by) || (by <= yc && yc < ay)) {
                    const double t = (yc - ay) / (by - ay);
                    const double x = a.x + t * (static_cast<double>(b.x) - a.x);
                    crossings.push_back(std::clamp(x, lowX, highX));
                }
            }
            std::sort(crossings.begin(), crossings.end());
            for (std::size_t i = 0; i + 1 < crossings.size(); i += 2) {
                // Pixels whose centre x + 0.5 lies in [from, to).
                const i64 x0 = static_cast<i64>(std::ceil(crossings[i] - 0.5));
                const i64 x1 = static_cast<i64>(std::ceil(crossings[i + 1] - 0.5)) - 1;
                horizontalRun(s, x0, x1, y, fill);
            }
        }
    }
    for (std::size_t i = 0; i < n; ++i) {
        const Point& a = points[i];
        const Point& b = points[(i + 1) % n];
        rasterLine(s, a.x, a.y, b.x, b.y, pen);
    }
    if (n == 1) {
        putPixel(s, points[0].x, points[0].y, pen);
    }
}

void DrawEllipse(Surface& s, int left, int top, int right, int bottom, Color pen) {
    const i64 w = i64{right} - left;
    const i64 h = i64{bottom} - top;
    if (w <= 0 || h <= 0) {
        return;
    }
    const i64 firstRow = std::max<i64>(0, -(i64{top}));
    const i64 lastRow = std::min<i64>(h - 1, i64{s.height()} - 1 - top);
    for (i64 row = firstRow; row <= lastRow; ++row) {
        const Span here = ellipseRow(w, h, row);
        if (here.lo > here.hi) {
            continue;
        }
        const i64 y = top + row;
        // A pixel is on the outline when a 4-neighbour lies outside the ellipse: both ends of
        // the row, and whatever the rows above and below do not cover.
        putPixel(s, left + here.lo, y, pen);
        putPixel(s, left + here.hi, y, pen);
        for (const Span& other : {ellipseRow(w, h, row - 1), ellipseRow(w, h, row + 1)}) {
            if (other.lo > other.hi) {
                horizontalRun(s, left + here.lo, left + here.hi, y, pen);
                continue;
            }
            horizontalRun(s, left + here.lo, left + std::min(here.hi, other.lo - 1), y, pen);
            horizontalRun(s, left + std::max(here.lo, other.hi + 1), left + here.hi, y, pen);
        }
    }
}

void DrawPointMarker(Surface& s, int x, int y, int r, Color pen) {
    const i64 left = i64{x} - r + 1;
    const i64 top = i64{y} - r + 1;
    const i64 right = i64{x} + r + 1;
    const i64 bottom = i64{y} + r + 1;
    // A box that no longer fits in int lies far off every surface.
    const auto fits = [](i64 v) { return v >= INT32_MIN && v <= INT32_MAX; };
    if (!fits(left) || !fits(top) || !fits(right) || !fits(bottom)) {
        return;
    }
    DrawEllipse(s, static_cast<int>(left), static_cast<int>(top), static_cast<int>(right),
                static_cast<int>(bottom), pen);
}

void CopyBlock(Surface& dst, int dstX, int dstY, const Surface& src, int srcX, int srcY, int w,
               int h) {
    BlockCopy b;
    if (!clipBlock(dst, dstX, dstY, src, srcX, srcY, w, h, b)) {
        return;
    }
    forEachRow(b, &dst == &src, [&](int i) {
        std::memmove(dst.row(b.dstY + i) + b.dstX, src.row(b.srcY + i) + b.srcX,
                     static_cast<std::size_t>(b.w) * sizeof(Color));
    });
}

void CopyBlockOr(Surface& dst, int dstX, int dstY, const Surface& src, int srcX, int srcY, int w,
                 int h) {
    BlockCopy b;
    if (!clipBlock(dst, dstX, dstY, src, srcX, srcY, w, h, b)) {
        return;
    }
    const bool same = &dst == &src;
    forEachRow(b, same, [&](int i) {
        Color* to = dst.row(b.dstY + i) + b.dstX;
        const Color* from = src.row(b.srcY + i) + b.srcX;
        if (same && b.dstY == b.srcY && b.dstX > b.srcX) {
            for (int x = b.w - 1; x >= 0; --x) {
                to[x] |= from[x];
            }
        } else {
            for (int x = 0; x < b.w; ++x) {
                to[x] |= from[x];
            }
        }
    });
}

} // namespace spectrane
