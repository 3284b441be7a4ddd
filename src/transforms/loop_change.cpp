#include "transforms/loop_change.h"

#include "model/document_check.h"

#include <cmath>
#include <memory>

namespace spectrane {

namespace {

constexpr double kX0 = CanvasGeometry::kDotX0;

void pinEnds(GradationDocument& doc) {
    const int l = doc.length;
    const double lastX = doc.geometry().lastDotX();
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        ChannelCurve& curve = doc.channels[ch];
        auto& c = curve.controlPoints;
        const int n = curve.pointCount;
        // Both tests look at the anchors as they were before any slot is added.
        const bool startFree = std::floor(curve.anchorPoints[0].x) != kX0;
        const bool endFree = std::floor(curve.anchorPoints[n - 1].x) != lastX;
        int count = n;
        if (startFree && count < kMaxPoints) {
            for (int k = count; k > 0; --k) {
                c[k] = c[k - 1];
            }
            ++count;
        }
        c[0] = {kX0, static_cast<double>(doc.colorLine[ch][0].y)};
        if (endFree && count < kMaxPoints) {
            ++count;
        }
        c[count - 1] = {lastX, static_cast<double>(doc.colorLine[ch][l - 1].y)};
        curve.pointCount = count;
    }
}

} // namespace

bool convertLoopOff(GradationDocument& doc) {
    // Worked on a copy, so that a refused result leaves the document exactly as it was.
    auto open = std::make_unique<GradationDocument>(doc);
    open->loop = false;
    pinEnds(*open);
    if (!documentFault(*open).empty()) {
        return false;
    }
    open->loop = doc.loop;
    doc = *open;
    return true;
}

bool setLoop(GradationDocument& doc, bool loop) {
    if (doc.loop == loop) {
        return true;
    }
    if (!loop && !convertLoopOff(doc)) {
        return false;
    }
    doc.loop = loop;
    return true;
}

} // namespace spectrane
