// spectrane-cli: inspect, render, create, resize, loop, export and fit line data files without
// the GUI.
#include "cli/commands.h"
#include "files/termination_signals.h"

#include <cstdio>
#include <string>
#include <vector>

namespace spectrane::cli {

namespace {

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
    "  render FILE -o OUT.bmp|OUT.png [--width W] [--direction D] [--format bmp|png]\n"
    "                            the gradation as a 24-bit bitmap or a PNG\n"
    "  new -o OUT.spd [--length L] [--direction D] [--loop] [--seed S]\n"
    "                            a new document with random curves\n"
    "  resize FILE --length N --method M -o OUT.spd\n"
    "                            change the gradation's length\n"
    "  loop FILE on|off -o OUT.spd\n"
    "                            switch the loop on or off\n"
    "  analyze FILE [--per-dot] [--strips OUT.png]  lightness, CIEDE2000 steps, deficiencies\n"
    "  export FILE --format css|svg|ggr|cpt|json|csv -o OUT [--tolerance T] [--name NAME]\n"
    "                            a colour table for other programs, with the fewest stops\n"
    "  fit INPUT -o OUT.spd [--length L] [--tolerance T] [--loop] [--row N | --column N]\n"
    "                            editable curves fitted to a gradient or a picture's row\n"
    "\n"
    "Run 'spectrane-cli COMMAND --help' for the details of one command.\n"
    "Exit status: 0 done, 1 a refused file or a bad argument, 2 wrong usage.\n"
    "Output files are replaced atomically; nothing is written on failure.\n"
    "'-o -' writes to standard output.\n";

int usageError(const Command& cmd, const std::string& what) {
    std::fprintf(stderr, "%s %s: %s (see '%s %s --help')\n", kProgram, cmd.name, what.c_str(),
                 kProgram, cmd.name);
    return kExitUsage;
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
    for (const Command& cmd : allCommands()) {
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
        for (const std::string& option : cmd.required) {
            if (!args.values.contains(option)) {
                return usageError(cmd, "missing " + option);
            }
        }
        return cmd.run(args);
    }
    std::fprintf(stderr, "%s: unknown command '%s' (see '%s --help')\n", kProgram,
                 printable(name).c_str(), kProgram);
    return kExitUsage;
}

} // namespace

} // namespace spectrane::cli

int main(int argc, char** argv) {
    // An interrupted write leaves no temporary file; a file-size limit is a reported error.
    spectrane::removeTemporaryFilesOnTermination();
    return spectrane::cli::run(argc, argv);
}
