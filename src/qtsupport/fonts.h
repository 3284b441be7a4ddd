// The fonts the program asks for by face name, mapped once to faces installed on Debian.
#pragma once

#include <QFont>

#include <string_view>

namespace spectrane {

// Registers the substitutes for "ＭＳ Ｐゴシック", "Courier New" and "Calisto MT". Safe to call
// more than once and from any thread; only the first call does anything. Call it after the
// QGuiApplication exists and before the first font is used.
void registerFontSubstitutes();

// A normal-weight font of the face (UTF-8 name) with a character height of pixelHeight
// pixels, drawn without anti-aliasing like the classic raster fonts.
QFont programFont(std::string_view face, int pixelHeight);

} // namespace spectrane
