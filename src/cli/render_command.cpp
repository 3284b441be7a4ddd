// spectrane-cli render: the gradation as the program saves it as a bitmap, or as a PNG.
#include "cli/commands.h"

#include "files/bitmap_file.h"
#include "files/gradation_picture.h"

namespace spectrane::cli {

namespace {

int runRender(const ParsedArgs& args) {
    std::int64_t width = kDefaultSaveWidth;
    std::int64_t direction = -1;
    if (!integerOption(args, "--width", kMinSaveWidth, kMaxSaveWidth, width) ||
        !integerOption(args, "--direction", 0, 3, direction)) {
        return kExitRefused;
    }
    const std::string& out = args.values.at("--output");
    PictureFormat format = pictureFormatFor(out);
    if (const auto it = args.values.find("--format"); it != args.values.end()) {
        if (it->second != "png" && it->second != "bmp") {
            printError("--format", "'" + it->second + "' is not png or bmp");
            return kExitRefused;
        }
        format = it->second == "png" ? PictureFormat::Png : PictureFormat::Bmp;
    }
    const auto doc = loadDocument(args.positional[0]);
    if (!doc) {
        return kExitRefused;
    }
    if (direction >= 0) {
        doc->direction = static_cast<int>(direction);
    }
    return writeOutput(out, [&](const ByteSink& sink) {
        return encodeGradationPicture(*doc, static_cast<int>(width), format, sink);
    });
}

} // namespace

Command renderCommand() {
    return {"render",
            "Usage: spectrane-cli render FILE -o OUT.bmp|OUT.png [--width W] [--direction D]\n"
            "                            [--format bmp|png]\n\n"
            "Writes the gradation as a 24-bit bitmap or an 8-bit RGB PNG, streamed row by row.\n"
            "  -o, --output OUT      the picture to write (- for standard output); a name\n"
            "                        ending in .png gives a PNG\n"
            "  --format bmp|png      the format whatever the name (default: by the name, else "
            "bmp)\n"
            "  --width W             pixels across the gradation, 1..1200 (default 32)\n"
            "  --direction D         0..3: dot 0 left, top, right, bottom (default: the file's)\n",
            {{{"--output", "-o"}, {"--width"}, {"--direction"}, {"--format"}}, {}},
            1,
            {"--output"},
            runRender};
}

} // namespace spectrane::cli
