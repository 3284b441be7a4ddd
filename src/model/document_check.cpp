#include "model/document_check.h"

#include <cmath>

namespace spectrane {

bool withinBound(const CurvePoint& p) {
    return std::isfinite(p.x) && std::isfinite(p.y) && std::fabs(p.x) <= kCoordinateBound &&
           std::fabs(p.y) <= kCoordinateBound;
}

std::string documentFault(const GradationDocument& doc) {
    if (doc.length < kMinDots || doc.length > kMaxDots) {
        return "length " + std::to_string(doc.length) + " outside " + std::to_string(kMinDots) +
               ".." + std::to_string(kMaxDots);
    }
    if (doc.direction < 0 || doc.direction > 3) {
        return "direction " + std::to_string(doc.direction) + " outside 0..3";
    }
    if (!(doc.hueOrigin >= 0.0 && doc.hueOrigin < 360.0)) {
        return "hue origin outside 0..360";
    }
    const int minPoints = doc.loop ? 1 : 2;
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        const ChannelCurve& curve = doc.channels[ch];
        if (curve.pointCount < minPoints || curve.pointCount > kMaxPoints) {
            return "channel " + std::to_string(ch) + " point count " +
                   std::to_string(curve.pointCount) + " outside " + std::to_string(minPoints) +
                   "..256";
        }
        for (int i = 0; i < curve.pointCount; ++i) {
            if (!withinBound(curve.controlPoints[i])) {
                return "channel " + std::to_string(ch) + " point " + std::to_string(i) +
                       " has a coordinate that is not finite or beyond ±1e9";
            }
        }
    }
    return {};
}

} // namespace spectrane
