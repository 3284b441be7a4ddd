// spectrane-cli new, resize, loop, convert and equalize: documents made or changed as the
// program makes and changes them, written as version 3 (version 4 in OKLCh mode).
#include "cli/commands.h"

#include "model/random_curves.h"
#include "transforms/equalize.h"
#include "transforms/length_change.h"
#include "transforms/loop_change.h"
#include "transforms/mode_change.h"

#include <chrono>
#include <cstdio>
#include <optional>

namespace spectrane::cli {

namespace {

int runNew(const ParsedArgs& args) {
    std::int64_t length = kDefaultLength;
    std::int64_t direction = kDefaultDirection;
    // Like the program's start-up seed: milliseconds of a steady clock.
    std::int64_t seed =
        static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(
                                       std::chrono::steady_clock::now().time_since_epoch())
                                       .count());
    if (!integerOption(args, "--length", kMinDots, kMaxDots, length) ||
        !integerOption(args, "--direction", 0, 3, direction) ||
        !integerOption(args, "--seed", 0, 4294967295, seed)) {
        return kExitRefused;
    }
    auto doc = std::make_unique<GradationDocument>();
    if (!modelOption(args, doc->mode)) {
        return kExitRefused;
    }
    doc->length = static_cast<int>(length);
    doc->direction = static_cast<int>(direction);
    doc->loop = args.flags.contains("--loop");
    RandomGenerator rng;
    rng.seed(static_cast<std::uint32_t>(seed));
    newGradationCurves(*doc, rng);
    return saveDocument(args.values.at("--output"), *doc);
}

int runResize(const ParsedArgs& args) {
    std::int64_t length = 0;
    std::int64_t method = 0;
    if (!integerOption(args, "--length", kMinDots, kMaxDots, length) ||
        !integerOption(args, "--method", 0, 3, method)) {
        return kExitRefused;
    }
    const auto doc = loadDocument(args.positional[0]);
    if (!doc) {
        return kExitRefused;
    }
    const LengthChange change{static_cast<int>(length), doc->length,
                              static_cast<LengthChangeMethod>(method)};
    if (!ChangeLength(*doc, change)) {
        printError(args.positional[0], "the length change would move a point beyond ±1e9; "
                                       "nothing written");
        return kExitRefused;
    }
    return saveDocument(args.values.at("--output"), *doc);
}

int runLoop(const ParsedArgs& args) {
    const std::string& state = args.positional[1];
    if (state != "on" && state != "off") {
        printError(state, "expected 'on' or 'off'");
        return kExitRefused;
    }
    const auto doc = loadDocument(args.positional[0]);
    if (!doc) {
        return kExitRefused;
    }
    if (!setLoop(*doc, state == "on")) {
        printError(args.positional[0], "the loop cannot be switched off: a point would lie "
                                       "beyond ±1e9; nothing written");
        return kExitRefused;
    }
    return saveDocument(args.values.at("--output"), *doc);
}

int runConvert(const ParsedArgs& args) {
    ColorMode target = ColorMode::Rgb;
    if (!modelOption(args, target)) {
        return kExitRefused;
    }
    const auto doc = loadDocument(args.positional[0]);
    if (!doc) {
        return kExitRefused;
    }
    const ModeChange change = changeColorMode(*doc, target);
    std::printf("max_error: %d\nmax_color_change: %d\n", change.fitError, change.displayedError);
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        std::printf("channel_%d: %d points, error %d%s\n", ch, change.channels[ch].points,
                    change.channels[ch].maxError, change.channels[ch].reached ? "" : " (missed)");
    }
    std::fflush(stdout);
    return saveDocument(args.values.at("--output"), *change.document);
}

int runEqualize(const ParsedArgs& args) {
    StepMetric metric = StepMetric::Ciede2000;
    if (const auto it = args.values.find("--metric"); it != args.values.end()) {
        if (it->second == "oklab") {
            metric = StepMetric::Oklab;
        } else if (it->second != "ciede2000") {
            printError("--metric", "'" + it->second + "' is not ciede2000 or oklab");
            return kExitRefused;
        }
    }
    const auto doc = loadDocument(args.positional[0]);
    if (!doc) {
        return kExitRefused;
    }
    const Equalized equalized = equalizeSteps(*doc, Analyzer(), metric);
    std::printf("uniformity_before: %.4f\nuniformity_after: %.4f\n", equalized.uniformityBefore,
                equalized.uniformityAfter);
    std::fflush(stdout);
    // As in the program: never a change for the worse.
    if (equalized.uniformityAfter <= equalized.uniformityBefore) {
        std::fprintf(stderr, "%s: %s: no more even than before; written unchanged\n", kProgram,
                     printable(args.positional[0]).c_str());
        return saveDocument(args.values.at("--output"), *doc);
    }
    return saveDocument(args.values.at("--output"), *equalized.document);
}

} // namespace

Command newCommand() {
    return {
        "new",
        "Usage: spectrane-cli new -o OUT.spd [--length L] [--direction D] [--loop] [--seed "
        "S]\n"
        "                         [--model rgb|cmy|oklch]\n\n"
        "Writes a new document with random curves, as the program makes them.\n"
        "  -o, --output OUT.spd  the file to write (version 3, 4 for oklch); - for stdout\n"
        "  --length L            dots, 2..1600 (default 512)\n"
        "  --direction D         0..3 (default 1)\n"
        "  --loop                make looped curves\n"
        "  --seed S              generator seed, 0..4294967295 (default: a clock value)\n"
        "  --model M             the colour mode: rgb (default), cmy or oklch (lightness,\n"
        "                        chroma, hue; written as version 4)\n",
        {{{"--output", "-o"}, {"--length"}, {"--direction"}, {"--seed"}, {"--model"}}, {"--loop"}},
        0,
        {"--output"},
        runNew};
}

Command resizeCommand() {
    return {"resize",
            "Usage: spectrane-cli resize FILE --length N --method M -o OUT.spd\n\n"
            "Changes the gradation's length and writes the result (version 3, 4 in OKLCh).\n"
            "  --length N            the new length, 2..1600\n"
            "  --method M            0 stretch/shrink the whole, 1 both ends, 2 the start,\n"
            "                        3 the end\n"
            "  -o, --output OUT.spd  the line data file to write; - for standard output\n",
            {{{"--output", "-o"}, {"--length"}, {"--method"}}, {}},
            1,
            {"--length", "--method", "--output"},
            runResize};
}

Command loopCommand() {
    return {"loop",
            "Usage: spectrane-cli loop FILE on|off -o OUT.spd\n\n"
            "Switches the loop on (points unchanged) or off (ends pinned to the looped curve)\n"
            "and writes the result (version 3, 4 in OKLCh mode).\n"
            "  -o, --output OUT.spd  the line data file to write; - for standard output\n",
            {{{"--output", "-o"}}, {}},
            2,
            {"--output"},
            runLoop};
}

} // namespace spectrane::cli

namespace spectrane::cli {

Command convertCommand() {
    return {"convert",
            "Usage: spectrane-cli convert FILE --model rgb|cmy|oklch -o OUT.spd\n\n"
            "Refits the gradation in another colour mode, keeping the colours it shows (what\n"
            "switching OKLCh mode on or off does in the program). Prints max_error, the largest\n"
            "difference between a curve and the levels it was fitted to; max_color_change, the\n"
            "largest change of a dot's colour in sRGB levels; each channel's points and error.\n"
            "  --model M             rgb, cmy or oklch\n"
            "  -o, --output OUT.spd  the line data file to write; - for standard output\n",
            {{{"--output", "-o"}, {"--model"}}, {}},
            1,
            {"--model", "--output"},
            runConvert};
}

Command equalizeCommand() {
    return {"equalize",
            "Usage: spectrane-cli equalize FILE -o OUT.spd [--metric ciede2000|oklab]\n\n"
            "Evens out the perceptual steps: the gradation resampled along its colour path so\n"
            "that neighbouring dots differ evenly (ends and a loop's seam kept), then refitted\n"
            "in its own mode. Prints uniformity_before and uniformity_after (slowest over\n"
            "fastest perceptual speed, 1 perfectly even) in the chosen metric; a gradation it\n"
            "cannot make more even is written unchanged.\n"
            "  --metric M            ciede2000 (default) or oklab (Euclidean OKLab distance)\n"
            "  -o, --output OUT.spd  the line data file to write; - for standard output\n",
            {{{"--output", "-o"}, {"--metric"}}, {}},
            1,
            {"--output"},
            runEqualize};
}

} // namespace spectrane::cli
