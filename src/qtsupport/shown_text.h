// A text of the pure layers as the user reads it: translated in context "Messages" (see
// model/shown_text.h), or as it is when it has no translation (texts made at run time, such as
// a file's name in a message).
#pragma once

#include "files/file_result.h"

#include <QString>

#include <string_view>

namespace spectrane {

QString shownText(std::string_view text);

// A failure as the user reads it: its text, then on a second line the file and the system's
// reason (or, for a failure that is not the system's, what went wrong).
QString failureText(const FileResult& result);

} // namespace spectrane
