#include "files/bitmap_file.h"

#include "model/gradation_render.h"

namespace spectrane {

namespace {

void put16(std::uint8_t* p, std::uint32_t v) {
    p[0] = static_cast<std::uint8_t>(v);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}

void put32(std::uint8_t* p, std::uint32_t v) {
    put16(p, v);
    put16(p + 2, v >> 16);
}

} // namespace

Surface renderGradationPicture(const GradationDocument& doc, int width) {
    const bool vertical = (doc.direction & 1) != 0;
    Surface picture(vertical ? width : doc.length, vertical ? doc.length : width);
    paintGradation(picture, doc.colorLine, 0, 0, doc.length, width, 0, doc.length - 1,
                   doc.direction, doc.cmy != 0);
    return picture;
}

std::vector<std::uint8_t> encodeBitmap24(const Surface& picture) {
    const int w = picture.width();
    const int h = picture.height();
    const std::uint32_t stride = static_cast<std::uint32_t>(bitmapRowStride(w));
    const std::uint32_t imageBytes = stride * static_cast<std::uint32_t>(h);
    std::vector<std::uint8_t> out(kBitmapHeaderBytes + imageBytes, 0);
    std::uint8_t* hdr = out.data();
    hdr[0] = 'B';
    hdr[1] = 'M';
    put32(hdr + 2, imageBytes + kBitmapHeaderBytes);
    put32(hdr + 10, kBitmapHeaderBytes);
    put32(hdr + 14, 40);
    put32(hdr + 18, static_cast<std::uint32_t>(w));
    put32(hdr + 22, static_cast<std::uint32_t>(h));
    put16(hdr + 26, 1);
    put16(hdr + 28, 24);
    put32(hdr + 34, imageBytes);
    // Bottom row first.
    for (int y = 0; y < h; ++y) {
        const Color* src = picture.row(h - 1 - y);
        std::uint8_t* dst = out.data() + kBitmapHeaderBytes + static_cast<std::size_t>(y) * stride;
        for (int x = 0; x < w; ++x) {
            dst[3 * x] = static_cast<std::uint8_t>(blueOf(src[x]));
            dst[3 * x + 1] = static_cast<std::uint8_t>(greenOf(src[x]));
            dst[3 * x + 2] = static_cast<std::uint8_t>(redOf(src[x]));
        }
    }
    return out;
}

WriteResult writeGradationBitmap(const std::filesystem::path& target, const GradationDocument& doc,
                                 int width) {
    const std::vector<std::uint8_t> bytes = encodeBitmap24(renderGradationPicture(doc, width));
    return writeFileAtomically(target, bytes);
}

} // namespace spectrane
