#include "files/bitmap_file.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace spectrane {
namespace {

using test::readBytes;
using test::TempDir;

std::uint32_t u32(const std::vector<unsigned char>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) |
           (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint32_t u16(const std::vector<unsigned char>& b, std::size_t at) {
    return b[at] | (b[at + 1] << 8);
}

struct Expected {
    int length;
    int direction;
    int width;
    std::uint32_t w, h, stride, image, file;
};

TEST(BitmapFile, HeadersAndSizes) {
    const Expected cases[] = {
        {512, 0, 32, 512, 32, 1536, 49152, 49206},
        {512, 1, 30, 30, 512, 92, 47104, 47158},
        {512, 0, 1, 512, 1, 1536, 1536, 1590},
        {1600, 2, 1200, 1600, 1200, 4800, 5760000, 5760054},
        {2, 3, 1, 1, 2, 4, 8, 62},
    };
    TempDir dir;
    for (const Expected& e : cases) {
        auto doc = test::flatLevels(e.length, 1, 2, 3);
        doc->direction = e.direction;
        const auto file = dir / "g.bmp";
        ASSERT_TRUE(writeGradationBitmap(file, *doc, e.width));
        const auto b = readBytes(file);
        ASSERT_EQ(b.size(), e.file);
        EXPECT_EQ(b[0], 'B');
        EXPECT_EQ(b[1], 'M');
        EXPECT_EQ(u32(b, 2), e.file);
        EXPECT_EQ(u32(b, 6), 0u);
        EXPECT_EQ(u32(b, 10), 54u);
        EXPECT_EQ(u32(b, 14), 40u);
        EXPECT_EQ(u32(b, 18), e.w);
        EXPECT_EQ(u32(b, 22), e.h);
        EXPECT_EQ(u16(b, 26), 1u);
        EXPECT_EQ(u16(b, 28), 24u);
        EXPECT_EQ(u32(b, 30), 0u);
        EXPECT_EQ(u32(b, 34), e.image);
        for (std::size_t at = 38; at < 54; at += 4) {
            EXPECT_EQ(u32(b, at), 0u);
        }
        // Every pixel blue, green, red = 3, 2, 1; padding bytes zero.
        for (std::uint32_t row = 0; row < e.h; ++row) {
            const std::size_t base = 54 + row * e.stride;
            for (std::uint32_t x = 0; x < e.w; ++x) {
                ASSERT_EQ(b[base + 3 * x], 3);
                ASSERT_EQ(b[base + 3 * x + 1], 2);
                ASSERT_EQ(b[base + 3 * x + 2], 1);
            }
            for (std::uint32_t pad = 3 * e.w; pad < e.stride; ++pad) {
                ASSERT_EQ(b[base + pad], 0);
            }
        }
    }
}

TEST(BitmapFile, RowsAreBottomUpAndDotZeroFollowsTheDirection) {
    const int l = 4;
    auto doc = test::flatLevels(l, 0, 0, 0);
    for (int j = 0; j < l; ++j) {
        doc->colorLine[0][j].y = CanvasGeometry::levelY(10 * (j + 1)); // red 10, 20, 30, 40
    }
    TempDir dir;
    // Direction 1: dot 0 in the top row, which is stored last.
    doc->direction = 1;
    ASSERT_TRUE(writeGradationBitmap(dir / "v.bmp", *doc, 2));
    auto b = readBytes(dir / "v.bmp");
    const int stride = 8;
    EXPECT_EQ(b[54 + 3 * stride + 2], 10); // last stored row = top = dot 0
    EXPECT_EQ(b[54 + 2], 40);              // first stored row = bottom = dot 3
    // Direction 3: dot 0 at the bottom, stored first.
    doc->direction = 3;
    ASSERT_TRUE(writeGradationBitmap(dir / "v.bmp", *doc, 2));
    b = readBytes(dir / "v.bmp");
    EXPECT_EQ(b[54 + 2], 10);
    // Direction 2: dot 0 in the rightmost column; CMY mode stores the complement.
    doc->direction = 2;
    doc->cmy = 1;
    ASSERT_TRUE(writeGradationBitmap(dir / "h.bmp", *doc, 1));
    b = readBytes(dir / "h.bmp");
    EXPECT_EQ(b[54 + 3 * 3 + 2], 255 - 10);
    EXPECT_EQ(b[54 + 3 * 3 + 1], 255);
    EXPECT_EQ(b[54 + 2], 255 - 40);
}

} // namespace
} // namespace spectrane
