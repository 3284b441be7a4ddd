// Gradients from pictures: one row or column of a PNG (read with libpng) or of a BMP. BMP is
// read here by hand, with every offset checked against the file's size: libpng reads only
// PNG, and Debian has no small well-kept library for the few BMP layouts that matter.
#include "exchange/gradient_readers.h"
#include "exchange/text_scan.h"
#include "files/little_endian.h"

#include <png.h>

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

namespace spectrane {

namespace {

// Pictures wider or taller than this are refused before anything is allocated.
constexpr std::uint32_t kMaxSide = 65536;
// An interlaced PNG is decoded whole; a bigger one is refused.
constexpr std::uint64_t kMaxInterlacedPixels = 1u << 24;

std::string byteError(std::size_t byte, const std::string& what) {
    return "byte " + std::to_string(byte) + ": " + what;
}

// Checks the line's index against the picture, resolving -1 to the middle; an error or empty.
std::string chooseLine(std::uint32_t width, std::uint32_t height, ImageLine& line) {
    const std::uint32_t across = line.column ? width : height;
    if (line.index < 0) {
        line.index = static_cast<int>(across / 2);
    }
    if (static_cast<std::uint32_t>(line.index) >= across) {
        return std::string(line.column ? "column " : "row ") + std::to_string(line.index) +
               " is outside the picture (0.." + std::to_string(across - 1) + ")";
    }
    return {};
}

Gradient lineGradient(std::vector<GradientStop> stops, bool column) {
    Gradient g;
    g.ownLength = static_cast<int>(stops.size());
    g.to = static_cast<double>(stops.size() - 1);
    g.direction = column ? 1 : 0;
    g.pixels = true;
    g.stops = std::move(stops);
    return g;
}

// --- PNG ---------------------------------------------------------------------------------

struct PngSource {
    std::span<const std::uint8_t> bytes;
    std::size_t at = 0;
    bool atEnd = false; // the pixels are read, the chunks after them not yet
    char message[128] = "";
};

void readPngBytes(png_structp png, png_bytep out, png_size_t size) {
    auto* src = static_cast<PngSource*>(png_get_io_ptr(png));
    if (size > src->bytes.size() - src->at) {
        png_error(png, "the file ends early");
    }
    std::memcpy(out, src->bytes.data() + src->at, size);
    src->at += size;
}

void pngError(png_structp png, png_const_charp message) {
    auto* src = static_cast<PngSource*>(png_get_error_ptr(png));
    std::snprintf(src->message, sizeof src->message, "%s", message);
    png_longjmp(png, 1);
}

void pngWarning(png_structp, png_const_charp) {}

// Reads the header and sets the transforms to 8-bit RGB. Nothing in this frame needs a
// destructor, as libpng's errors jump out of it.
bool readPngInfo(png_structp png, png_infop info, png_uint_32& width, png_uint_32& height,
                 int& passes) {
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    png_set_user_limits(png, kMaxSide, kMaxSide);
    // A damaged file is refused rather than read as far as it happens to go: a bad checksum in
    // any chunk, and the faults libpng calls benign (corrupt or surplus compressed data), are
    // errors here.
    png_set_crc_action(png, PNG_CRC_ERROR_QUIT, PNG_CRC_ERROR_QUIT);
    png_set_benign_errors(png, 0);
    png_read_info(png, info);
    width = png_get_image_width(png, info);
    height = png_get_image_height(png, info);
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    // Every layout as RGBA: an opaque one gets alpha 255.
    png_set_add_alpha(png, 0xff, PNG_FILLER_AFTER);
    passes = png_set_interlace_handling(png);
    png_read_update_info(png, info);
    return png_get_rowbytes(png, info) == 4 * static_cast<std::size_t>(width);
}

// Reads every row, into one reused row or, interlaced, into all of `rows`, taking the wanted
// pixels from each finished row, then the chunks up to IEND: only a file read to its end has
// had its compressed data and every checksum checked. Nothing here needs a destructor either.
bool readPngRows(png_structp png, png_uint_32 width, png_uint_32 height, int passes,
                 std::uint8_t* rows, ImageLine line, GradientStop* out, PngSource& src) {
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    const std::size_t stride = 4 * static_cast<std::size_t>(width);
    const auto sample = [&](std::uint32_t i, const std::uint8_t* p) {
        out[i] = {static_cast<double>(i), {double(p[0]), double(p[1]), double(p[2])}, p[3] / 255.0};
    };
    const auto index = static_cast<png_uint_32>(line.index);
    for (int pass = 0; pass < passes; ++pass) {
        for (png_uint_32 y = 0; y < height; ++y) {
            std::uint8_t* row = rows + (passes > 1 ? y * stride : 0);
            png_read_row(png, row, nullptr);
            if (pass + 1 < passes) {
                continue;
            }
            if (line.column) {
                sample(y, row + 4 * static_cast<std::size_t>(index));
            } else if (y == index) {
                for (png_uint_32 x = 0; x < width; ++x) {
                    sample(x, row + 4 * static_cast<std::size_t>(x));
                }
            }
        }
    }
    src.atEnd = true;
    png_read_end(png, nullptr);
    return true;
}

GradientReadResult decodePngLine(png_structp png, png_infop info, PngSource& src, ImageLine line) {
    png_uint_32 width = 0;
    png_uint_32 height = 0;
    int passes = 1;
    if (!readPngInfo(png, info, width, height, passes)) {
        return readFailure(
            byteError(src.at, src.message[0] != 0 ? src.message : "an unsupported pixel layout"));
    }
    if (std::string error = chooseLine(width, height, line); !error.empty()) {
        return readFailure(error);
    }
    if (passes > 1 && std::uint64_t{width} * height > kMaxInterlacedPixels) {
        return readFailure("an interlaced picture of more than 16 million pixels is refused");
    }
    std::vector<std::uint8_t> rows(4 * static_cast<std::size_t>(width) * (passes > 1 ? height : 1));
    std::vector<GradientStop> stops(line.column ? height : width);
    if (!readPngRows(png, width, height, passes, rows.data(), line, stops.data(), src)) {
        const bool noEnd = src.atEnd && src.at == src.bytes.size();
        return readFailure(byteError(src.at, noEnd ? "the file ends before its IEND chunk"
                                                   : std::string(src.message)));
    }
    return {lineGradient(std::move(stops), line.column), {}};
}

// --- BMP ---------------------------------------------------------------------------------

bool standardMasks(std::span<const std::uint8_t> b, std::size_t at) {
    return at + 12 <= b.size() && getUint32(&b[at]) == 0x00ff0000u &&
           getUint32(&b[at + 4]) == 0x0000ff00u && getUint32(&b[at + 8]) == 0x000000ffu;
}

} // namespace

GradientReadResult readPngGradient(std::span<const std::uint8_t> bytes, ImageLine line) {
    if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0) {
        return readFailure(byteError(0, "not a PNG picture"));
    }
    PngSource src{bytes};
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &src, pngError, pngWarning);
    png_infop info = png != nullptr ? png_create_info_struct(png) : nullptr;
    if (info == nullptr) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return readFailure(byteError(0, "libpng could not start"));
    }
    png_set_read_fn(png, &src, readPngBytes);
    GradientReadResult result = decodePngLine(png, info, src, line);
    png_destroy_read_struct(&png, &info, nullptr);
    return result;
}

GradientReadResult readBmpGradient(std::span<const std::uint8_t> b, ImageLine line) {
    if (b.size() < 2 || b[0] != 'B' || b[1] != 'M') {
        return readFailure(byteError(0, "not a BMP picture"));
    }
    if (b.size() < 54) {
        return readFailure(byteError(b.size(), "the headers end early"));
    }
    const std::uint32_t dataAt = getUint32(&b[10]);
    const std::uint32_t infoSize = getUint32(&b[14]);
    if (infoSize != 40 && infoSize != 52 && infoSize != 56 && infoSize != 108 && infoSize != 124) {
        return readFailure(byteError(14, "an info header of " + std::to_string(infoSize) +
                                             " bytes is not supported"));
    }
    const std::int32_t w = getInt32(&b[18]);
    const std::int32_t h = getInt32(&b[22]);
    if (w <= 0 || static_cast<std::uint32_t>(w) > kMaxSide) {
        return readFailure(byteError(18, "the width must be 1..65536"));
    }
    if (h == 0 || h < -static_cast<std::int32_t>(kMaxSide) ||
        h > static_cast<std::int32_t>(kMaxSide)) {
        return readFailure(byteError(22, "the height must be 1..65536 (or its negative)"));
    }
    const unsigned bits = b[28] | (b[29] << 8);
    if (bits != 24 && bits != 32) {
        return readFailure(byteError(28, std::to_string(bits) +
                                             " bits per pixel are not supported, only 24 and 32"));
    }
    const std::uint32_t compression = getUint32(&b[30]);
    // The masks follow the 40-byte header, inside a longer one or after it: byte 54 either way.
    if (compression != 0 && !(compression == 3 && bits == 32 && standardMasks(b, 54))) {
        return readFailure(byteError(30, "compressed or unusual pixels are not supported"));
    }
    const std::uint32_t width = static_cast<std::uint32_t>(w);
    const std::uint32_t height = static_cast<std::uint32_t>(h < 0 ? -h : h);
    const std::uint64_t stride = (std::uint64_t{bits} * width + 31) / 32 * 4;
    if (dataAt < 14 + infoSize || dataAt + stride * height > b.size()) {
        return readFailure(byteError(10, "the pixels lie outside the file (" +
                                             std::to_string(b.size()) + " bytes)"));
    }
    if (std::string error = chooseLine(width, height, line); !error.empty()) {
        return readFailure(error);
    }
    // The fourth byte of a 32-bit pixel is opacity only where the header's alpha mask says so
    // (elsewhere it is reserved, and often 0).
    const bool alpha = bits == 32 && infoSize >= 56 && getUint32(&b[66]) == 0xff000000u;
    std::vector<GradientStop> stops(line.column ? height : width);
    for (std::uint32_t i = 0; i < stops.size(); ++i) {
        const std::uint32_t x = line.column ? static_cast<std::uint32_t>(line.index) : i;
        const std::uint32_t y = line.column ? i : static_cast<std::uint32_t>(line.index);
        const std::uint32_t stored = h > 0 ? height - 1 - y : y; // bottom-up unless negative
        const std::uint8_t* p = &b[dataAt + stored * stride + x * (bits / 8)];
        stops[i] = {static_cast<double>(i),
                    {double(p[2]), double(p[1]), double(p[0])},
                    alpha ? p[3] / 255.0 : 1.0};
    }
    return {lineGradient(std::move(stops), line.column), {}};
}

GradientReadResult readGradient(ExchangeFormat format, std::span<const std::uint8_t> bytes,
                                ImageLine line) {
    if (format == ExchangeFormat::Png) {
        return readPngGradient(bytes, line);
    }
    if (format == ExchangeFormat::Bmp) {
        return readBmpGradient(bytes, line);
    }
    std::string error;
    const std::string_view text = textOfFile(bytes, error);
    if (!error.empty()) {
        return readFailure(error);
    }
    switch (format) {
    case ExchangeFormat::Csv:
        return readCsvGradient(text);
    case ExchangeFormat::Css:
    case ExchangeFormat::Svg: {
        // Both fill a box: its pixels sample the gradient at their centres.
        GradientReadResult r =
            format == ExchangeFormat::Css ? readCssGradient(text) : readSvgGradient(text);
        if (r.gradient) {
            r.gradient->pixelCentres = true;
            r.gradient->premultiplied = format == ExchangeFormat::Css;
        }
        return r;
    }
    case ExchangeFormat::Ggr:
        return readGgrGradient(text);
    case ExchangeFormat::Cpt:
        return readCptGradient(text);
    case ExchangeFormat::Json:
        return readJsonGradient(text);
    default:
        return readFailure("an unknown format");
    }
}

} // namespace spectrane
