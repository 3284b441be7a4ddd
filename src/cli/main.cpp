// spectrane-cli: inspect, render, create, resize and loop line data files without the GUI.
#include "cli/cli_args.h"
#include "files/bitmap_file.h"
#include "files/line_data_file.h"
#include "model/random_curves.h"
#include "transforms/length_change.h"
#include "transforms/loop_change.h"

#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace spectrane::cli {

namespace {

constexpr const char* kProgram = "spectrane-cli";

constexpr const char* kUsage =
    "Usage: spectrane-cli COMMAND [ARGS]\n"
    "       spectrane-cli --version\n"
    "\n"
    "Batch work on Spectrane line data files (.spd).\n"
    "\n"
    "Commands:\n"
    "  info FILE                 version, length, direction, flags and point counts\n"
    "  levels FILE               the level of every dot: 'dot lev0 lev1 lev2'\n"
    "  points FILE               every point: 'channel index control_x control_y anchor_x "
    "anchor_y'\n"
    "  render FILE -o OUT.bmp [--width W] [--direction D]\n"
    "                            the gradation as a 24-bit bitmap\n"
    "  new -o OUT.spd [--length L] [--direction D] [--loop] [--seed S]\n"
    "                            a new document with random curves\n"
    "  resize FILE --length N --method M -o OUT.spd\n"
    "                            change the gradation's length\n"
    "  loop FILE on|off -o OUT.spd\n"
    "                            switch the loop on or off\n"
    "\n"
    "Run 'spectrane-cli COMMAND --help' for the details of one command.\n"
    "Exit status: 0 done, 1 a refused file or a bad argument, 2 wrong usage.\n"
    "Output files are replaced atomically; nothing is written on failure.\n";

struct Command {
    const char* name;
    const char* usage;
    OptionSpec options;
    int positionals;
    std::function<int(const ParsedArgs&)> run;
};

void printError(const std::string& subject, const std::string& reason) {
    std::fprintf(stderr, "%s: %s: %s\n", kProgram, subject.c_str(), reason.c_str());
}

int usageError(const Command& cmd, const std::string& what) {
    std::fprintf(stderr, "%s %s: %s (see '%s %s --help')\n", kProgram, cmd.name, what.c_str(),
                 kProgram, cmd.name);
    return kExitUsage;
}

// Reads FILE as the program opens it: refused files name the reason; old versions warn.
std::unique_ptr<GradationDocument> load(const std::string& file, int* version = nullptr) {
    LineDataReadResult read = readLineDataFile(file);
    if (!read) {
        printError(file, read.status.message + " (" + read.status.detail + ")");
        return nullptr;
    }
    if (!read.warning.empty()) {
        std::fprintf(stderr, "%s: %s: %s\n", kProgram, file.c_str(), read.warning.c_str());
    }
    if (version) {
        *version = read.version;
    }
    auto doc = std::make_unique<GradationDocument>();
    applyLineData(*doc, *read.document);
    return doc;
}

// An optional integer option; false after reporting a bad value.
bool integerOption(const ParsedArgs& args, const std::string& name, std::int64_t lo,
                   std::int64_t hi, std::int64_t& value) {
    const auto it = args.values.find(name);
    if (it == args.values.end()) {
        return true;
    }
    const auto parsed = parseInteger(it->second, lo, hi);
    if (!parsed) {
        printError(name, "'" + it->second + "' is not a whole number in " + std::to_string(lo) +
                             ".." + std::to_string(hi));
        return false;
    }
    value = *parsed;
    return true;
}

int save(const std::string& out, const GradationDocument& doc) {
    const FileResult written = writeLineDataFile(out, doc);
    if (!written) {
        printError(out, written.message + " (" + written.detail + ")");
        return kExitRefused;
    }
    return kExitOk;
}

int runInfo(const ParsedArgs& args) {
    int version = 0;
    const auto doc = load(args.positional[0], &version);
    if (!doc) {
        return kExitRefused;
    }
    std::printf("version: %d\nlength: %d\ndirection: %d\nloop: %d\ncmy: %d\nsynchro: %d\n", version,
                doc->length, doc->direction, doc->loop, doc->cmy, doc->synchro);
    std::printf("synchro_channels: %d %d %d\n", doc->synchroChannels[0], doc->synchroChannels[1],
                doc->synchroChannels[2]);
    std::printf("points: %d %d %d\n", doc->channels[0].pointCount, doc->channels[1].pointCount,
                doc->channels[2].pointCount);
    return kExitOk;
}

int runLevels(const ParsedArgs& args) {
    const auto doc = load(args.positional[0]);
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
    const auto doc = load(args.positional[0]);
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

int runRender(const ParsedArgs& args) {
    std::int64_t width = kDefaultSaveWidth;
    std::int64_t direction = -1;
    if (!integerOption(args, "--width", kMinSaveWidth, kMaxSaveWidth, width) ||
        !integerOption(args, "--direction", 0, 3, direction)) {
        return kExitRefused;
    }
    const auto doc = load(args.positional[0]);
    if (!doc) {
        return kExitRefused;
    }
    if (direction >= 0) {
        doc->direction = static_cast<int>(direction);
    }
    const std::string& out = args.values.at("--output");
    const WriteResult written = writeGradationBitmap(out, *doc, static_cast<int>(width));
    if (!written) {
        printError(out, written.error);
        return kExitRefused;
    }
    return kExitOk;
}

int runNew(const ParsedArgs& args) {
    std::int64_t length = 512;
    std::int64_t direction = 1;
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
    doc->loop = args.flags.contains("--loop") ? 1 : 0;
    RandomGenerator rng;
    rng.seed(static_cast<std::uint32_t>(seed));
    newGradationCurves(*doc, rng);
    return save(args.values.at("--output"), *doc);
}

int runResize(const ParsedArgs& args) {
    std::int64_t length = 0;
    std::int64_t method = 0;
    if (!integerOption(args, "--length", kMinDots, kMaxDots, length) ||
        !integerOption(args, "--method", 0, 3, method)) {
        return kExitRefused;
    }
    const auto doc = load(args.positional[0]);
    if (!doc) {
        return kExitRefused;
    }
    ChangeLength(*doc, static_cast<int>(length), doc->length, static_cast<int>(method), doc->loop);
    return save(args.values.at("--output"), *doc);
}

int runLoop(const ParsedArgs& args) {
    const std::string& state = args.positional[1];
    if (state != "on" && state != "off") {
        printError(state, "expected 'on' or 'off'");
        return kExitRefused;
    }
    const auto doc = load(args.positional[0]);
    if (!doc) {
        return kExitRefused;
    }
    setLoop(*doc, state == "on" ? 1 : 0);
    return save(args.values.at("--output"), *doc);
}

const OptionSpec kOutputOnly{{{"--output", "-o"}}, {}};

std::vector<Command> commands() {
    return {
        {"info",
         "Usage: spectrane-cli info FILE\n\n"
         "Prints one 'key: value' line each: version, length, direction, loop, cmy, synchro,\n"
         "synchro_channels (three 0/1) and points (the three channels' counts).\n",
         {},
         1,
         runInfo},
        {"levels",
         "Usage: spectrane-cli levels FILE\n\n"
         "Prints the evaluated gradation, one line per dot: 'dot lev0 lev1 lev2' (levels "
         "0..255).\n",
         {},
         1,
         runLevels},
        {"points",
         "Usage: spectrane-cli points FILE\n\n"
         "Prints one line per point: 'channel index control_x control_y anchor_x anchor_y'\n"
         "in canvas coordinates (x = 56 + dot, y = 320 - level), exact to the last bit.\n",
         {},
         1,
         runPoints},
        {"render",
         "Usage: spectrane-cli render FILE -o OUT.bmp [--width W] [--direction D]\n\n"
         "Writes the gradation as a 24-bit bitmap.\n"
         "  -o, --output OUT.bmp  the bitmap to write\n"
         "  --width W             pixels across the gradation, 1..1200 (default 32)\n"
         "  --direction D         0..3: dot 0 left, top, right, bottom (default: the file's)\n",
         {{{"--output", "-o"}, {"--width"}, {"--direction"}}, {}},
         1,
         runRender},
        {"new",
         "Usage: spectrane-cli new -o OUT.spd [--length L] [--direction D] [--loop] [--seed "
         "S]\n\n"
         "Writes a new document with random curves, as the program makes them.\n"
         "  -o, --output OUT.spd  the line data file to write (version 3)\n"
         "  --length L            dots, 2..1600 (default 512)\n"
         "  --direction D         0..3 (default 1)\n"
         "  --loop                make looped curves\n"
         "  --seed S              generator seed, 0..4294967295 (default: a clock value)\n",
         {{{"--output", "-o"}, {"--length"}, {"--direction"}, {"--seed"}}, {"--loop"}},
         0,
         runNew},
        {"resize",
         "Usage: spectrane-cli resize FILE --length N --method M -o OUT.spd\n\n"
         "Changes the gradation's length and writes the result as version 3.\n"
         "  --length N            the new length, 2..1600\n"
         "  --method M            0 stretch/shrink the whole, 1 both ends, 2 the start,\n"
         "                        3 the end\n"
         "  -o, --output OUT.spd  the line data file to write\n",
         {{{"--output", "-o"}, {"--length"}, {"--method"}}, {}},
         1,
         runResize},
        {"loop",
         "Usage: spectrane-cli loop FILE on|off -o OUT.spd\n\n"
         "Switches the loop on (points unchanged) or off (ends pinned to the looped curve)\n"
         "and writes the result as version 3.\n"
         "  -o, --output OUT.spd  the line data file to write\n",
         kOutputOnly, 2, runLoop},
    };
}

// Options each command cannot do without.
std::vector<std::string> requiredOptions(const std::string& name) {
    if (name == "render" || name == "new" || name == "loop") {
        return {"--output"};
    }
    if (name == "resize") {
        return {"--length", "--method", "--output"};
    }
    return {};
}

int run(int argc, char** argv) {
    if (argc < 2) {
        std::fputs(kUsage, stderr);
        return kExitUsage;
    }
    const std::string name = argv[1];
    if (name == "--help" || name == "-h" || name == "help") {
        std::fputs(kUsage, stdout);
        return kExitOk;
    }
    if (name == "--version") {
        std::puts("spectrane-cli version " SPECTRANE_VERSION);
        return kExitOk;
    }
    for (const Command& cmd : commands()) {
        if (name != cmd.name) {
            continue;
        }
        const ParsedArgs args =
            parseArgs(std::vector<std::string>(argv + 2, argv + argc), cmd.options);
        if (args.help) {
            std::fputs(cmd.usage, stdout);
            return kExitOk;
        }
        if (!args.error.empty()) {
            return usageError(cmd, args.error);
        }
        if (static_cast<int>(args.positional.size()) != cmd.positionals) {
            return usageError(cmd, "expected " + std::to_string(cmd.positionals) +
                                       " argument(s), got " +
                                       std::to_string(args.positional.size()));
        }
        for (const std::string& option : requiredOptions(name)) {
            if (!args.values.contains(option)) {
                return usageError(cmd, "missing " + option);
            }
        }
        return cmd.run(args);
    }
    std::fprintf(stderr, "%s: unknown command '%s' (see '%s --help')\n", kProgram, name.c_str(),
                 kProgram);
    return kExitUsage;
}

} // namespace

} // namespace spectrane::cli

int main(int argc, char** argv) {
    return spectrane::cli::run(argc, argv);
}
