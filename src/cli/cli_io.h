// What every spectrane-cli command shares: the error lines, reading a document as the program
// opens it, the output named by -o (a file, or standard output for "-"), writing a document,
// and integer options checked against their range.
#pragma once

#include "cli/cli_args.h"
#include "files/atomic_write.h"
#include "files/file_result.h"
#include "files/png_file.h"
#include "model/gradation_document.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>

namespace spectrane::cli {

inline constexpr const char* kProgram = "spectrane-cli";

// One command: its name, its --help text, what it accepts and what it runs.
struct Command {
    const char* name;
    const char* usage;
    OptionSpec options;
    int positionals;
    std::vector<std::string> required; // options it cannot do without
    std::function<int(const ParsedArgs&)> run;
};

// `text` with control characters (and the backslash) escaped as \xHH (and \\), so that a file
// name can neither break a line of output nor send a terminal command.
std::string printable(std::string_view text);

// "spectrane-cli: SUBJECT: REASON" on standard error, the subject made printable.
void printError(const std::string& subject, const std::string& reason);

// Reads FILE as the program opens it, anchors and levels derived: a refused file is reported
// with its reason and gives nullptr; an old version warns.
std::unique_ptr<GradationDocument> loadDocument(const std::string& file, int* version = nullptr);

// Reports a failed write of `out`; returns the exit status (0 when `result` is ok).
int reportWrite(const std::string& out, const FileResult& result);

// Writes the whole of `out` at once ("-": standard output, as the bytes come; any other name is
// a file replaced atomically); returns the exit status.
int writeOutput(const std::string& out, std::span<const std::uint8_t> bytes);

// Writes to `out` whatever `produce` hands to its sink, streamed; `produce` returns false when
// it failed (a refused sink included). Returns the exit status.
int writeOutput(const std::string& out, const std::function<bool(const ByteSink&)>& produce);

// Writes `doc` as version 3 to `out` ("-" for standard output); returns the exit status.
int saveDocument(const std::string& out, const GradationDocument& doc);

// An optional integer option within lo..hi: `value` is left alone when the option is absent;
// false after reporting a bad value.
// --model rgb|cmy|oklch: `mode` is left alone when the option is absent; false (reported)
// for another name.
bool modelOption(const ParsedArgs& args, ColorMode& mode);

bool integerOption(const ParsedArgs& args, const std::string& name, std::int64_t lo,
                   std::int64_t hi, std::int64_t& value);

} // namespace spectrane::cli
