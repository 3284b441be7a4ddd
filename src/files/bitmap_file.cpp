#include "files/bitmap_file.h"

#include "files/little_endian.h"
#include "model/gradation_render.h"

#include <algorithm>

namespace spectrane {

Surface renderGradationPicture(const GradationDocument& doc, int width) {
    const bool vertical = doc.vertical();
    Surface picture(vertical ? width : doc.length, vertical ? doc.length : width);
    paintGradation(picture, doc.colorLine, 0, 0, doc.length, width, 0, doc.length - 1,
                   doc.direction, doc.colorModel());
    return picture;
}

std::array<std::uint8_t, kBitmapHeaderBytes> bitmapHeader(int width, int height) {
    const std::uint32_t imageBytes =
        static_cast<std::uint32_t>(bitmapRowStride(width)) * static_cast<std::uint32_t>(height);
    std::array<std::uint8_t, kBitmapHeaderBytes> header{};
    std::uint8_t* hdr = header.data();
    hdr[0] = 'B';
    hdr[1] = 'M';
    putLittleEndian(hdr + 2, imageBytes + kBitmapHeaderBytes, 4);
    putLittleEndian(hdr + 10, kBitmapHeaderBytes, 4);
    putLittleEndian(hdr + 14, 40, 4);
    putLittleEndian(hdr + 18, static_cast<std::uint32_t>(width), 4);
    putLittleEndian(hdr + 22, static_cast<std::uint32_t>(height), 4);
    putLittleEndian(hdr + 26, 1, 2);
    putLittleEndian(hdr + 28, 24, 2);
    putLittleEndian(hdr + 34, imageBytes, 4);
    return header;
}

std::vector<std::uint8_t> encodeBitmap24(const Surface& picture) {
    const int w = picture.width();
    const int h = picture.height();
    const std::uint32_t stride = static_cast<std::uint32_t>(bitmapRowStride(w));
    std::vector<std::uint8_t> out(kBitmapHeaderBytes + stride * static_cast<std::uint32_t>(h), 0);
    const auto header = bitmapHeader(w, h);
    std::copy(header.begin(), header.end(), out.begin());
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

} // namespace spectrane
