// The commands of spectrane-cli, one function per command, each defined in the file of its
// group; allCommands lists them in the order of the usage text.
#pragma once

#include "cli/cli_io.h"

#include <vector>

namespace spectrane::cli {

Command infoCommand();     // inspect_commands.cpp
Command levelsCommand();   // inspect_commands.cpp
Command pointsCommand();   // inspect_commands.cpp
Command renderCommand();   // render_command.cpp
Command newCommand();      // document_commands.cpp
Command resizeCommand();   // document_commands.cpp
Command loopCommand();     // document_commands.cpp
Command convertCommand();  // document_commands.cpp
Command equalizeCommand(); // document_commands.cpp
Command analyzeCommand();  // analyze_command.cpp
Command exportCommand();   // export_command.cpp
Command fitCommand();      // fit_command.cpp

inline std::vector<Command> allCommands() {
    return {infoCommand(),     levelsCommand(),  pointsCommand(), renderCommand(),
            newCommand(),      resizeCommand(),  loopCommand(),   convertCommand(),
            equalizeCommand(), analyzeCommand(), exportCommand(), fitCommand()};
}

} // namespace spectrane::cli
