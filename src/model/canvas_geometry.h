// Fixed mapping between dots/levels and the main canvas's pixel coordinates, in which every
// curve point of the document is held.
#pragma once

namespace spectrane {

inline constexpr int kMaxPoints = 256; // points per channel
inline constexpr int kMaxDots = 1600;  // longest gradation
inline constexpr int kMinDots = 2;     // shortest gradation
inline constexpr int kChannelCount = 3;

struct CanvasGeometry {
    static constexpr int kDotX0 = 56;       // canvas x of dot 0
    static constexpr int kLevelY0 = 320;    // canvas y of level 0
    static constexpr int kLevelTopY = 65;   // canvas y of level 255
    static constexpr int kAnchorMinY = 32;  // level 288
    static constexpr int kAnchorMaxY = 351; // level -31
    static constexpr int kPanelLeft = 54;   // left edge of the plot panel
    static constexpr int kContentHeight = 490;

    int length = 512;

    static constexpr CanvasGeometry forLength(int l) { return CanvasGeometry{l}; }
    constexpr int firstDotX() const { return kDotX0; }
    constexpr int lastDotX() const { return kDotX0 + length - 1; }
    constexpr int panelWidth() const { return length + 4; }
    // Content width of the main canvas: L + 112, at least 300.
    constexpr int contentWidth() const { return length + 112 < 300 ? 300 : length + 112; }

    static constexpr int dotX(int dot) { return kDotX0 + dot; }
    static constexpr int levelY(int level) { return kLevelY0 - level; }
    static constexpr int levelOfY(int y) { return kLevelY0 - y; }
};

} // namespace spectrane
