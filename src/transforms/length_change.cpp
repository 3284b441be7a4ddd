#include "transforms/length_change.h"

#include "model/curve_rebuild.h"
#include "model/document_check.h"

#include <algorithm>
#include <memory>

namespace spectrane {

namespace {

constexpr double kX0 = CanvasGeometry::kDotX0;

// The old curve's canvas y at a dot, as a control point coordinate.
double oldCurveY(const GradationDocument& doc, ChannelIndex ch, int dot) {
    return static_cast<double>(doc.colorLine[ch][dot].y);
}

void scale(GradationDocument& doc, int newLength, int oldLength, bool loop) {
    for (ChannelCurve& curve : doc.channels) {
        const int n = curve.pointCount;
        for (int k = 0; k < n; ++k) {
            if (loop || (k > 0 && k < n - 1)) {
                double& x = curve.controlPoints[k].x;
                x = kX0 + ((x - kX0) * newLength) / oldLength;
            }
        }
        if (!loop) {
            curve.controlPoints[0].x = kX0;
            curve.controlPoints[n - 1].x = CanvasGeometry::forLength(newLength).lastDotX();
        }
    }
}

void extendStart(GradationDocument& doc, int newLength, int oldLength, bool loop) {
    const double d = newLength - oldLength;
    for (ChannelCurve& curve : doc.channels) {
        for (int k = loop ? 0 : 1; k < curve.pointCount; ++k) {
            curve.controlPoints[k].x += d;
        }
        if (!loop) {
            curve.controlPoints[0].x = kX0;
        }
    }
}

void extendEnd(GradationDocument& doc, int newLength, bool loop) {
    if (loop) {
        return; // the period simply grows
    }
    for (ChannelCurve& curve : doc.channels) {
        curve.controlPoints[curve.pointCount - 1].x =
            CanvasGeometry::forLength(newLength).lastDotX();
    }
}

void cutStart(GradationDocument& doc, int newLength, int oldLength, bool loop) {
    const double cut = kX0 + oldLength - newLength; // x of the dot that becomes dot 0
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        ChannelCurve& curve = doc.channels[ch];
        const int n = curve.pointCount;
        int j = 0;
        while (j < n && !(curve.anchorPoints[j].x > cut)) {
            ++j;
        }
        auto& c = curve.controlPoints;
        if (!loop) {
            // The last anchor of an open curve always lies beyond the cut; the clamp only
            // guards curves whose ends are not where they belong.
            j = std::clamp(j, 1, n - 1);
            for (int k = j; k < n; ++k) {
                c[k - j + 1] = {kX0 + c[k].x - cut, c[k].y};
            }
            c[0] = {kX0, oldCurveY(doc, ch, oldLength - newLength)};
            curve.pointCount = n - j + 1;
        } else {
            // A loop curve keeps at least its last point when none lies beyond the cut.
            j = std::min(j, n - 1);
            for (int k = j; k < n; ++k) {
                c[k - j] = {kX0 + c[k].x - cut, c[k].y};
            }
            curve.pointCount = n - j;
        }
    }
}

void cutEnd(GradationDocument& doc, int newLength, bool loop) {
    const double end = CanvasGeometry::forLength(newLength).lastDotX(); // the new last dot
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        ChannelCurve& curve = doc.channels[ch];
        const int n = curve.pointCount;
        int i = n - 1;
        while (i >= 0 && !(curve.anchorPoints[i].x < end)) {
            --i;
        }
        if (!loop) {
            // As in cutStart, the clamp matters only for misplaced end points; it also keeps
            // the count from growing.
            i = std::clamp(i, 0, n - 2);
            curve.controlPoints[i + 1] = {end, oldCurveY(doc, ch, newLength - 1)};
            curve.pointCount = i + 2;
        } else {
            // A loop curve keeps at least its first point when none lies before the new end.
            curve.pointCount = std::max(i, 0) + 1;
        }
    }
}

// One end (or the whole, for method 0) from `from` to `to` dots.
void changeStart(GradationDocument& doc, int to, int from, bool loop) {
    if (to > from) {
        extendStart(doc, to, from, loop);
    } else if (to < from) {
        cutStart(doc, to, from, loop);
    }
}

void changeEnd(GradationDocument& doc, int to, int from, bool loop) {
    if (to > from) {
        extendEnd(doc, to, loop);
    } else if (to < from) {
        cutEnd(doc, to, loop);
    }
}

bool validLength(int length) {
    return length >= kMinDots && length <= kMaxDots;
}

void applyChange(GradationDocument& doc, const LengthChange& change) {
    const int newLength = change.newLength;
    const int oldLength = change.oldLength;
    const bool loop = doc.loop;
    if (newLength != oldLength) {
        switch (change.method) {
        case kLengthScale:
            scale(doc, newLength, oldLength, loop);
            break;
        case kLengthBothEnds: {
            const int mid = (newLength + oldLength) / 2;
            changeStart(doc, mid, oldLength, loop);
            if (newLength < oldLength && mid != oldLength && mid != newLength) {
                // The end cut searches anchors and reads levels: make them describe the curve
                // as the start cut left it, not the old one.
                doc.length = mid;
                rebuildAllCurves(doc);
            }
            changeEnd(doc, newLength, mid, loop);
            break;
        }
        case kLengthStartEnd:
            changeStart(doc, newLength, oldLength, loop);
            break;
        case kLengthFinishEnd:
            changeEnd(doc, newLength, oldLength, loop);
            break;
        }
    }
    doc.length = newLength;
}

} // namespace

bool ChangeLength(GradationDocument& doc, const LengthChange& change) {
    if (!validLength(change.newLength) || !validLength(change.oldLength) ||
        change.method < kLengthScale || change.method > kLengthFinishEnd) {
        return false;
    }
    // Worked on a copy, so that a refused result leaves the document exactly as it was.
    auto changed = std::make_unique<GradationDocument>(doc);
    applyChange(*changed, change);
    if (!documentFault(*changed).empty()) {
        return false;
    }
    doc = *changed;
    return true;
}

} // namespace spectrane
