// Running the built spectrane-cli from a test.
#pragma once

#include "support/test_support.h"

namespace spectrane::test {

// Runs spectrane-cli with `args` (quoted as the shell needs) inside `dir`.
inline ProgramRun runCli(const TempDir& dir, const std::string& args) {
    return runProgram(dir, SPECTRANE_CLI_PATH, args);
}

} // namespace spectrane::test
