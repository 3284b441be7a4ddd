// ASCII case folding for names in files and file names: locale-free, bytes above 127 untouched.
#pragma once

#include <string>
#include <string_view>

namespace spectrane {

// `s` with A..Z turned into a..z.
inline std::string asciiLower(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') {
            c = static_cast<char>(c - 'A' + 'a');
        }
    }
    return out;
}

} // namespace spectrane
