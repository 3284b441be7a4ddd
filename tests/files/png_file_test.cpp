#include "files/png_file.h"

#include "support/test_support.h"

#include <gtest/gtest.h>
#include <png.h>

namespace spectrane {
namespace {

// Decodes with libpng's simplified reader, independently of the encoder's row path.
std::vector<std::uint8_t> decodeRgb(const std::vector<std::uint8_t>& file, int& w, int& h) {
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_memory(&image, file.data(), file.size()) == 0) {
        return {};
    }
    image.format = PNG_FORMAT_RGB;
    std::vector<std::uint8_t> rgb(PNG_IMAGE_SIZE(image));
    png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr);
    w = static_cast<int>(image.width);
    h = static_cast<int>(image.height);
    return rgb;
}

TEST(PngFile, DecodesToTheSurfacePixelsAndCarriesItsText) {
    Surface picture(7, 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 7; ++x) {
            picture.setPixel(x, y, rgb(30 * x, 80 * y, 255 - x - y));
        }
    }
    const PngText text[] = {{"Spectrane", "length=7"}};
    test::TempDir dir;
    ASSERT_TRUE(writePngFile(dir / "p.png", picture, text));
    const std::vector<std::uint8_t> bytes = test::readBytes(dir / "p.png");
    EXPECT_EQ(bytes, encodePng(picture, text));
    int w = 0;
    int h = 0;
    const std::vector<std::uint8_t> rgbBytes = decodeRgb(bytes, w, h);
    ASSERT_EQ(w, 7);
    ASSERT_EQ(h, 3);
    for (int y = 0; y < 3; ++y) {
        for (int x = 0; x < 7; ++x) {
            const std::uint8_t* p = &rgbBytes[3 * (y * 7 + x)];
            EXPECT_EQ(rgb(p[0], p[1], p[2]), picture.pixel(x, y)) << x << "," << y;
        }
    }
    const std::string asText(bytes.begin(), bytes.end());
    EXPECT_NE(asText.find("tEXtSpectrane"), std::string::npos);
    EXPECT_NE(asText.find("length=7"), std::string::npos);
    // A folder that does not exist: refused, nothing written.
    EXPECT_FALSE(writePngFile(dir / "none" / "p.png", picture));
}

} // namespace
} // namespace spectrane
