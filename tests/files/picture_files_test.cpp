#include "files/gradation_picture.h"

#include "files/bitmap_file.h"
#include "files/png_file.h"
#include "support/test_support.h"

#include <gtest/gtest.h>
#include <png.h>

namespace spectrane {
namespace {

// Decoded by libpng's simplified reader, independently of the encoder's row path.
Surface decodePng(const std::vector<std::uint8_t>& file) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_memory(&image, file.data(), file.size()) == 0) {
        return Surface(1, 1, rgb(1, 2, 3));
    }
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
    png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr);
    Surface s(static_cast<int>(image.width), static_cast<int>(image.height));
    for (int y = 0; y < s.height(); ++y) {
        for (int x = 0; x < s.width(); ++x) {
            const std::uint8_t* p = &pixels[3 * (y * s.width() + x)];
            s.setPixel(x, y, rgb(p[0], p[1], p[2]));
        }
    }
    return s;
}

// Every byte against the published 24-bit layout (rows bottom-up, BGR, padded to 4 bytes), dot j
// with levels (j % 256, 2, 3) where its direction puts it; CMY stores the complement.
TEST(BitmapFile, EveryByteFollowsTheLayout) {
    const int rows[][7] = {
        // length, direction, width, CMY, picture width, height, file bytes
        {512, 0, 32, 0, 512, 32, 49206}, {512, 1, 30, 0, 30, 512, 47158},
        {512, 0, 1, 0, 512, 1, 1590},    {1600, 2, 1200, 0, 1600, 1200, 5760054},
        {2, 3, 1, 0, 1, 2, 62},          {4, 1, 2, 0, 2, 4, 86},
        {4, 2, 1, 1, 4, 1, 66},
    };
    test::TempDir dir;
    for (const auto& [length, direction, width, cmy, w, h, size] : rows) {
        auto doc = test::flatLevels(length, 0, 2, 3);
        for (int j = 0; j < length; ++j) {
            doc->colorLine[0][j].y = CanvasGeometry::levelY(j % 256);
        }
        doc->direction = direction;
        doc->mode = cmy ? ColorMode::Cmy : ColorMode::Rgb;
        ASSERT_TRUE(writeGradationPicture(dir / "g.bmp", *doc, width, PictureFormat::Bmp));
        const auto b = test::readBytes(dir / "g.bmp");
        ASSERT_EQ(b.size(), static_cast<std::size_t>(size)) << length << " " << direction;
        test::ByteBuilder header;
        header.u8('B').u8('M').i32(size).i32(0).i32(54).i32(40).i32(w).i32(h).u8(1).u8(0);
        header.u8(24).u8(0).i32(0).i32(size - 54).i32(0).i32(0).i32(0).i32(0);
        EXPECT_EQ(std::vector<unsigned char>(b.begin(), b.begin() + 54), header.bytes);
        const int stride = (size - 54) / h;
        for (int row = 0; row < h; ++row) {
            for (int k = 0; k < stride; ++k) {
                const int along = direction & 1 ? h - 1 - row : k / 3;
                const int dot = direction >= 2 ? length - 1 - along : along;
                const int bgr[3] = {3, 2, dot % 256};
                const int expected = k >= 3 * w ? 0 : cmy ? 255 - bgr[k % 3] : bgr[k % 3];
                ASSERT_EQ(b[54 + row * stride + k], expected)
                    << length << " " << direction << " row " << row << " byte " << k;
            }
        }
    }
}

// The streamed BMP is byte for byte the picture built whole; the streamed PNG (fixed row filter)
// and the surface written whole (adaptive filter) decode to its pixels and carry their text.
TEST(GradationPicture, StreamedBmpAndPngAreThePictureBuiltWhole) {
    test::TempDir dir;
    for (int direction = 0; direction < 4; ++direction) {
        auto doc = test::randomDocument(direction == 3 ? 2 : 301, 40 + direction, direction == 2);
        doc->direction = direction;
        doc->mode = direction == 1 ? ColorMode::Cmy : ColorMode::Rgb;
        const int width = direction == 0 ? 1 : 37;
        const Surface whole = renderGradationPicture(*doc, width);
        std::vector<std::uint8_t> bmp, png;
        for (auto [format, out] :
             {std::pair{PictureFormat::Bmp, &bmp}, {PictureFormat::Png, &png}}) {
            ASSERT_TRUE(encodeGradationPicture(*doc, width, format, [out](auto bytes) {
                out->insert(out->end(), bytes.begin(), bytes.end());
                return true;
            }));
        }
        ASSERT_EQ(bmp, encodeBitmap24(whole));
        const PngText text[] = {{"Spectrane", "x=1"}};
        ASSERT_TRUE(writePngFile(dir / "p.png", whole, text));
        for (const auto& [file, description] :
             {std::pair{png, pictureDescription(*doc)}, {test::readBytes(dir / "p.png"), "x=1"}}) {
            const Surface decoded = decodePng(file);
            ASSERT_EQ((std::pair{decoded.width(), decoded.height()}),
                      (std::pair{whole.width(), whole.height()}));
            EXPECT_EQ(test::countDifferences(decoded, whole), 0) << direction;
            EXPECT_NE(std::string(file.begin(), file.end())
                          .find("tEXtSpectrane" + std::string(1, '\0') + description),
                      std::string::npos);
        }
    }
    auto doc = test::randomDocument(9, 1, false);
    EXPECT_EQ(pictureDescription(*doc), "length=9 direction=1 cmy=0");
    EXPECT_EQ(pictureFormatFor("a/b.PNG"), PictureFormat::Png);
    EXPECT_EQ(pictureFormatFor("b.png.bmp"), PictureFormat::Bmp);
    EXPECT_FALSE(encodeGradationPicture(*doc, 5, PictureFormat::Png, [](auto) { return false; }));
    EXPECT_FALSE(writePngFile(dir / "none" / "p.png", Surface(2, 2)));
}

} // namespace
} // namespace spectrane
