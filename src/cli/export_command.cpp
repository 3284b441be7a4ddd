// spectrane-cli export: the gradation as a colour table for other programs, with the fewest
// stops that reproduce it.
#include "cli/commands.h"

#include "exchange/color_table_export.h"

#include <filesystem>

namespace spectrane::cli {

namespace {

int runExport(const ParsedArgs& args) {
    const std::string& name = args.values.at("--format");
    const auto format = formatNamed(name);
    if (!format || !formatInfo(*format).colorTable) {
        printError("--format", "'" + name + "' is not css, svg, ggr, cpt, json or csv");
        return kExitRefused;
    }
    std::int64_t tolerance = 0;
    if (!integerOption(args, "--tolerance", 0, 255, tolerance)) {
        return kExitRefused;
    }
    const std::string& file = args.positional[0];
    const auto doc = loadDocument(file);
    if (!doc) {
        return kExitRefused;
    }
    ColorTableOptions options;
    options.tolerance = static_cast<int>(tolerance);
    const auto named = args.values.find("--name");
    options.name =
        named != args.values.end() ? named->second : std::filesystem::path(file).stem().string();
    const std::string text = exportColorTable(*doc, *format, options);
    return writeOutput(args.values.at("--output"),
                       {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()});
}

} // namespace

Command exportCommand() {
    return {"export",
            "Usage: spectrane-cli export FILE --format css|svg|ggr|cpt|json|csv -o OUT\n"
            "                            [--tolerance T] [--name NAME]\n\n"
            "Writes the gradation's displayed colours as a colour table for other programs.\n"
            "All formats but csv use the fewest stops, placed on dots, between which linear\n"
            "interpolation gives every dot within T levels per channel after rounding.\n"
            "  --format F            css: a linear-gradient(...) in the document's direction\n"
            "                        svg: a <linearGradient> filling a rectangle of L x 32\n"
            "                        ggr: a GIMP gradient; cpt: a GMT palette over 0..1\n"
            "                        json: a ParaView colour-map preset; csv: 'dot,r,g,b' rows\n"
            "  -o, --output OUT      the file to write\n"
            "  --tolerance T         levels, 0..255 (default 0: exact)\n"
            "  --name NAME           the gradient's name (default: FILE's name)\n"
            "A loop document gives one period, dots 0..L-1.\n",
            {{{"--output", "-o"}, {"--format"}, {"--tolerance"}, {"--name"}}, {}},
            1,
            {"--format", "--output"},
            runExport};
}

} // namespace spectrane::cli
