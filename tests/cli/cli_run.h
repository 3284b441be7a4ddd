// Running the built spectrane-cli from a test: its exit status and what it printed.
#pragma once

#include "support/test_support.h"

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace spectrane::test {

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

inline std::string fileText(const std::filesystem::path& file) {
    std::stringstream s;
    s << std::ifstream(file, std::ios::binary).rdbuf();
    return s.str();
}

// Runs spectrane-cli with `args` (quoted as the shell needs) inside `dir`.
inline CliRun runCli(const TempDir& dir, const std::string& args) {
    const std::string command = "cd '" + dir.path().string() + "' && '" SPECTRANE_CLI_PATH "' " +
                                args + " >stdout.txt 2>stderr.txt";
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, fileText(dir / "stdout.txt"),
            fileText(dir / "stderr.txt")};
}

} // namespace spectrane::test
