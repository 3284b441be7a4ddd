// Bitmap export: the gradation as a 24-bit uncompressed Windows bitmap of L x W pixels (even
// direction) or W x L (odd direction), rows bottom-up, blue-green-red, padded to 4 bytes.
#pragma once

#include "model/gradation_document.h"
#include "raster/surface.h"

#include <array>
#include <cstdint>
#include <vector>

namespace spectrane {

inline constexpr int kBitmapHeaderBytes = 54;
inline constexpr int kMinSaveWidth = 1;
inline constexpr int kMaxSaveWidth = 1200;
inline constexpr int kDefaultSaveWidth = 32;

// Bytes of one stored row: 3 per pixel, rounded up to a multiple of 4.
constexpr int bitmapRowStride(int width) {
    return (3 * width + 3) / 4 * 4;
}

// The 14-byte file header and the 40-byte info header of a width x height 24-bit picture.
std::array<std::uint8_t, kBitmapHeaderBytes> bitmapHeader(int width, int height);

// The gradation of the document's length, direction and CMY flag, `width` pixels across,
// painted at the origin of a fresh surface of exactly the picture's size.
Surface renderGradationPicture(const GradationDocument& doc, int width);

// The whole .bmp file of a picture: the 14-byte file header, the 40-byte info header and the
// pixel rows. The slow, obvious reference for the streaming writer (gradation_picture.h).
std::vector<std::uint8_t> encodeBitmap24(const Surface& picture);

} // namespace spectrane
