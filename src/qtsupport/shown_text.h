// A text of the pure layers as the user reads it: translated in context "Messages" (see
// model/shown_text.h), or as it is when it has no translation (texts made at run time, such as
// a file's name in a message).
#pragma once

#include <QString>

#include <string_view>

namespace spectrane {

QString shownText(std::string_view text);

} // namespace spectrane
