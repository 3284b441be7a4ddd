// The channel curves as quadratic B-splines: anchors from control points and back, and the
// per-dot evaluation into the ColorLine, whole or only around one moved control point.
#pragma once

#include "model/gradation_document.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace spectrane {

// Canvas x range rewritten by a local re-evaluation, both ends inclusive. On a loop curve it
// may reach one period beyond either end of the gradation.
struct DirtySpan {
    std::int32_t firstX = 0;
    std::int32_t lastX = 0;
    friend bool operator==(const DirtySpan&, const DirtySpan&) = default;
};

struct WholePoint {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const WholePoint&, const WholePoint&) = default;
};

// A segment as the evaluation sees it: whole-number start, middle and end.
struct WholeSegment {
    WholePoint start;
    WholePoint middle;
    WholePoint end;
};

enum class SegmentForm { Open, Loop };

// Anchors 0..n-1 of channel ch from its control points (open or loop form by doc.loop),
// clamped to the gradation's x range (not the open curve's ends) and y 32..351.
void deriveAnchors(GradationDocument& doc, ChannelIndex ch);

// Anchor i alone, by the same rule; on a loop curve i is taken modulo n.
void deriveAnchor(GradationDocument& doc, ChannelIndex ch, int i);

// Control points of an open curve that make deriveAnchors give back its anchors (unclamped).
void fitControlPoints(ChannelCurve& curve);

// Control points of a loop curve of `length` dots that make deriveAnchors give back its
// anchors (before clamping): each anchor is (C[i-1] + 6 C[i] + C[i+1]) / 8, the neighbours
// across the seam shifted by one period.
void fitLoopControlPoints(ChannelCurve& curve, int length);

// Whole-number points of open segment s (1..n-2) and of loop segment j (-1..n; indices
// outside 0..n-1 stand for the neighbouring periods).
WholeSegment openSegmentPoints(const ChannelCurve& curve, int s);
WholeSegment loopSegmentPoints(const ChannelCurve& curve, int length, int j);

// Calls visit(dot, t) for every dot 0..length-1 that evaluateQuadSegment writes for `seg`, in
// the same order, with the curve parameter t (0..1) whose level it writes there.
template <typename Visit>
void visitQuadSegmentDots(int length, const WholeSegment& seg, bool firstSegment, SegmentForm form,
                          Visit&& visit) {
    const std::int64_t x0 = seg.start.x;
    const std::int64_t x1 = seg.middle.x;
    const std::int64_t x2 = seg.end.x;
    if (x2 <= x0) {
        return;
    }
    constexpr std::int64_t kX0 = CanvasGeometry::kDotX0;
    const std::int64_t lastDotX = kX0 + length - 1;
    std::int64_t a = firstSegment ? x0 : x0 + 1;
    std::int64_t b = x2;
    if (form == SegmentForm::Open) {
        a = std::max<std::int64_t>(a, kX0);
        b = std::min(b, lastDotX);
    } else {
        // Beyond one period on either side nothing is written; skip those dots unvisited so
        // a wildly stretched segment costs no more than one period.
        a = std::max<std::int64_t>(a, kX0 - length);
        b = std::min<std::int64_t>(b, lastDotX + length);
    }
    const double qa = static_cast<double>(x0 - 2 * x1 + x2);
    const double qb = static_cast<double>(2 * (x1 - x0));
    const bool linear = std::fabs(qa) <= 1e-8;
    for (std::int64_t x = a; x <= b; ++x) {
        double t;
        if (linear) {
            t = static_cast<double>(x - x0) / static_cast<double>(x2 - x0);
        } else {
            const double qc = static_cast<double>(x0 - x);
            // Never negative in exact arithmetic for x within the segment; rounding of huge
            // coordinates must not turn it into a NaN.
            const double r = std::max(0.0, qb * qb - 4.0 * qa * qc);
            const double root = std::sqrt(r);
            t = (-qb - root) / (2.0 * qa);
            if (t < 0.0 || t > 1.0) {
                t = (-qb + root) / (2.0 * qa);
            }
        }
        std::int64_t dot = x - kX0;
        if (form == SegmentForm::Loop) {
            if (x >= kX0 + length) {
                dot = x - kX0 - length;
            } else if (x < kX0) {
                dot = x - kX0 + length;
            }
        }
        if (dot >= 0 && dot < length) {
            visit(static_cast<int>(dot), t);
        }
    }
}

// Writes the levels of one quadratic segment into channel ch's ColorLine.
void evaluateQuadSegment(GradationDocument& doc, ChannelIndex ch, const WholeSegment& seg,
                         bool firstSegment, SegmentForm form);

// Writes an exact integer straight line from a to b (b's dot only when lastSegment).
void evaluateLineSegment(GradationDocument& doc, ChannelIndex ch, WholePoint a, WholePoint b,
                         bool lastSegment);

// Levels of every dot of channel ch; reads anchors for the straight forms.
void evaluateChannel(GradationDocument& doc, ChannelIndex ch);

// x and levels of dots 0..L-1 of all three channels.
void evaluateChannels(GradationDocument& doc);

// Re-evaluates the three segments of a loop curve (n >= 3) that depend on control point k.
DirtySpan reevaluateLoopLocal(GradationDocument& doc, ChannelIndex ch, int k);

// Re-evaluates the up to three segments of an open curve (n >= 3) that depend on control
// point i; the span is cut to the gradation.
DirtySpan reevaluateOpenLocal(GradationDocument& doc, ChannelIndex ch, int i);

} // namespace spectrane
