// QImage views of a Surface's memory (Format_RGB32, no copy), for painting it to the screen
// or painting onto it with QPainter.
#pragma once

#include "raster/surface.h"

#include <QImage>

namespace spectrane {

// Writable view; valid while the surface lives and is not resized. QPainter sets the unused
// top byte of the pixels it touches: call clearAlphaByte on them afterwards.
QImage surfaceImage(Surface& surface);

// Read-only view.
QImage surfaceImage(const Surface& surface);

// Puts the top byte of every pixel in r (clipped) back to 0, as the rest of the program
// expects of a 0x00RRGGBB surface.
void clearAlphaByte(Surface& surface, Rect r);

} // namespace spectrane
