// PNG pictures (8-bit RGB, written with libpng), row by row so that a picture never has to be
// built whole in memory, with optional tEXt chunks.
#pragma once

#include "files/file_result.h"
#include "raster/surface.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace spectrane {

struct PngText {
    std::string key; // 1..79 Latin-1 characters
    std::string value;
};

// Fills `rgb` (3 * width bytes, red-green-blue) with row y; rows are asked for top to bottom.
using PngRowSource = std::function<void(int y, std::span<std::uint8_t> rgb)>;
// Takes the next bytes of the file; false stops the encoding.
using ByteSink = std::function<bool(std::span<const std::uint8_t>)>;

// The row filter: libpng's adaptive choice, or one fixed filter for a picture whose rows are
// known to be all alike (Up) or each one colour (Sub), which compresses as well and much faster.
enum class PngFilter { Adaptive, Sub, Up };

// Encodes a width x height picture. False when libpng or the sink failed.
bool encodePngRows(int width, int height, const PngRowSource& rows, std::span<const PngText> text,
                   const ByteSink& sink, PngFilter filter = PngFilter::Adaptive);

// Writes a surface as a PNG file through the one safe writer.
FileResult writePngFile(const std::filesystem::path& target, const Surface& picture,
                        std::span<const PngText> text = {});

// Copies row y of a surface as red-green-blue bytes.
void surfaceRowToRgb(const Surface& picture, int y, std::span<std::uint8_t> rgb);

} // namespace spectrane
