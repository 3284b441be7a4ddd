#include "files/bitmap_file.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace spectrane {
namespace {

using test::readBytes;
using test::TempDir;

// Every byte against the published 24-bit layout: the 'BM' header, the 40-byte info header,
// rows bottom-up in blue, green, red padded to 4 bytes, dot j where its direction puts it;
// CMY stores the complement. Dot j has levels (j % 256, 2, 3).
TEST(BitmapFile, EveryByteFollowsTheLayout) {
    const int rows[][7] = {
        // length, direction, width, CMY, picture width, height, file bytes
        {512, 0, 32, 0, 512, 32, 49206}, {512, 1, 30, 0, 30, 512, 47158},
        {512, 0, 1, 0, 512, 1, 1590},    {1600, 2, 1200, 0, 1600, 1200, 5760054},
        {2, 3, 1, 0, 1, 2, 62},          {4, 1, 2, 0, 2, 4, 86},
        {4, 2, 1, 1, 4, 1, 66},
    };
    TempDir dir;
    for (const auto& [length, direction, width, cmy, w, h, size] : rows) {
        auto doc = test::flatLevels(length, 0, 2, 3);
        for (int j = 0; j < length; ++j) {
            doc->colorLine[0][j].y = CanvasGeometry::levelY(j % 256);
        }
        doc->direction = direction;
        doc->cmy = cmy;
        ASSERT_TRUE(writeGradationBitmap(dir / "g.bmp", *doc, width));
        const auto b = readBytes(dir / "g.bmp");
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

} // namespace
} // namespace spectrane
