// spectrane-cli render: the gradation as the program saves it as a bitmap.
#include "cli/commands.h"

#include "files/bitmap_file.h"

namespace spectrane::cli {

namespace {

int runRender(const ParsedArgs& args) {
    std::int64_t width = kDefaultSaveWidth;
    std::int64_t direction = -1;
    if (!integerOption(args, "--width", kMinSaveWidth, kMaxSaveWidth, width) ||
        !integerOption(args, "--direction", 0, 3, direction)) {
        return kExitRefused;
    }
    const auto doc = loadDocument(args.positional[0]);
    if (!doc) {
        return kExitRefused;
    }
    if (direction >= 0) {
        doc->direction = static_cast<int>(direction);
    }
    const std::string& out = args.values.at("--output");
    return writeOutput(out, encodeBitmap24(renderGradationPicture(*doc, static_cast<int>(width))));
}

} // namespace

Command renderCommand() {
    return {"render",
            "Usage: spectrane-cli render FILE -o OUT.bmp [--width W] [--direction D]\n\n"
            "Writes the gradation as a 24-bit bitmap.\n"
            "  -o, --output OUT.bmp  the bitmap to write; - for standard output\n"
            "  --width W             pixels across the gradation, 1..1200 (default 32)\n"
            "  --direction D         0..3: dot 0 left, top, right, bottom (default: the file's)\n",
            {{{"--output", "-o"}, {"--width"}, {"--direction"}}, {}},
            1,
            {"--output"},
            runRender};
}

} // namespace spectrane::cli
