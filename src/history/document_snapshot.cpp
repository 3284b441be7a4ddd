#include "history/document_snapshot.h"

#include <algorithm>

namespace spectrane {

DocumentSnapshot takeSnapshot(const GradationDocument& doc) {
    DocumentSnapshot s;
    s.settings = doc.settings();
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
    auto point = s.points.begin();
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        ChannelCurve& curve = doc.channels[ch];
        curve.pointCount = s.counts[ch];
        std::copy(point, point + s.counts[ch], curve.controlPoints.begin());
        point += s.counts[ch];
    }
}

std::optional<ChannelIndex> onlyChangedChannel(const DocumentSnapshot& a,
                                               const DocumentSnapshot& b) {
    std::optional<ChannelIndex> changed;
    auto pa = a.points.begin();
    auto pb = b.points.begin();
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        if (a.counts[ch] != b.counts[ch] || !std::equal(pa, pa + a.counts[ch], pb)) {
            if (changed) {
                return std::nullopt;
            }
            changed = ch;
        }
        pa += a.counts[ch];
        pb += b.counts[ch];
    }
    return changed;
}

std::size_t snapshotBytes(const DocumentSnapshot& s) {
    return sizeof(DocumentSnapshot) + s.points.capacity() * sizeof(CurvePoint);
}

} // namespace spectrane
