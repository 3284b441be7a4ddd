// libFuzzer entry for all gradient readers: the first byte's bits 0-2 pick the reader, bit 3 a
// picture's column, bit 4 a looped fit; the rest is the file. Any bytes are refused in one line
// or give ordered stops whose sampling and fitting stay within the gradation's ranges.
#include "exchange/curve_fit.h"
#include "exchange/gradient_readers.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

using namespace spectrane;

namespace {

void check(bool ok) {
    if (!ok) {
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const auto format = static_cast<ExchangeFormat>(data[0] & 7);
    const GradientReadResult read =
        readGradient(format, {data + 1, size - 1}, {(data[0] & 8) != 0, -1});
    if (!read.gradient) {
        check(!read.error.empty() && read.error.find('\n') == std::string::npos);
        return 0;
    }
    const Gradient& g = *read.gradient;
    check(!g.stops.empty() && std::isfinite(g.from) && std::isfinite(g.to));
    for (std::size_t i = 0; i < g.stops.size(); ++i) {
        check(std::isfinite(g.stops[i].position));
        check(i == 0 || g.stops[i - 1].position <= g.stops[i].position);
        check(g.stops[i].hint >= 0.0 && g.stops[i].hint <= 1.0);
    }
    check(!g.loop || g.from < g.to);
    // A short gradation keeps the runs quick; the fit is checked against its own claims.
    const int length = std::min(naturalLength(g), 48);
    const std::vector<Rgb8> colors = sampleGradient(g, length);
    const CurveFit fit = fitCurves(colors, 1, (data[0] & 16) != 0, g.direction);
    check(fit.document != nullptr && fit.document->length == length);
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        int worst = 0;
        for (int j = 0; j < length; ++j) {
            const int level = fit.document->colorLine.level(ch, j);
            check(level >= 0 && level <= 255);
            worst = std::max(worst, std::abs(level - colors[j][ch]));
        }
        check(fit.channels[ch].points >= 1 && fit.channels[ch].points <= kMaxPoints);
        check(!fit.channels[ch].reached || worst == fit.channels[ch].maxError);
    }
    return 0;
}
