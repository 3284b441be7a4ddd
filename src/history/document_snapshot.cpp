#include "history/document_snapshot.h"

#include <algorithm>

namespace spectrane {

DocumentSnapshot takeSnapshot(const GradationDocument& doc) {
    DocumentSnapshot s;
    s.settings = doc.settings();
    s.currentChannel = doc.currentChannel;
    std::size_t total = 0;
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        s.counts[ch] = std::clamp(doc.channels[ch].pointCount, 0, kMaxPoints);
        total += static_cast<std::size_t>(s.counts[ch]);
    }
    s.points.reserve(total);
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        const auto& c = doc.channels[ch].controlPoints;
        s.points.insert(s.points.end(), c.begin(), c.begin() + s.counts[ch]);
    }
    return s;
}

void restoreSnapshot(const DocumentSnapshot& s, GradationDocument& doc) {
    doc.settings() = s.settings;
    doc.currentChannel = s.currentChannel;
    auto point = s.points.begin();
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        ChannelCurve& curve = doc.channels[ch];
        curve.pointCount = s.counts[ch];
        std::copy(point, point + s.counts[ch], curve.controlPoints.begin());
        point += s.counts[ch];
    }
}

std::size_t snapshotBytes(const DocumentSnapshot& s) {
    return sizeof(DocumentSnapshot) + s.points.capacity() * sizeof(CurvePoint);
}

} // namespace spectrane
