// spectrane-cli fit: a gradient from another program, or a picture's row, as a document of
// editable curves.
#include "cli/commands.h"

#include "exchange/gradient_import.h"

#include <cstdio>

namespace spectrane::cli {

namespace {

int runFit(const ParsedArgs& args) {
    ImportOptions options;
    std::int64_t length = 0;
    std::int64_t tolerance = options.tolerance;
    std::int64_t row = -1;
    std::int64_t column = -1;
    if (!integerOption(args, "--length", kMinDots, kMaxDots, length) ||
        !integerOption(args, "--tolerance", 0, 255, tolerance) ||
        !integerOption(args, "--row", 0, 65535, row) ||
        !integerOption(args, "--column", 0, 65535, column)) {
        return kExitRefused;
    }
    if (row >= 0 && column >= 0) {
        printError("--row", "give --row or --column, not both");
        return kExitUsage;
    }
    if (!modelOption(args, options.mode)) {
        return kExitRefused;
    }
    options.length = static_cast<int>(length);
    options.tolerance = static_cast<int>(tolerance);
    options.loop = args.flags.contains("--loop");
    options.line = {column >= 0, static_cast<int>(column >= 0 ? column : row)};
    if (const auto over = args.values.find("--over"); over != args.values.end()) {
        const auto background = backgroundNamed(over->second);
        if (!background) {
            printError("--over", "'" + over->second + "' is not white, black or #rrggbb");
            return kExitRefused;
        }
        options.over = *background;
    }
    const ImportResult result = importGradientFile(args.positional[0], options);
    if (!result) {
        std::fprintf(stderr, "%s: %s\n", kProgram, result.error.c_str());
        return kExitRefused;
    }
    std::fprintf(stderr, "%s: %s\n", kProgram, result.message.c_str());
    return saveDocument(args.values.at("--output"), *result.document);
}

} // namespace

Command fitCommand() {
    return {"fit",
            "Usage: spectrane-cli fit INPUT -o OUT.spd [--length L] [--tolerance T] [--loop]\n"
            "                            [--row N | --column N] [--over COLOR] [--model M]\n\n"
            "Fits editable curves to a gradient made elsewhere: csv, css linear-gradient, svg\n"
            "linearGradient, GIMP ggr, GMT cpt, ParaView json, or a row or column of a PNG or\n"
            "BMP picture. Each channel gets the fewest anchors (at most 256) whose curve gives\n"
            "every dot within T levels; the points and maximum errors go to standard error.\n"
            "  -o, --output OUT.spd  the line data file to write (version 3, 4 for oklch)\n"
            "  --length L            dots, 2..1600 (default: the input's own samples)\n"
            "  --tolerance T         levels, 0..255 (default 1)\n"
            "  --loop                fit loop curves\n"
            "  --row N, --column N   the picture's row or column (default: the middle row)\n"
            "  --over COLOR          what partly transparent stops or pixels are laid over:\n"
            "                        white (default), black or #rrggbb; the report counts them\n"
            "  --model M             the curves' colour mode: rgb (default), cmy or oklch\n",
            {{{"--output", "-o"},
              {"--length"},
              {"--tolerance"},
              {"--row"},
              {"--column"},
              {"--over"},
              {"--model"}},
             {"--loop"}},
            1,
            {"--output"},
            runFit};
}

} // namespace spectrane::cli
