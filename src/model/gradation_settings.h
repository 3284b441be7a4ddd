// The settings that shape, interpret and edit a gradation, kept together wherever they travel:
// in the document, in the settings file, in a drag's snapshot and in a synchro pass.
#pragma once

#include "model/canvas_geometry.h"

#include <array>

namespace spectrane {

inline constexpr int kDefaultLength = 512;
inline constexpr int kDefaultDirection = 1; // top to bottom

struct GradationSettings {
    int length = kDefaultLength;       // L, 2..1600
    int direction = kDefaultDirection; // 0..3; bit 0 set = vertical
    bool loop = false;                 // the curves are periodic over L
    bool cmy = false;                  // the channels are C, M, Y
    bool synchro = false;              // edits of a checked channel move every checked one
    std::array<bool, kChannelCount> synchroChannels{};

    bool vertical() const { return (direction & 1) != 0; }
    CanvasGeometry geometry() const { return CanvasGeometry::forLength(length); }

    friend bool operator==(const GradationSettings&, const GradationSettings&) = default;
};

} // namespace spectrane
