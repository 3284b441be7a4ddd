// The channel curves as quadratic B-splines: anchors from control points and back, and the
// per-dot evaluation into the ColorLine, whole or only around one moved control point.
#pragma once

#include "model/gradation_document.h"

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

// Whole-number points of open segment s (1..n-2) and of loop segment j (-1..n; indices
// outside 0..n-1 stand for the neighbouring periods).
WholeSegment openSegmentPoints(const ChannelCurve& curve, int s);
WholeSegment loopSegmentPoints(const ChannelCurve& curve, int length, int j);

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
