// The gradation picture as a file, BMP or PNG, streamed row by row: a horizontal gradation is
// one row repeated and a vertical one a colour per row, so no whole picture is ever built.
#pragma once

#include "files/file_result.h"
#include "files/png_file.h"
#include "model/gradation_document.h"

#include <filesystem>
#include <string>

namespace spectrane {

enum class PictureFormat { Bmp, Png };

// PNG for a name ending in ".png" (any case), BMP for any other.
PictureFormat pictureFormatFor(const std::filesystem::path& target);

// The value of the PNG's "Spectrane" tEXt chunk: "length=L direction=D cmy=0|1",
// followed by " model=oklch" for an OKLCh document.
std::string pictureDescription(const GradationDocument& doc);

// Streams the file of the gradation `width` (1..1200) pixels across, as writeGradationBitmap
// lays it out, to `sink`. BMP bytes are those of encodeBitmap24(renderGradationPicture(...));
// PNG is 8-bit RGB with the description as a tEXt chunk. False when the sink or libpng failed.
bool encodeGradationPicture(const GradationDocument& doc, int width, PictureFormat format,
                            const ByteSink& sink);

// Streams the picture through the one safe writer; the failure is returned, never swallowed.
FileResult writeGradationPicture(const std::filesystem::path& target, const GradationDocument& doc,
                                 int width, PictureFormat format);

} // namespace spectrane
