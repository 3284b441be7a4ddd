// Outcome of reading or writing one of the program's own files: the text the user is shown on
// failure and a plain detail for the command line or a log.
#pragma once

#include "model/shown_text.h"

#include <string>
#include <utility>

namespace spectrane {

// The one failure text of every line data and settings file operation.
inline constexpr const char* kFileOpenFailedMessage =
    QT_TRANSLATE_NOOP("Messages", "ファイルオープンに失敗");

struct FileResult {
    bool ok = true;
    std::string message; // kFileOpenFailedMessage on failure, empty when ok
    std::string detail;  // what went wrong, in plain words; empty when ok
    // For a failure the system reported: the file it concerns and the system's reason (with
    // what became of the old content when that is in doubt). Empty otherwise.
    std::string file;
    std::string reason;

    explicit operator bool() const { return ok; }

    static FileResult failure(std::string what) {
        return {false, kFileOpenFailedMessage, std::move(what), {}, {}};
    }
    static FileResult systemFailure(std::string what, std::string file, std::string reason) {
        std::string detail = what + ": " + reason;
        return {false, kFileOpenFailedMessage, std::move(detail), std::move(file),
                std::move(reason)};
    }
};

} // namespace spectrane
