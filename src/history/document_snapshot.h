// A document as undo keeps it: its settings, its current channel and each channel's control
// points, packed (a whole document is at most about 12 KB). Anchors and levels are not kept:
// they follow from the control points.
#pragma once

#include "model/gradation_document.h"

#include <array>
#include <vector>

namespace spectrane {

struct DocumentSnapshot {
    GradationSettings settings;
    ChannelIndex currentChannel = 0;
    std::array<int, kChannelCount> counts{};
    std::vector<CurvePoint> points; // channel 0's, then 1's, then 2's

    friend bool operator==(const DocumentSnapshot&, const DocumentSnapshot&) = default;
};

DocumentSnapshot takeSnapshot(const GradationDocument& doc);

// Puts the settings, current channel, counts and control points back into `doc`; the anchors
// and levels are then stale, for the caller's rebuild. The thickness is left alone: it belongs to
// the gradation window.
void restoreSnapshot(const DocumentSnapshot& snapshot, GradationDocument& doc);

// Bytes the snapshot holds, for the history's bound.
std::size_t snapshotBytes(const DocumentSnapshot& snapshot);

} // namespace spectrane
