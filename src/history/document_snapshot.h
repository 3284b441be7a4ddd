// A document as undo keeps it: its settings and each channel's control points, packed (a whole
// document is at most about 12 KB). Anchors and levels are not kept: they follow from the
// control points. The current channel is not kept either: choosing one changes no document.
#pragma once

#include "model/gradation_document.h"

#include <array>
#include <optional>
#include <vector>

namespace spectrane {

struct DocumentSnapshot {
    GradationSettings settings;
    std::array<int, kChannelCount> counts{};
    std::vector<CurvePoint> points; // channel 0's, then 1's, then 2's

    friend bool operator==(const DocumentSnapshot&, const DocumentSnapshot&) = default;
};

DocumentSnapshot takeSnapshot(const GradationDocument& doc);

// Puts the settings, counts and control points back into `doc`; the anchors and levels are then
// stale, for the caller's rebuild. The thickness and the current channel are left alone.
void restoreSnapshot(const DocumentSnapshot& snapshot, GradationDocument& doc);

// The one channel whose curve differs between `a` and `b`; nothing when none or several do.
std::optional<ChannelIndex> onlyChangedChannel(const DocumentSnapshot& a,
                                               const DocumentSnapshot& b);

// Bytes the snapshot holds, for the history's bound.
std::size_t snapshotBytes(const DocumentSnapshot& snapshot);

} // namespace spectrane
