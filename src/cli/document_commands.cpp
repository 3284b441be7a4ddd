// spectrane-cli new, resize and loop: documents made or changed as the program makes and
// changes them, written as version 3.
#include "cli/commands.h"

#include "model/random_curves.h"
#include "transforms/length_change.h"
#include "transforms/loop_change.h"

#include <chrono>

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

} // namespace

Command newCommand() {
    return {"new",
            "Usage: spectrane-cli new -o OUT.spd [--length L] [--direction D] [--loop] [--seed "
            "S]\n\n"
            "Writes a new document with random curves, as the program makes them.\n"
            "  -o, --output OUT.spd  the file to write (version 3); - for standard output\n"
            "  --length L            dots, 2..1600 (default 512)\n"
            "  --direction D         0..3 (default 1)\n"
            "  --loop                make looped curves\n"
            "  --seed S              generator seed, 0..4294967295 (default: a clock value)\n",
            {{{"--output", "-o"}, {"--length"}, {"--direction"}, {"--seed"}}, {"--loop"}},
            0,
            {"--output"},
            runNew};
}

Command resizeCommand() {
    return {"resize",
            "Usage: spectrane-cli resize FILE --length N --method M -o OUT.spd\n\n"
            "Changes the gradation's length and writes the result as version 3.\n"
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
            "and writes the result as version 3.\n"
            "  -o, --output OUT.spd  the line data file to write; - for standard output\n",
            {{{"--output", "-o"}}, {}},
            2,
            {"--output"},
            runLoop};
}

} // namespace spectrane::cli
