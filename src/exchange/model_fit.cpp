#include "exchange/model_fit.h"

#include "model/color_mode.h"
#include "model/gradation_render.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <vector>

namespace spectrane {

namespace {

// Quarter-degree bins for the hue circle.
constexpr int kBins = 1440;

// Hue in degrees of each colour; nothing for a neutral one.
std::vector<std::optional<double>> huesOf(std::span<const Rgb8> colors) {
    std::vector<std::optional<double>> hues(colors.size());
    for (std::size_t j = 0; j < colors.size(); ++j) {
        const OkLch c = toOklch(oklabOf(colorOf(colors[j])));
        if (c.c >= kNeutralChroma) { // a grey's hue is the noise of its 8 bits
            hues[j] = c.h;
        }
    }
    return hues;
}

int binOf(double degrees) {
    return std::clamp(static_cast<int>(degrees / 360.0 * kBins), 0, kBins - 1);
}

} // namespace

double chooseHueOrigin(std::span<const Rgb8> colors, bool loop) {
    std::vector<double> path;
    for (const auto& h : huesOf(colors)) {
        if (h) {
            path.push_back(*h);
        }
    }
    if (path.empty()) {
        return 0.0;
    }
    // How many steps pass through each bin, each step the short way round.
    std::vector<int> passes(kBins, 0);
    const std::size_t steps = loop ? path.size() : path.size() - 1;
    for (std::size_t k = 0; k < steps; ++k) {
        double from = path[k];
        double span = path[(k + 1) % path.size()] - from;
        span -= 360.0 * std::round(span / 360.0);
        if (span < 0) {
            from += span;
            span = -span;
        }
        const int first = binOf(std::fmod(from + 360.0, 360.0));
        const int count = static_cast<int>(span / 360.0 * kBins) + 1;
        for (int b = 0; b < count; ++b) {
            ++passes[(first + b) % kBins];
        }
    }
    ++passes[binOf(path.front())]; // the first colour itself lies on the path
    const int fewest = *std::min_element(passes.begin(), passes.end());
    // The widest run of bins with the fewest passes, going round; its middle.
    int bestStart = 0;
    int bestLength = 0;
    for (int start = 0; start < kBins; ++start) {
        if (passes[start] != fewest || passes[(start + kBins - 1) % kBins] == fewest) {
            continue;
        }
        int length = 0;
        while (length < kBins && passes[(start + length) % kBins] == fewest) {
            ++length;
        }
        if (length > bestLength) {
            bestStart = start;
            bestLength = length;
        }
    }
    if (bestLength == 0) { // every bin has the fewest passes: a path all the way round
        return std::fmod(std::floor(path.front()) + 359.0, 360.0);
    }
    const double middle = (bestStart + bestLength / 2.0) * 360.0 / kBins;
    return std::fmod(middle, 360.0);
}

std::vector<Rgb8> levelsInModel(std::span<const Rgb8> colors, const ColorModel& model) {
    const bool oklch = model.mode == ColorMode::Oklch;
    const auto hues = oklch ? huesOf(colors) : std::vector<std::optional<double>>{};
    // The hue a neutral colour borrows: the last coloured one's before it, else the first's.
    double neutralHue = 0.0;
    const auto first = std::find_if(hues.begin(), hues.end(), [](const auto& h) { return h; });
    if (first != hues.end()) {
        neutralHue = hueLevel(**first, model.hueOrigin);
    }
    std::vector<Rgb8> out(colors.size());
    for (std::size_t j = 0; j < colors.size(); ++j) {
        if (oklch && hues[j]) {
            neutralHue = hueLevel(*hues[j], model.hueOrigin);
        }
        auto levels = levelsOfColor(colorOf(colors[j]), model);
        if (oklch) {
            levels[2] = neutralHue;
        }
        const auto level = [&](int k) {
            return static_cast<std::uint8_t>(std::clamp<long>(std::lround(levels[k]), 0, 255));
        };
        out[j] = {level(0), level(1), level(2)};
    }
    return out;
}

ModelFit fitCurvesInMode(std::span<const Rgb8> colors, ColorMode mode, int tolerance, bool loop,
                         int direction) {
    ColorModel model{mode, 0.0};
    if (mode == ColorMode::Oklch) {
        model.hueOrigin = chooseHueOrigin(colors, loop);
    }
    ModelFit result;
    result.fit = fitCurves(levelsInModel(colors, model), tolerance, loop, direction);
    if (!result.fit.document) {
        return result;
    }
    GradationDocument& doc = *result.fit.document;
    doc.mode = model.mode;
    doc.hueOrigin = model.hueOrigin;
    for (int j = 0; j < doc.length; ++j) {
        const Color shown = mixedColor(doc.colorLine, j, model);
        const Rgb8& want = colors[static_cast<std::size_t>(j)];
        result.displayedError =
            std::max({result.displayedError, std::abs(redOf(shown) - want.r),
                      std::abs(greenOf(shown) - want.g), std::abs(blueOf(shown) - want.b)});
    }
    return result;
}

} // namespace spectrane
