// Fixed mapping between dots/levels and the main canvas's pixel coordinates, in which every
// curve point of the document is held, and the places on the canvas derived from it.
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
    // The plot panel, the part of the plot copied between buffers: x 54..L+57, y 30..353.
    static constexpr int kPanelLeft = 54;
    static constexpr int kPanelTop = 30;
    static constexpr int kPanelHeight = 324;
    static constexpr int kContentHeight = 490;
    static constexpr int kMinContentWidth = 300;

    int length = 512;

    static constexpr CanvasGeometry forLength(int l) { return CanvasGeometry{l}; }
    constexpr int firstDotX() const { return kDotX0; }
    constexpr int lastDotX() const { return kDotX0 + length - 1; }
    constexpr int panelWidth() const { return length + 4; }
    constexpr int panelRight() const { return kPanelLeft + panelWidth() - 1; }
    // Content width of the main canvas: L + 112, at least 300.
    constexpr int contentWidth() const {
        return length + 112 < kMinContentWidth ? kMinContentWidth : length + 112;
    }

    static constexpr int dotX(int dot) { return kDotX0 + dot; }
    static constexpr int dotOfX(int x) { return x - kDotX0; }
    static constexpr int levelY(int level) { return kLevelY0 - level; }
    static constexpr int levelOfY(int y) { return kLevelY0 - y; }
};

} // namespace spectrane
