#include "files/gradation_picture.h"

#include "files/bitmap_file.h"
#include "support/test_support.h"

#include <gtest/gtest.h>
#include <png.h>

namespace spectrane {
namespace {

std::vector<std::uint8_t> stream(const GradationDocument& doc, int width, PictureFormat format) {
    std::vector<std::uint8_t> out;
    EXPECT_TRUE(encodeGradationPicture(doc, width, format, [&](auto bytes) {
        out.insert(out.end(), bytes.begin(), bytes.end());
        return true;
    }));
    return out;
}

// The streamed BMP is byte for byte the picture built whole; the PNG, decoded by libpng, has
// the same pixels and carries the gradation's length, direction and CMY flag.
TEST(GradationPicture, StreamedBmpAndPngAreThePictureBuiltWhole) {
    for (int direction = 0; direction < 4; ++direction) {
        auto doc = test::randomDocument(direction == 3 ? 2 : 301, 40 + direction, direction == 2);
        doc->direction = direction;
        doc->cmy = direction == 1;
        const int width = direction == 0 ? 1 : 37;
        const Surface whole = renderGradationPicture(*doc, width);
        ASSERT_EQ(stream(*doc, width, PictureFormat::Bmp), encodeBitmap24(whole));

        const std::vector<std::uint8_t> png = stream(*doc, width, PictureFormat::Png);
        png_image image{};
        image.version = PNG_IMAGE_VERSION;
        ASSERT_NE(png_image_begin_read_from_memory(&image, png.data(), png.size()), 0);
        image.format = PNG_FORMAT_RGB;
        std::vector<std::uint8_t> pixels(PNG_IMAGE_SIZE(image));
        ASSERT_NE(png_image_finish_read(&image, nullptr, pixels.data(), 0, nullptr), 0);
        ASSERT_EQ(int(image.width), whole.width());
        ASSERT_EQ(int(image.height), whole.height());
        for (int y = 0; y < whole.height(); ++y) {
            for (int x = 0; x < whole.width(); ++x) {
                const std::uint8_t* p = &pixels[3 * (y * image.width + x)];
                ASSERT_EQ(rgb(p[0], p[1], p[2]), whole.pixel(x, y)) << x << "," << y;
            }
        }
        const std::string text(png.begin(), png.end());
        EXPECT_NE(text.find("tEXtSpectrane"), std::string::npos);
        EXPECT_NE(text.find(pictureDescription(*doc)), std::string::npos);
    }
    auto doc = test::randomDocument(9, 1, false);
    EXPECT_EQ(pictureDescription(*doc), "length=9 direction=1 cmy=0");
    EXPECT_EQ(pictureFormatFor("a/b.PNG"), PictureFormat::Png);
    EXPECT_EQ(pictureFormatFor("b.png.bmp"), PictureFormat::Bmp);
    EXPECT_FALSE(encodeGradationPicture(*doc, 5, PictureFormat::Png, [](auto) { return false; }));
}

} // namespace
} // namespace spectrane
