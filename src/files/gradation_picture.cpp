#include "files/gradation_picture.h"

#include "files/atomic_write.h"
#include "files/bitmap_file.h"
#include "model/ascii_text.h"
#include "model/gradation_render.h"

#include <algorithm>
#include <vector>

namespace spectrane {

namespace {

// Rows are handed to the sink in batches of about this many bytes: few system calls, little
// memory.
constexpr std::size_t kBatchBytes = 1 << 18;

// Colour of the dot painted at position p (0..L-1) along the gradation.
Color colorAt(const GradationDocument& doc, int p) {
    const int dot = dotPosition(p, doc.length, doc.direction); // the mapping is its own inverse
    return mixedColor(doc.colorLine, dot, doc.colorModel());
}

void putPixel(std::uint8_t* p, Color c, bool bgr) {
    p[0] = static_cast<std::uint8_t>(bgr ? blueOf(c) : redOf(c));
    p[1] = static_cast<std::uint8_t>(greenOf(c));
    p[2] = static_cast<std::uint8_t>(bgr ? redOf(c) : blueOf(c));
}

// Fills `row` (3 bytes per pixel, then padding left as it is) with picture row y, top-down.
void pictureRow(const GradationDocument& doc, int width, int y, std::span<std::uint8_t> row,
                bool bgr) {
    if (doc.vertical()) {
        const Color c = colorAt(doc, y);
        for (int x = 0; x < width; ++x) {
            putPixel(row.data() + 3 * x, c, bgr);
        }
        return;
    }
    for (int x = 0; x < doc.length; ++x) {
        putPixel(row.data() + 3 * x, colorAt(doc, x), bgr);
    }
}

bool streamBitmap(const GradationDocument& doc, int width, const ByteSink& sink) {
    const int w = doc.vertical() ? width : doc.length;
    const int h = doc.vertical() ? doc.length : width;
    const std::size_t stride = static_cast<std::size_t>(bitmapRowStride(w));
    const auto header = bitmapHeader(w, h);
    if (!sink(header)) {
        return false;
    }
    const std::size_t rowsPerBatch = std::max<std::size_t>(1, kBatchBytes / stride);
    std::vector<std::uint8_t> batch(stride * std::min<std::size_t>(rowsPerBatch, h), 0);
    if (!doc.vertical()) {
        // Every row is the same: fill the batch once and send it as often as it takes.
        pictureRow(doc, w, 0, {batch.data(), stride}, true);
        const std::size_t rows = batch.size() / stride;
        for (std::size_t k = 1; k < rows; ++k) {
            std::copy_n(batch.begin(), stride, batch.begin() + k * stride);
        }
        for (std::size_t done = 0; done < static_cast<std::size_t>(h); done += rows) {
            const std::size_t n = std::min(rows, h - done);
            if (!sink({batch.data(), n * stride})) {
                return false;
            }
        }
        return true;
    }
    int y = h - 1; // bottom row first
    while (y >= 0) {
        std::size_t n = 0;
        for (; n < batch.size() / stride && y >= 0; ++n, --y) {
            pictureRow(doc, w, y, {batch.data() + n * stride, stride}, true);
        }
        if (!sink({batch.data(), n * stride})) {
            return false;
        }
    }
    return true;
}

bool streamPng(const GradationDocument& doc, int width, const ByteSink& sink) {
    const int w = doc.vertical() ? width : doc.length;
    const int h = doc.vertical() ? doc.length : width;
    const PngText text[] = {{"Spectrane", pictureDescription(doc)}};
    std::vector<std::uint8_t> same;
    if (!doc.vertical()) {
        same.resize(3 * static_cast<std::size_t>(w));
        pictureRow(doc, w, 0, same, false);
    }
    return encodePngRows(
        w, h,
        [&](int y, std::span<std::uint8_t> rgb) {
            if (same.empty()) {
                pictureRow(doc, w, y, rgb, false);
            } else {
                std::copy(same.begin(), same.end(), rgb.begin());
            }
        },
        text, sink, doc.vertical() ? PngFilter::Sub : PngFilter::Up);
}

} // namespace

PictureFormat pictureFormatFor(const std::filesystem::path& target) {
    const std::string ext = asciiLower(target.extension().string());
    return ext == ".png" ? PictureFormat::Png : PictureFormat::Bmp;
}

std::string pictureDescription(const GradationDocument& doc) {
    return "length=" + std::to_string(doc.length) + " direction=" + std::to_string(doc.direction) +
           " cmy=" + (doc.cmy() ? "1" : "0") + (doc.oklch() ? " model=oklch" : "");
}

bool encodeGradationPicture(const GradationDocument& doc, int width, PictureFormat format,
                            const ByteSink& sink) {
    if (width < kMinSaveWidth || width > kMaxSaveWidth || doc.length < kMinDots ||
        doc.length > kMaxDots) {
        return false;
    }
    return format == PictureFormat::Png ? streamPng(doc, width, sink)
                                        : streamBitmap(doc, width, sink);
}

FileResult writeGradationPicture(const std::filesystem::path& target, const GradationDocument& doc,
                                 int width, PictureFormat format) {
    AtomicFile file(target);
    if (!file.open()) {
        return file.commit();
    }
    const bool ok = encodeGradationPicture(
        doc, width, format, [&](std::span<const std::uint8_t> bytes) { return file.write(bytes); });
    if (!ok) {
        FileResult failed = file.status();
        if (failed) {
            failed = FileResult::failure("cannot encode the picture");
        }
        file.cancel();
        return failed;
    }
    return file.commit();
}

} // namespace spectrane
