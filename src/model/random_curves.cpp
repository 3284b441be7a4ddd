#include "model/random_curves.h"

namespace spectrane {

double randomFraction(RandomGenerator& rng) {
    const int g1 = rng.next();
    const int g2 = rng.next();
    return static_cast<double>((g1 * g2) % 100000) / 100000.0;
}

double randomLevelY(RandomGenerator& rng) {
    return 320.0 - 256.0 * randomFraction(rng);
}

void randomizeChannel(GradationDocument& doc, ChannelIndex ch, RandomGenerator& rng) {
    ChannelCurve& curve = doc.channels[ch];
    const int l = doc.length;
    const int m = l / 128;
    const double x0 = CanvasGeometry::kDotX0;
    if (!doc.loop) {
        const int n = m + 2;
        curve.pointCount = n;
        curve.controlPoints[0] = {x0, randomLevelY(rng)};
        curve.controlPoints[n - 1] = {x0 + l - 1, randomLevelY(rng)};
        for (int k = 0; k < m; ++k) {
            const double x = x0 + (l * 0.5 + static_cast<double>(l) * k) / m;
            curve.controlPoints[k + 1] = {x, randomLevelY(rng)};
        }
    } else {
        const int n = m > 0 ? m : 1;
        curve.pointCount = n;
        for (int k = 0; k < n; ++k) {
            const double x = x0 + (l * 0.5 + static_cast<double>(l) * k) / n;
            curve.controlPoints[k] = {x, randomLevelY(rng)};
        }
    }
}

void newGradationCurves(GradationDocument& doc, RandomGenerator& rng) {
    bool noneFilled = true;
    ChannelIndex remembered = 0;
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        const bool checked = doc.synchroChannels[ch];
        if (doc.synchro && checked && !noneFilled) {
            const ChannelCurve& source = doc.channels[remembered];
            ChannelCurve& target = doc.channels[ch];
            target.pointCount = source.pointCount;
            target.controlPoints = source.controlPoints;
        } else {
            randomizeChannel(doc, ch, rng);
            if (checked) {
                remembered = ch;
                noneFilled = false;
            }
        }
    }
}

} // namespace spectrane
