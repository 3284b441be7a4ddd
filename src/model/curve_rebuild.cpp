#include "model/curve_rebuild.h"

#include "model/spline.h"

namespace spectrane {

void rebuildAllCurves(GradationDocument& doc) {
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        deriveAnchors(doc, ch);
    }
    evaluateChannels(doc);
}

} // namespace spectrane
