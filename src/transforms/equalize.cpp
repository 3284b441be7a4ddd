#include "transforms/equalize.h"

#include "exchange/gradient.h"
#include "exchange/model_fit.h"
#include "model/gradation_render.h"
#include "transforms/mode_change.h"

#include <algorithm>

namespace spectrane {

namespace {

std::vector<Color> shownColors(const GradationDocument& doc) {
    std::vector<Color> shown(static_cast<std::size_t>(doc.length));
    for (int j = 0; j < doc.length; ++j) {
        shown[static_cast<std::size_t>(j)] = mixedColor(doc.colorLine, j, doc.colorModel());
    }
    return shown;
}

} // namespace

double uniformityIn(const GradationDocument& doc, const Analyzer& analyzer, StepMetric metric) {
    if (metric == StepMetric::Ciede2000) {
        auto analysis = std::make_unique<GradationAnalysis>();
        analyzer.analyze(doc, *analysis);
        return analysis->uniformity;
    }
    const std::vector<Color> shown = shownColors(doc);
    const std::size_t n = shown.size();
    std::vector<double> steps(doc.loop ? n : n - 1);
    for (std::size_t j = 0; j < steps.size(); ++j) {
        steps[j] = deltaEOK(oklabOf(shown[j]), oklabOf(shown[(j + 1) % n]));
    }
    std::vector<double> speed(steps.size());
    perceptualSpeed(steps, doc.loop, speed);
    return uniformityOf(speed);
}

Equalized equalizeSteps(const GradationDocument& doc, const Analyzer& analyzer, StepMetric metric) {
    Equalized result;
    if (doc.length < kMinDots || doc.length > kMaxDots) {
        return result;
    }
    // Each round evens out what the best fit so far shows and fits it again, twice: at
    // tolerance 0, the even codes exactly where the points allow, and at one level, sometimes
    // the more even where they cannot (long gradations). The most even result is kept.
    for (int round = 0; round < kEqualizeRounds; ++round) {
        const GradationDocument& from = result.document ? *result.document : doc;
        const std::vector<Color> even = evenOutSteps(analyzer, shownColors(from), doc.loop, metric);
        std::vector<Rgb8> colors(even.size());
        std::transform(even.begin(), even.end(), colors.begin(), rgb8Of);
        for (const int tolerance : {0, 1}) {
            ModelFit fitted = fitCurvesInMode(colors, doc.mode, tolerance, doc.loop, doc.direction);
            if (!fitted.fit.document) {
                return result;
            }
            auto out = std::make_unique<GradationDocument>(doc);
            const GradationDocument& fit = *fitted.fit.document;
            out->hueOrigin = fit.hueOrigin;
            out->channels = fit.channels;
            out->colorLine = fit.colorLine;
            const double uniformity = uniformityIn(*out, analyzer, metric);
            if (!result.document || uniformity > result.uniformityAfter) {
                result.uniformityAfter = uniformity;
                result.channels = fitted.fit.channels;
                result.document = std::move(out);
            }
        }
    }
    result.uniformityBefore = uniformityIn(doc, analyzer, metric);
    return result;
}

} // namespace spectrane
