#include "files/png_file.h"

#include "files/atomic_write.h"

#include <png.h>
#include <zlib.h>

#include <csetjmp>

namespace spectrane {

namespace {

struct SinkState {
    const ByteSink* sink;
    bool failed = false;
};

void writeToSink(png_structp png, png_bytep data, png_size_t size) {
    auto* state = static_cast<SinkState*>(png_get_io_ptr(png));
    if (!state->failed && !(*state->sink)({data, size})) {
        state->failed = true;
        png_error(png, "the file could not be written");
    }
}

void flushNothing(png_structp) {}

// libpng's own handlers print; a failure here is returned to the caller instead.
void quietError(png_structp png, png_const_charp) {
    png_longjmp(png, 1);
}

void quietWarning(png_structp, png_const_charp) {}

// All libpng calls happen here, between setjmp and any longjmp from libpng's error handler;
// nothing in this frame needs a destructor. `row` holds 3 * width bytes.
bool encode(png_structp png, png_infop info, int width, int height, const PngRowSource& rows,
            std::span<const PngText> text, png_text* chunks, std::uint8_t* row, int filters) {
    if (setjmp(png_jmpbuf(png)) != 0) {
        return false;
    }
    if (filters != 0) {
        // Filtered rows of such pictures are long runs of zeros: run-length matching finds
        // everything there is to find, many times faster than the default search.
        png_set_filter(png, PNG_FILTER_TYPE_BASE, filters);
        png_set_compression_strategy(png, Z_RLE);
    }
    png_set_IHDR(png, info, static_cast<png_uint_32>(width), static_cast<png_uint_32>(height), 8,
                 PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    for (std::size_t i = 0; i < text.size(); ++i) {
        chunks[i].compression = PNG_TEXT_COMPRESSION_NONE;
        chunks[i].key = const_cast<char*>(text[i].key.c_str());
        chunks[i].text = const_cast<char*>(text[i].value.c_str());
        chunks[i].text_length = text[i].value.size();
    }
    if (!text.empty()) {
        png_set_text(png, info, chunks, static_cast<int>(text.size()));
    }
    png_write_info(png, info);
    const std::size_t rowBytes = 3 * static_cast<std::size_t>(width);
    for (int y = 0; y < height; ++y) {
        rows(y, {row, rowBytes});
        png_write_row(png, row);
    }
    png_write_end(png, info);
    return true;
}

} // namespace

bool encodePngRows(int width, int height, const PngRowSource& rows, std::span<const PngText> text,
                   const ByteSink& sink, PngFilter filter) {
    if (width <= 0 || height <= 0) {
        return false;
    }
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, quietError, quietWarning);
    if (png == nullptr) {
        return false;
    }
    png_infop info = png_create_info_struct(png);
    if (info == nullptr) {
        png_destroy_write_struct(&png, nullptr);
        return false;
    }
    SinkState state{&sink};
    png_set_write_fn(png, &state, writeToSink, flushNothing);
    std::vector<png_text> chunks(text.size());
    std::vector<std::uint8_t> row(3 * static_cast<std::size_t>(width));
    const int filters = filter == PngFilter::Up    ? PNG_FILTER_UP
                        : filter == PngFilter::Sub ? PNG_FILTER_SUB
                                                   : 0;
    const bool ok =
        encode(png, info, width, height, rows, text, chunks.data(), row.data(), filters);
    png_destroy_write_struct(&png, &info);
    return ok && !state.failed;
}

void surfaceRowToRgb(const Surface& picture, int y, std::span<std::uint8_t> rgb) {
    const Color* src = picture.row(y);
    for (int x = 0; x < picture.width(); ++x) {
        rgb[3 * x] = static_cast<std::uint8_t>(redOf(src[x]));
        rgb[3 * x + 1] = static_cast<std::uint8_t>(greenOf(src[x]));
        rgb[3 * x + 2] = static_cast<std::uint8_t>(blueOf(src[x]));
    }
}

FileResult writePngFile(const std::filesystem::path& target, const Surface& picture,
                        std::span<const PngText> text) {
    AtomicFile file(target);
    if (!file.open()) {
        return file.commit();
    }
    const bool ok = encodePngRows(
        picture.width(), picture.height(),
        [&](int y, std::span<std::uint8_t> rgb) { surfaceRowToRgb(picture, y, rgb); }, text,
        [&](std::span<const std::uint8_t> bytes) { return file.write(bytes); });
    if (!ok) {
        const FileResult failed =
            file.status() ? FileResult::failure("cannot encode the picture as PNG") : file.status();
        file.cancel();
        return failed;
    }
    return file.commit();
}

} // namespace spectrane
