#include "transforms/equalize.h"

#include "exchange/gradient.h"
#include "exchange/model_fit.h"
#include "model/gradation_render.h"
#include "transforms/mode_change.h"

namespace spectrane {

Equalized equalizeSteps(const GradationDocument& doc, const Analyzer& analyzer, StepMetric metric) {
    Equalized result;
    if (doc.length < kMinDots || doc.length > kMaxDots) {
        return result;
    }
    std::vector<Color> shown(static_cast<std::size_t>(doc.length));
    for (int j = 0; j < doc.length; ++j) {
        shown[static_cast<std::size_t>(j)] = mixedColor(doc.colorLine, j, doc.colorModel());
    }
    const std::vector<Color> even = evenOutSteps(analyzer, shown, doc.loop, metric);
    std::vector<Rgb8> colors(even.size());
    for (std::size_t j = 0; j < even.size(); ++j) {
        colors[j] = {static_cast<std::uint8_t>(redOf(even[j])),
                     static_cast<std::uint8_t>(greenOf(even[j])),
                     static_cast<std::uint8_t>(blueOf(even[j]))};
    }
    ModelFit fitted =
        fitCurvesInMode(colors, doc.mode, kModeChangeTolerance, doc.loop, doc.direction);
    if (!fitted.fit.document) {
        return result;
    }
    auto out = std::make_unique<GradationDocument>(doc);
    const GradationDocument& fit = *fitted.fit.document;
    out->hueOrigin = fit.hueOrigin;
    out->channels = fit.channels;
    out->colorLine = fit.colorLine;

    auto analysis = std::make_unique<GradationAnalysis>();
    analyzer.analyze(doc, *analysis);
    result.uniformityBefore = analysis->uniformity;
    analyzer.analyze(*out, *analysis);
    result.uniformityAfter = analysis->uniformity;
    result.channels = fitted.fit.channels;
    result.document = std::move(out);
    return result;
}

} // namespace spectrane
