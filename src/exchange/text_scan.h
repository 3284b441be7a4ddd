// What the text readers share: lines and their numbers, strict number parsing, colours written
// the CSS way (also used by SVG), and the length our own exports state.
#pragma once

#include "exchange/gradient.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace spectrane {

std::string_view asText(std::span<const std::uint8_t> bytes);

// The text of a file's bytes for the text readers: a UTF-8 byte order mark is dropped (it
// stays on line 1, so line numbers hold). UTF-16 and UTF-32 are refused with `error` set to
// a "line 1: ..." text that says which they are.
std::string_view textOfFile(std::span<const std::uint8_t> bytes, std::string& error);

std::string_view trim(std::string_view s);

// The 1-based number of the line that holds byte `offset` of `text`.
int lineOf(std::string_view text, std::size_t offset);

// "line N: what".
std::string lineError(int line, const std::string& what);

// The lines of a text without their line ends ("\n" or "\r\n").
std::vector<std::string_view> splitLines(std::string_view text);

// Fields split at any of `separators`; with `mergeRuns` runs of separators count as one and
// leading and trailing ones are dropped (whitespace-separated fields).
std::vector<std::string_view> splitFields(std::string_view s, std::string_view separators,
                                          bool mergeRuns);

// A whole decimal number (no leading '+', no surrounding blanks), finite, or nothing.
std::optional<double> parseNumber(std::string_view s);

// A CSS or SVG colour: #rgb, #rgba, #rrggbb, #rrggbbaa, rgb()/rgba() and hsl()/hsla() in the
// comma or space syntax, "transparent", or a CSS colour name. Components 0..255, alpha 0..1
// last. Nothing, with `why` set, when it is none of these.
std::optional<Rgba> parseCssColorAlpha(std::string_view s, std::string& why);

// The same without its alpha.
std::optional<std::array<double, 3>> parseCssColor(std::string_view s, std::string& why);

// An X11 colour name, any case, spaces and underscores ignored ("Light Sky Blue", "gray50"),
// components 0..255; nothing when there is no such name.
std::optional<std::array<double, 3>> x11Color(std::string_view name);

// Hue, saturation and value, all 0..1, of a colour with components 0..1, and back.
std::array<double, 3> rgbToHsv(const std::array<double, 3>& rgb);
std::array<double, 3> hsvToRgb(const std::array<double, 3>& hsv);

// The length stated by "spectrane-length: L" anywhere in the text, or 0.
int lengthHint(std::string_view text);

// Quoted so that a bad token can be shown: at most 40 characters, control bytes as '?'.
std::string shown(std::string_view token);

} // namespace spectrane
