#include "exchange/gradient.h"
#include "exchange/gradient_import.h"
#include "exchange/model_fit.h"
#include "model/color_mode.h"
#include "model/curve_rebuild.h"
#include "support/fit_inputs.h"
#include "support/test_support.h"
#include "transforms/equalize.h"
#include "transforms/mode_change.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <iterator>
#include <tuple>

namespace spectrane {
namespace {

// Largest difference in sRGB levels between what two documents show, dot by dot.
int shownDifference(const GradationDocument& a, const GradationDocument& b) {
    return test::largestLevelDifference(documentColors(a), documentColors(b));
}

// The hue curve's steps between neighbouring dots, in levels (round the seam of a loop).
std::vector<int> hueSteps(const GradationDocument& doc) {
    const auto hue = [&](int j) { return doc.colorLine.level(kHueChannel, j % doc.length); };
    std::vector<int> steps;
    for (int j = 0; j + 1 < doc.length + (doc.loop ? 1 : 0); ++j) {
        steps.push_back(std::abs(hue(j + 1) - hue(j)));
    }
    return steps;
}

// Switching mode keeps the gradation, every setting but the curves, and reports the largest
// change of a shown colour; back in RGB or CMY the colours are the start's within a level.
TEST(ModeChange, KeepsTheGradationAndSaysByHowMuchItMoved) {
    for (std::uint32_t seed = 1; seed <= 3; ++seed) {
        auto doc = test::randomDocument(150 + 450 * static_cast<int>(seed), seed, seed == 2);
        doc->direction = 3;
        doc->synchro = true;
        doc->synchroChannels = {true, false, true};
        doc->thickness = 99;
        doc->currentChannel = 2;
        const ModeChange on = changeColorMode(*doc, ColorMode::Oklch);
        ASSERT_TRUE(on.document);
        const GradationDocument& lch = *on.document;
        EXPECT_EQ(on.displayedError, shownDifference(*doc, lch)) << seed;
        EXPECT_LE(on.fitError, kModeChangeTolerance) << seed;
        GradationSettings expected = doc->settings();
        std::tie(expected.mode, expected.hueOrigin) = std::pair(ColorMode::Oklch, lch.hueOrigin);
        EXPECT_EQ(lch.settings(), expected);
        EXPECT_EQ((std::pair{lch.thickness, lch.currentChannel}), (std::pair{99, 2}));
        for (const ColorMode back : {ColorMode::Rgb, ColorMode::Cmy}) {
            const ModeChange off = changeColorMode(lch, back);
            EXPECT_EQ(off.document->mode, back);
            // OKLCh's levels jitter by a level from dot to dot, beyond what 256 points follow.
            EXPECT_LE(off.fitError, kModeChangeTolerance + 1) << seed;
            EXPECT_EQ(off.displayedError, off.fitError) << seed; // their levels are the colours
            EXPECT_LE(shownDifference(*doc, *off.document), on.displayedError + 1) << seed;
        }
    }
}

// The hue origin lies off the path: gradients through red and through blue keep their hue curve
// within a few levels from dot to dot; a path all round the circle crosses it once.
TEST(ModeChange, TheHueOriginLiesWhereThePathDoesNotGo) {
    const auto ramp = [](Color a, Color b, bool loop) {
        return test::dotsDocument(
            300,
            [a, b](int j) {
                const auto mix = [&](int ca, int cb) { return ca + (cb - ca) * j / 299; };
                return rgb(mix(redOf(a), redOf(b)), mix(greenOf(a), greenOf(b)),
                           mix(blueOf(a), blueOf(b)));
            },
            loop);
    };
    for (const auto& doc : {ramp(rgb(255, 0, 255), rgb(255, 160, 0), false),
                            ramp(rgb(0, 255, 255), rgb(255, 0, 255), false)}) {
        const ModeChange lch = changeColorMode(*doc, ColorMode::Oklch);
        EXPECT_LE(std::ranges::max(hueSteps(*lch.document)), 8) << lch.document->hueOrigin;
    }
    // Red, green, blue and back: every hue is passed once.
    auto rainbow = test::dotsDocument(
        300,
        [](int j) {
            const int k = j % 100 * 255 / 99;
            return j < 100 ? rgb(255 - k, k, 0) : j < 200 ? rgb(0, 255 - k, k) : rgb(k, 0, 255 - k);
        },
        true);
    const auto crossings = hueSteps(*changeColorMode(*rainbow, ColorMode::Oklch).document);
    EXPECT_EQ(std::ranges::count_if(crossings, [](int step) { return step > 128; }), 1);
    EXPECT_LE(chooseHueOrigin(std::vector<Rgb8>(5, Rgb8{90, 90, 90}), false), 0.0); // greys
    // An import comes in the mode asked for, its ends as the file gives them.
    const std::string_view csv = "r,g,b\n255,0,255\n255,0,0\n255,160,0\n";
    ImportOptions options;
    options.mode = ColorMode::Oklch;
    options.length = 200;
    const ImportResult in =
        importGradient("t.csv", std::vector<std::uint8_t>(csv.begin(), csv.end()), options);
    ASSERT_TRUE(in.document) << in.error;
    EXPECT_EQ(in.document->mode, ColorMode::Oklch);
    EXPECT_LE(std::ranges::max(hueSteps(*in.document)), 8);
    const std::vector<Rgb8> shown = documentColors(*in.document);
    EXPECT_LE(std::abs(shown.front().b - 255) + std::abs(shown.back().g - 160), 8);
}

// Evening out makes random documents far more even in both metrics (at least 0.45 in CIEDE2000,
// 0.7 in OKLab), in every mode, keeping the ends within the fit's level.
TEST(Equalize, RandomGradationsComeOutMoreEven) {
    const Analyzer analyzer;
    for (std::uint32_t seed = 1; seed <= 4; ++seed) {
        auto doc = test::randomDocument(120 + 150 * static_cast<int>(seed), seed, seed % 3 == 0);
        doc->mode = static_cast<ColorMode>(seed % 3);
        rebuildAllCurves(*doc);
        const StepMetric metric = seed % 2 != 0 ? StepMetric::Ciede2000 : StepMetric::Oklab;
        const Equalized even = equalizeSteps(*doc, analyzer, metric);
        ASSERT_TRUE(even.document);
        const double floor = metric == StepMetric::Ciede2000 ? 0.45 : 0.7;
        EXPECT_GT(even.uniformityAfter, std::max(even.uniformityBefore + 0.2, floor)) << seed;
        EXPECT_EQ(even.uniformityAfter, uniformityIn(*even.document, analyzer, metric));
        EXPECT_EQ(even.document->mode, doc->mode);
        // Never less even than the plain one-level fit of the even colours.
        const std::vector<Rgb8> before = documentColors(*doc);
        std::vector<Color> shown;
        std::vector<Rgb8> evened;
        std::ranges::transform(before, std::back_inserter(shown), colorOf);
        std::ranges::transform(evenOutSteps(analyzer, shown, doc->loop, metric),
                               std::back_inserter(evened), rgb8Of);
        auto plain = fitCurvesInMode(evened, doc->mode, 1, doc->loop, doc->direction).fit.document;
        plain->synchroChannels = doc->synchroChannels;
        EXPECT_GE(even.uniformityAfter, uniformityIn(*plain, analyzer, metric)) << seed;
        const std::vector<Rgb8> after = documentColors(*even.document);
        EXPECT_LE(test::largestLevelDifference({before.front(), before.back()},
                                               {after.front(), after.back()}),
                  8)
            << seed;
    }
}

} // namespace
} // namespace spectrane
