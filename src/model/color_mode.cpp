#include "model/color_mode.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace spectrane {

namespace {

int clampLevel(int v) {
    return std::clamp(v, 0, 255);
}

// Gamut mapping costs a binary search; a drag asks again and again for the same few thousand
// level triples, so each thread keeps the last results in a small direct-mapped table.
class OklchMemo {
public:
    ShownColor get(int l, int c, int h, double hueOrigin) {
        if (hueOrigin != origin_) {
            std::fill(entries_.begin(), entries_.end(), Entry{});
            origin_ = hueOrigin;
        }
        // Bit 24 marks a filled entry, so that levels 0, 0, 0 are not taken for an empty one.
        const auto key = static_cast<std::uint32_t>(1 << 24 | l << 16 | c << 8 | h);
        Entry& e = entries_[(key * 2654435761u) >> (32 - kBits)];
        if (e.key != key) {
            const GamutMapped m = gamutMapToSrgb(oklchOfLevels(l, c, h, hueOrigin));
            int shown = c;
            if (m.mapped) {
                const double chroma = toOklch(oklabOf(m.color)).c / kOklchMaxChroma * 255.0;
                shown = std::clamp(static_cast<int>(std::lround(chroma)), 0, c);
            }
            e = {key, m.color, m.mapped, shown};
        }
        return {e.color, e.mapped, e.shown};
    }

private:
    struct Entry {
        std::uint32_t key = 0;
        Color color = 0;
        bool mapped = false;
        int shown = 0;
    };
    static constexpr int kBits = 14;
    std::vector<Entry> entries_ = std::vector<Entry>(std::size_t{1} << kBits);
    double origin_ = 0.0;
};

} // namespace

const char* colorModeName(ColorMode mode) {
    static constexpr const char* kNames[] = {"rgb", "cmy", "oklch"};
    return kNames[static_cast<std::size_t>(mode)];
}

const char* channelName(ColorMode mode, int ch) {
    static constexpr const char* kNames[3][3] = {{"R", "G", "B"}, {"C", "M", "Y"}, {"L", "C", "h"}};
    return kNames[static_cast<std::size_t>(mode)][ch];
}

OkLch oklchOfLevels(double lightness, double chroma, double hue, double hueOrigin) {
    double h = std::fmod(hueOrigin + hue / 255.0 * 360.0, 360.0);
    if (h < 0) {
        h += 360.0;
    }
    return {lightness / 255.0, chroma / 255.0 * kOklchMaxChroma, h};
}

double hueLevel(double degrees, double hueOrigin) {
    double d = std::fmod(degrees - hueOrigin, 360.0);
    if (d < 0) {
        d += 360.0;
    }
    return d / 360.0 * 255.0;
}

ShownColor shownColor(int level0, int level1, int level2, const ColorModel& model) {
    const int l0 = clampLevel(level0);
    const int l1 = clampLevel(level1);
    const int l2 = clampLevel(level2);
    switch (model.mode) {
    case ColorMode::Cmy:
        return {rgb(255 - l0, 255 - l1, 255 - l2), false, 0};
    case ColorMode::Oklch: {
        thread_local OklchMemo memo;
        return memo.get(l0, l1, l2, model.hueOrigin);
    }
    case ColorMode::Rgb:
        break;
    }
    return {rgb(l0, l1, l2), false, 0};
}

std::array<double, 3> levelsOfColor(Color color, const ColorModel& model) {
    switch (model.mode) {
    case ColorMode::Cmy:
        return {255.0 - redOf(color), 255.0 - greenOf(color), 255.0 - blueOf(color)};
    case ColorMode::Oklch: {
        const OkLch c = toOklch(oklabOf(color));
        return {std::clamp(c.l * 255.0, 0.0, 255.0),
                std::clamp(c.c / kOklchMaxChroma * 255.0, 0.0, 255.0),
                hueLevel(c.h, model.hueOrigin)};
    }
    case ColorMode::Rgb:
        break;
    }
    return {double(redOf(color)), double(greenOf(color)), double(blueOf(color))};
}

} // namespace spectrane
