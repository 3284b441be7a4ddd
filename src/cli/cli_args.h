// Command-line parsing for spectrane-cli: options with and without values, positional
// arguments, and whole-string number parsing.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace spectrane::cli {

// Exit statuses.
inline constexpr int kExitOk = 0;
inline constexpr int kExitRefused = 1; // a refused file or a bad argument value
inline constexpr int kExitUsage = 2;   // wrong usage

struct ParsedArgs {
    std::vector<std::string> positional;
    std::map<std::string, std::string> values; // first spelling of the option -> its value
    std::set<std::string> flags;
    bool help = false;
    std::string error; // wrong usage, empty when parsing succeeded
};

// Options that take a value, with their aliases (e.g. "-o" for "--output").
struct OptionSpec {
    std::vector<std::vector<std::string>> valueOptions; // first spelling is the key
    std::vector<std::string> flagOptions;
};

// Splits args (without the program and command names). "--help"/"-h" anywhere sets help;
// "--name=value" is accepted for value options; "--" ends the options.
ParsedArgs parseArgs(const std::vector<std::string>& args, const OptionSpec& spec);

// A whole decimal integer within lo..hi, or nothing.
std::optional<std::int64_t> parseInteger(const std::string& text, std::int64_t lo, std::int64_t hi);

} // namespace spectrane::cli
