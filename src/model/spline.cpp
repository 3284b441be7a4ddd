#include "model/spline.h"

#include "model/whole_numbers.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace spectrane {

namespace {

constexpr int kX0 = CanvasGeometry::kDotX0;

CurvePoint weighted(const CurvePoint& a, const CurvePoint& c, const CurvePoint& b) {
    return {a.x * 0.125 + c.x * 0.75 + b.x * 0.125, a.y * 0.125 + c.y * 0.75 + b.y * 0.125};
}

CurvePoint reflect(const CurvePoint& about, const CurvePoint& p) {
    return {2.0 * about.x - p.x, 2.0 * about.y - p.y};
}

// Anchor i of an open curve before clamping.
CurvePoint openAnchor(const ChannelCurve& curve, int i) {
    const int n = curve.pointCount;
    const auto& c = curve.controlPoints;
    if (i == 0 || i == n - 1) {
        return c[i];
    }
    const CurvePoint a = i == 1 ? reflect(c[0], c[1]) : c[i - 1];
    const CurvePoint b = i == n - 2 ? reflect(c[n - 1], c[n - 2]) : c[i + 1];
    return weighted(a, c[i], b);
}

// Control point m of a loop curve; an index outside 0..n-1 is the same point of a
// neighbouring period, shifted by a whole number of periods L.
CurvePoint loopControl(const ChannelCurve& curve, int length, int m) {
    const int n = curve.pointCount;
    const int periods = m >= 0 ? m / n : -((n - 1 - m) / n);
    CurvePoint p = curve.controlPoints[m - periods * n];
    p.x += static_cast<double>(periods) * length;
    return p;
}

// Whole-number loop control point: x rounded down where it may be negative (the period to the
// left), truncated elsewhere.
WholePoint wholeLoopControl(const ChannelCurve& curve, int length, int m) {
    const CurvePoint p = loopControl(curve, length, m);
    return {m < 0 ? floorToInt(p.x) : truncToInt(p.x), truncToInt(p.y)};
}

void storeLevel(GradationDocument& doc, ChannelIndex ch, int dot, int y) {
    if (dot >= 0 && dot < doc.length) {
        doc.colorLine[ch][dot].y =
            std::clamp(y, CanvasGeometry::kLevelTopY, CanvasGeometry::kLevelY0);
    }
}

} // namespace

void deriveAnchor(GradationDocument& doc, ChannelIndex ch, int i) {
    ChannelCurve& curve = doc.channels[ch];
    const int n = curve.pointCount;
    const double x1 = kX0 + doc.length - 1;
    CurvePoint d;
    if (!doc.loop) {
        d = openAnchor(curve, i);
        if (i > 0 && i < n - 1) {
            d.x = std::clamp(d.x, static_cast<double>(kX0), x1);
        }
    } else {
        i = ((i % n) + n) % n;
        d = n == 1 ? curve.controlPoints[0]
                   : weighted(loopControl(curve, doc.length, i - 1), curve.controlPoints[i],
                              loopControl(curve, doc.length, i + 1));
        d.x = std::clamp(d.x, static_cast<double>(kX0), x1);
    }
    d.y = std::clamp(d.y, static_cast<double>(CanvasGeometry::kAnchorMinY),
                     static_cast<double>(CanvasGeometry::kAnchorMaxY));
    curve.anchorPoints[i] = d;
}

void deriveAnchors(GradationDocument& doc, ChannelIndex ch) {
    for (int i = 0; i < doc.channels[ch].pointCount; ++i) {
        deriveAnchor(doc, ch, i);
    }
}

void fitControlPoints(ChannelCurve& curve) {
    const int n = curve.pointCount;
    const auto& d = curve.anchorPoints;
    auto& c = curve.controlPoints;
    c[0] = d[0];
    c[n - 1] = d[n - 1];
    if (n <= 2) {
        return;
    }
    if (n == 3) {
        c[1] = {(d[1].x - 0.25 * d[0].x - 0.25 * d[2].x) * 2.0,
                (d[1].y - 0.25 * d[0].y - 0.25 * d[2].y) * 2.0};
        return;
    }
    // Rows 1..n-2 of a tridiagonal system with diagonal 5, 6, ..., 6, 5 and off-diagonals 1,
    // solved by forward elimination and back substitution (strictly diagonally dominant).
    std::array<double, kMaxPoints> diag{};
    std::array<CurvePoint, kMaxPoints> rhs{};
    for (int i = 1; i <= n - 2; ++i) {
        diag[i] = (i == 1 || i == n - 2) ? 5.0 : 6.0;
        rhs[i] = {8.0 * d[i].x, 8.0 * d[i].y};
    }
    rhs[1].x -= 2.0 * d[0].x;
    rhs[1].y -= 2.0 * d[0].y;
    rhs[n - 2].x -= 2.0 * d[n - 1].x;
    rhs[n - 2].y -= 2.0 * d[n - 1].y;
    for (int i = 2; i <= n - 2; ++i) {
        const double w = 1.0 / diag[i - 1];
        diag[i] -= w;
        rhs[i].x -= w * rhs[i - 1].x;
        rhs[i].y -= w * rhs[i - 1].y;
    }
    c[n - 2] = {rhs[n - 2].x / diag[n - 2], rhs[n - 2].y / diag[n - 2]};
    for (int i = n - 3; i >= 1; --i) {
        c[i] = {(rhs[i].x - c[i + 1].x) / diag[i], (rhs[i].y - c[i + 1].y) / diag[i]};
    }
}

void fitLoopControlPoints(ChannelCurve& curve, int length) {
    const int n = curve.pointCount;
    const auto& d = curve.anchorPoints;
    auto& c = curve.controlPoints;
    if (n <= 1) {
        c[0] = d[0];
        return;
    }
    // Rows C[i-1] + 6 C[i] + C[i+1] = 8 D[i], cyclic; the neighbour across the seam lies one
    // period away, which moves L to the right-hand side of the first and last rows.
    std::array<CurvePoint, kMaxPoints> rhs{};
    for (int i = 0; i < n; ++i) {
        rhs[i] = {8.0 * d[i].x, 8.0 * d[i].y};
    }
    rhs[0].x += length;
    rhs[n - 1].x -= length;
    if (n == 2) {
        // [6 2; 2 6] C = rhs.
        c[0] = {(6.0 * rhs[0].x - 2.0 * rhs[1].x) / 32.0, (6.0 * rhs[0].y - 2.0 * rhs[1].y) / 32.0};
        c[1] = {(6.0 * rhs[1].x - 2.0 * rhs[0].x) / 32.0, (6.0 * rhs[1].y - 2.0 * rhs[0].y) / 32.0};
        return;
    }
    // Sherman-Morrison: the cyclic matrix is a tridiagonal one (diagonal 6, first and last
    // entries changed) plus u v^T with u = (gamma, 0, ..., 0, 1), v = (1, 0, ..., 0, 1/gamma).
    const double gamma = -6.0;
    std::array<double, kMaxPoints> diag{};
    diag.fill(6.0);
    diag[0] = 6.0 - gamma;
    diag[n - 1] = 6.0 - 1.0 / gamma;
    std::array<double, kMaxPoints> u{};
    u[0] = gamma;
    u[n - 1] = 1.0;
    // Forward elimination with off-diagonals 1, applied to rhs (x, y) and u together.
    for (int i = 1; i < n; ++i) {
        const double w = 1.0 / diag[i - 1];
        diag[i] -= w;
        rhs[i].x -= w * rhs[i - 1].x;
        rhs[i].y -= w * rhs[i - 1].y;
        u[i] -= w * u[i - 1];
    }
    std::array<double, kMaxPoints> z{};
    c[n - 1] = {rhs[n - 1].x / diag[n - 1], rhs[n - 1].y / diag[n - 1]};
    z[n - 1] = u[n - 1] / diag[n - 1];
    for (int i = n - 2; i >= 0; --i) {
        c[i] = {(rhs[i].x - c[i + 1].x) / diag[i], (rhs[i].y - c[i + 1].y) / diag[i]};
        z[i] = (u[i] - z[i + 1]) / diag[i];
    }
    const double denom = 1.0 + z[0] + z[n - 1] / gamma;
    const double fx = (c[0].x + c[n - 1].x / gamma) / denom;
    const double fy = (c[0].y + c[n - 1].y / gamma) / denom;
    for (int i = 0; i < n; ++i) {
        c[i].x -= fx * z[i];
        c[i].y -= fy * z[i];
    }
}

WholeSegment openSegmentPoints(const ChannelCurve& curve, int s) {
    const int n = curve.pointCount;
    const auto& c = curve.controlPoints;
    const CurvePoint start =
        s == 1 ? c[0] : CurvePoint{(c[s - 1].x + c[s].x) * 0.5, (c[s - 1].y + c[s].y) * 0.5};
    const CurvePoint end =
        s == n - 2 ? c[n - 1]
                   : CurvePoint{(c[s].x + c[s + 1].x) * 0.5, (c[s].y + c[s + 1].y) * 0.5};
    return {{truncToInt(start.x), truncToInt(start.y)},
            {truncToInt(c[s].x), truncToInt(c[s].y)},
            {truncToInt(end.x), truncToInt(end.y)}};
}

WholeSegment loopSegmentPoints(const ChannelCurve& curve, int length, int j) {
    const WholePoint p = wholeLoopControl(curve, length, j);
    const WholePoint prev = wholeLoopControl(curve, length, j - 1);
    const WholePoint next = wholeLoopControl(curve, length, j + 1);
    // Sums are taken in double: each term is within +-2^29, so nothing overflows.
    const auto half = [](std::int32_t a, std::int32_t b) {
        return (static_cast<double>(a) + static_cast<double>(b)) * 0.5;
    };
    return {{floorToInt(half(prev.x, p.x)), truncToInt(half(prev.y, p.y))},
            p,
            {truncToInt(half(p.x, next.x)), truncToInt(half(p.y, next.y))}};
}

void evaluateQuadSegment(GradationDocument& doc, ChannelIndex ch, const WholeSegment& seg,
                         bool firstSegment, SegmentForm form) {
    const double y0 = seg.start.y;
    const double y1 = seg.middle.y;
    const double y2 = seg.end.y;
    visitQuadSegmentDots(doc.length, seg, firstSegment, form, [&](int dot, double t) {
        const int y =
            truncToInt(y0 * (1.0 - t) * (1.0 - t) + (2.0 * y1) * t * (1.0 - t) + y2 * t * t + 0.5);
        storeLevel(doc, ch, dot, y);
    });
}

void evaluateLineSegment(GradationDocument& doc, ChannelIndex ch, WholePoint a, WholePoint b,
                         bool lastSegment) {
    if (b.x <= a.x) {
        return;
    }
    const std::int64_t dx = static_cast<std::int64_t>(b.x) - a.x;
    const std::int64_t diff = static_cast<std::int64_t>(b.y) - a.y;
    const std::int64_t dy = diff < 0 ? -diff : diff;
    const std::int64_t sy = diff > 0 ? 1 : (diff < 0 ? -1 : 0);
    const std::int64_t last = lastSegment ? b.x : static_cast<std::int64_t>(b.x) - 1;
    // Dots outside the gradation are never stored; skip them.
    const std::int64_t from = std::max<std::int64_t>(a.x, kX0);
    const std::int64_t to = std::min<std::int64_t>(last, kX0 + doc.length - 1);
    for (std::int64_t x = from; x <= to; ++x) {
        const std::int64_t y = a.y + sy * ((x - a.x) * dy / dx); // non-negative: floor = div
        storeLevel(doc, ch, static_cast<int>(x - kX0),
                   static_cast<int>(std::clamp<std::int64_t>(y, CanvasGeometry::kLevelTopY,
                                                             CanvasGeometry::kLevelY0)));
    }
}

void evaluateChannel(GradationDocument& doc, ChannelIndex ch) {
    const ChannelCurve& curve = doc.channels[ch];
    const int n = curve.pointCount;
    const auto& d = curve.anchorPoints;
    if (!doc.loop) {
        if (n == 2) {
            evaluateLineSegment(doc, ch, {truncToInt(d[0].x), truncToInt(d[0].y)},
                                {truncToInt(d[1].x), truncToInt(d[1].y)}, true);
            return;
        }
        for (int s = 1; s <= n - 2; ++s) {
            evaluateQuadSegment(doc, ch, openSegmentPoints(curve, s), s == 1, SegmentForm::Open);
        }
        return;
    }
    if (n == 1) {
        // Flat at the one anchor's level: from its dot to the last dot, then from dot 0 to
        // its dot, both pieces including their end so that every dot is written.
        const WholePoint anchor{truncToInt(d[0].x), truncToInt(d[0].y)};
        evaluateLineSegment(doc, ch, anchor, {kX0 + doc.length - 1, anchor.y}, true);
        evaluateLineSegment(doc, ch, {kX0, anchor.y}, anchor, true);
        return;
    }
    for (int s = 0; s < n; ++s) {
        evaluateQuadSegment(doc, ch, loopSegmentPoints(curve, doc.length, s), s == 0,
                            SegmentForm::Loop);
    }
}

void evaluateChannels(GradationDocument& doc) {
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        for (int j = 0; j < doc.length; ++j) {
            doc.colorLine[ch][j].x = kX0 + j;
        }
        evaluateChannel(doc, ch);
    }
}

DirtySpan reevaluateLoopLocal(GradationDocument& doc, ChannelIndex ch, int k) {
    const ChannelCurve& curve = doc.channels[ch];
    DirtySpan span;
    for (int j = k - 1; j <= k + 1; ++j) {
        const WholeSegment seg = loopSegmentPoints(curve, doc.length, j);
        if (j == k - 1) {
            span.firstX = seg.start.x;
        }
        if (j == k + 1) {
            span.lastX = seg.end.x;
        }
        evaluateQuadSegment(doc, ch, seg, false, SegmentForm::Loop);
    }
    if (static_cast<std::int64_t>(span.lastX) - span.firstX > doc.length) {
        span.firstX = kX0;
        span.lastX = kX0 + doc.length - 1;
    }
    return span;
}

DirtySpan reevaluateOpenLocal(GradationDocument& doc, ChannelIndex ch, int i) {
    const ChannelCurve& curve = doc.channels[ch];
    const int n = curve.pointCount;
    const int first = std::max(1, i - 1);
    const int last = std::min(n - 2, i + 1);
    DirtySpan span;
    for (int s = first; s <= last; ++s) {
        const WholeSegment seg = openSegmentPoints(curve, s);
        if (s == first) {
            span.firstX = seg.start.x;
        }
        if (s == last) {
            span.lastX = seg.end.x;
        }
        evaluateQuadSegment(doc, ch, seg, s == 1, SegmentForm::Open);
    }
    span.firstX = std::max(span.firstX, kX0);
    span.lastX = std::min(span.lastX, kX0 + doc.length - 1);
    return span;
}

} // namespace spectrane
