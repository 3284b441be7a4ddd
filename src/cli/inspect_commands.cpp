// spectrane-cli info, levels and points: what a line data file holds, as text.
#include "cli/commands.h"

#include "model/color_mode.h"

#include <cstdio>

namespace spectrane::cli {

namespace {

int runInfo(const ParsedArgs& args) {
    int version = 0;
    const auto doc = loadDocument(args.positional[0], &version);
    if (!doc) {
        return kExitRefused;
    }
    std::printf("version: %d\nlength: %d\ndirection: %d\nloop: %d\ncmy: %d\nmode: %s\n", version,
                doc->length, doc->direction, doc->loop ? 1 : 0, doc->cmy() ? 1 : 0,
                colorModeName(doc->mode));
    if (doc->oklch()) {
        std::printf("hue_origin: %.6g\n", doc->hueOrigin);
    }
    std::printf("synchro: %d\n", doc->synchro ? 1 : 0);
    std::printf("synchro_channels: %d %d %d\n", doc->synchroChannels[0] ? 1 : 0,
                doc->synchroChannels[1] ? 1 : 0, doc->synchroChannels[2] ? 1 : 0);
    std::printf("points: %d %d %d\n", doc->channels[0].pointCount, doc->channels[1].pointCount,
                doc->channels[2].pointCount);
    return kExitOk;
}

int runLevels(const ParsedArgs& args) {
    const auto doc = loadDocument(args.positional[0]);
    if (!doc) {
        return kExitRefused;
    }
    for (int dot = 0; dot < doc->length; ++dot) {
        std::printf("%d %d %d %d\n", dot, doc->colorLine.level(0, dot),
                    doc->colorLine.level(1, dot), doc->colorLine.level(2, dot));
    }
    return kExitOk;
}

int runPoints(const ParsedArgs& args) {
    const auto doc = loadDocument(args.positional[0]);
    if (!doc) {
        return kExitRefused;
    }
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        const ChannelCurve& curve = doc->channels[ch];
        for (int i = 0; i < curve.pointCount; ++i) {
            const CurvePoint& c = curve.controlPoints[i];
            const CurvePoint& a = curve.anchorPoints[i];
            std::printf("%d %d %.17g %.17g %.17g %.17g\n", ch, i, c.x, c.y, a.x, a.y);
        }
    }
    return kExitOk;
}

} // namespace

Command infoCommand() {
    return {"info",
            "Usage: spectrane-cli info FILE\n\n"
            "Prints one 'key: value' line each: version, length, direction, loop, cmy, mode\n"
            "(rgb, cmy or oklch), hue_origin (oklch only, degrees), synchro,\n"
            "synchro_channels (three 0/1) and points (the three channels' counts).\n",
            {},
            1,
            {},
            runInfo};
}

Command levelsCommand() {
    return {"levels",
            "Usage: spectrane-cli levels FILE\n\n"
            "Prints the evaluated gradation, one line per dot: 'dot lev0 lev1 lev2' (levels "
            "0..255).\n",
            {},
            1,
            {},
            runLevels};
}

Command pointsCommand() {
    return {"points",
            "Usage: spectrane-cli points FILE\n\n"
            "Prints one line per point: 'channel index control_x control_y anchor_x anchor_y'\n"
            "in canvas coordinates (x = 56 + dot, y = 320 - level), exact to the last bit.\n",
            {},
            1,
            {},
            runPoints};
}

} // namespace spectrane::cli
