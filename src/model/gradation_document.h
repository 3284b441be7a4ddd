// The one editable document: three channel curves and the settings that shape, interpret,
// edit and render the gradation they make.
#pragma once

#include "model/gradation_settings.h"

#include <array>
#include <cstdint>

namespace spectrane {

// 0, 1, 2 = R, G, B (or C, M, Y in CMY mode).
using ChannelIndex = int;

// One point of a curve, in canvas coordinates (x = 56 + dot, y = 320 - level).
struct CurvePoint {
    double x = 0.0;
    double y = 0.0;
    friend bool operator==(const CurvePoint&, const CurvePoint&) = default;
};

// A channel's quadratic B-spline: the stored control points and the derived on-curve anchors,
// entries 0..pointCount-1 valid in both.
struct ChannelCurve {
    std::int32_t pointCount = 0;
    std::array<CurvePoint, kMaxPoints> controlPoints{};
    std::array<CurvePoint, kMaxPoints> anchorPoints{};
};

// One evaluated dot: canvas x (56 + dot) and canvas y of the curve there (65..320).
struct ColorLinePoint {
    std::int32_t x = 0;
    std::int32_t y = CanvasGeometry::kLevelY0;
    friend bool operator==(const ColorLinePoint&, const ColorLinePoint&) = default;
};

// The evaluated curves, 1600 dots per channel; entries from `length` on carry no meaning.
// Serves both as the graph's polyline and as the per-dot level table of all colour output.
struct ColorLine {
    std::array<std::array<ColorLinePoint, kMaxDots>, kChannelCount> channels{};

    std::array<ColorLinePoint, kMaxDots>& operator[](ChannelIndex ch) { return channels[ch]; }
    const std::array<ColorLinePoint, kMaxDots>& operator[](ChannelIndex ch) const {
        return channels[ch];
    }
    // Level 0..255 of dot j of channel ch.
    int level(ChannelIndex ch, int dot) const {
        return CanvasGeometry::kLevelY0 - channels[ch][dot].y;
    }
};

// Width across the gradation in the gradation window at start-up and after New.
inline constexpr int kDefaultThickness = 192;

// The one document: its settings (the base, so that doc.length reads as it is) and the curves.
struct GradationDocument : GradationSettings {
    int thickness = kDefaultThickness; // width across the gradation in the gradation window
    std::array<ChannelCurve, kChannelCount> channels{};
    ColorLine colorLine{};
    ChannelIndex currentChannel = 0;

    GradationSettings& settings() { return *this; }
    const GradationSettings& settings() const { return *this; }
};

} // namespace spectrane
