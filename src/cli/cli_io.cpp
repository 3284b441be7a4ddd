#include "cli/cli_io.h"

#include "files/atomic_write.h"
#include "files/line_data_file.h"
#include "model/color_mode.h"

#include <cstdio>
#include <unistd.h>

namespace spectrane::cli {

std::string printable(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7f) {
            static constexpr char kHex[] = "0123456789abcdef";
            out += "\\x";
            out += kHex[byte >> 4];
            out += kHex[byte & 15];
        } else if (c == '\\') {
            out += "\\\\";
        } else {
            out += c;
        }
    }
    return out;
}

void printError(const std::string& subject, const std::string& reason) {
    std::fprintf(stderr, "%s: %s: %s\n", kProgram, printable(subject).c_str(), reason.c_str());
}

namespace {

// The command line speaks English whatever the locale: the windows' texts (the failure
// message, the old-version warnings) stay with the windows; a failure shows its plain detail.
std::string oldVersionWarning(int version) {
    const std::string v = std::to_string(version);
    return "written by version " + v + "; it reads as usual, but version " + v +
           " cannot read what version 3 writes, so mind this before saving over it";
}

} // namespace

std::unique_ptr<GradationDocument> loadDocument(const std::string& file, int* version) {
    LineDataReadResult read = readLineDataFile(file);
    if (!read) {
        printError(file, printable(read.status.detail));
        return nullptr;
    }
    if (!read.warning.empty()) {
        printError(file, oldVersionWarning(read.version));
    }
    if (version != nullptr) {
        *version = read.version;
    }
    auto doc = std::make_unique<GradationDocument>();
    applyLineData(*doc, *read.document);
    return doc;
}

int reportWrite(const std::string& out, const FileResult& result) {
    if (!result) {
        printError(out, printable(result.detail));
        return kExitRefused;
    }
    return kExitOk;
}

namespace {

// The output already opened; an opening failure is reported by finishOutput.
std::unique_ptr<AtomicFile> openOutput(const std::string& out) {
    auto file = out == "-"
                    ? std::make_unique<AtomicFile>(OpenDescriptor{STDOUT_FILENO, "standard output"})
                    : std::make_unique<AtomicFile>(out);
    file->open();
    return file;
}

int finishOutput(const std::string& out, AtomicFile& file) {
    return reportWrite(out, file.commit());
}

} // namespace

int writeOutput(const std::string& out, std::span<const std::uint8_t> bytes) {
    const auto file = openOutput(out);
    file->write(bytes);
    return finishOutput(out, *file);
}

int writeOutput(const std::string& out, const std::function<bool(const ByteSink&)>& produce) {
    const auto file = openOutput(out);
    if (file->status() &&
        !produce([&](std::span<const std::uint8_t> bytes) { return file->write(bytes); })) {
        FileResult failed = file->status();
        if (failed) {
            failed = FileResult::failure("the output could not be produced");
        }
        file->cancel();
        return reportWrite(out, failed);
    }
    return finishOutput(out, *file);
}

int saveDocument(const std::string& out, const GradationDocument& doc) {
    return writeOutput(out, encodeLineData(doc));
}

bool integerOption(const ParsedArgs& args, const std::string& name, std::int64_t lo,
                   std::int64_t hi, std::int64_t& value) {
    const auto it = args.values.find(name);
    if (it == args.values.end()) {
        return true;
    }
    const auto parsed = parseInteger(it->second, lo, hi);
    if (!parsed) {
        printError(name, "'" + it->second + "' is not a whole number in " + std::to_string(lo) +
                             ".." + std::to_string(hi));
        return false;
    }
    value = *parsed;
    return true;
}

bool modelOption(const ParsedArgs& args, ColorMode& mode) {
    const auto it = args.values.find("--model");
    if (it == args.values.end()) {
        return true;
    }
    for (const ColorMode value : {ColorMode::Rgb, ColorMode::Cmy, ColorMode::Oklch}) {
        if (it->second == colorModeName(value)) {
            mode = value;
            return true;
        }
    }
    printError("--model", "'" + it->second + "' is not rgb, cmy or oklch");
    return false;
}

} // namespace spectrane::cli
