#include "cli/cli_io.h"

#include "files/atomic_write.h"
#include "files/line_data_file.h"

#include <cstdio>

namespace spectrane::cli {

void printError(const std::string& subject, const std::string& reason) {
    std::fprintf(stderr, "%s: %s: %s\n", kProgram, subject.c_str(), reason.c_str());
}

std::unique_ptr<GradationDocument> loadDocument(const std::string& file, int* version) {
    LineDataReadResult read = readLineDataFile(file);
    if (!read) {
        printError(file, read.status.message + " (" + read.status.detail + ")");
        return nullptr;
    }
    if (!read.warning.empty()) {
        printError(file, read.warning);
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
        printError(out, result.message + " (" + result.detail + ")");
        return kExitRefused;
    }
    return kExitOk;
}

int writeOutput(const std::string& out, std::span<const std::uint8_t> bytes) {
    return reportWrite(out, writeFileAtomically(out, bytes));
}

int writeOutput(const std::string& out, const std::function<bool(const ByteSink&)>& produce) {
    AtomicFile file(out);
    if (!file.open()) {
        return reportWrite(out, file.commit());
    }
    if (!produce([&](std::span<const std::uint8_t> bytes) { return file.write(bytes); })) {
        FileResult failed = file.status();
        if (failed) {
            failed = FileResult::failure("the output could not be produced");
        }
        file.cancel();
        return reportWrite(out, failed);
    }
    return reportWrite(out, file.commit());
}

int saveDocument(const std::string& out, const GradationDocument& doc) {
    return reportWrite(out, writeLineDataFile(out, doc));
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

} // namespace spectrane::cli
