#include "transforms/mode_change.h"

#include "exchange/gradient.h"
#include "exchange/model_fit.h"
#include "model/curve_rebuild.h"

namespace spectrane {

ModeChange changeColorMode(const GradationDocument& doc, ColorMode target) {
    ModeChange change;
    ModelFit fitted =
        fitCurvesInMode(documentColors(doc), target, kModeChangeTolerance, doc.loop, doc.direction);
    if (!fitted.fit.document) {
        return change;
    }
    const GradationDocument& fit = *fitted.fit.document;
    auto out = std::make_unique<GradationDocument>(doc);
    out->mode = fit.mode;
    out->hueOrigin = fit.hueOrigin;
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        out->channels[ch] = fit.channels[ch];
    }
    out->colorLine = fit.colorLine;
    change.document = std::move(out);
    change.displayedError = fitted.displayedError;
    change.channels = fitted.fit.channels;
    for (const ChannelFit& f : change.channels) {
        change.fitError = std::max(change.fitError, f.maxError);
    }
    return change;
}

} // namespace spectrane
