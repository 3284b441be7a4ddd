// Pictures read as gradients: a damaged PNG is refused with one line naming the file and the
// fault, whichever row is wanted, while the intact file reads to its pixels.
#include "exchange/gradient_import.h"
#include "files/png_file.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace spectrane {
namespace {

using Bytes = std::vector<std::uint8_t>;

// CRC-32 as the PNG format defines it (reflected polynomial 0xEDB88320), bit by bit.
std::uint32_t crc32Of(const std::uint8_t* p, std::size_t n) {
    std::uint32_t c = 0xffffffffu;
    for (std::size_t i = 0; i < n; ++i) {
        c ^= p[i];
        for (int k = 0; k < 8; ++k) {
            c = (c >> 1) ^ (0xedb88320u & (0u - (c & 1u)));
        }
    }
    return ~c;
}

std::uint32_t bigEndian(const Bytes& b, std::size_t at) {
    return std::uint32_t{b[at]} << 24 | std::uint32_t{b[at + 1]} << 16 |
           std::uint32_t{b[at + 2]} << 8 | b[at + 3];
}

struct Chunk {
    std::size_t at;     // its length field
    std::size_t length; // of its data
};

// By its type's name, which our small file holds nowhere else.
Chunk findChunk(const Bytes& b, const char* type) {
    const auto at =
        static_cast<std::size_t>(std::search(b.begin(), b.end(), type, type + 4) - b.begin());
    return {at - 4, bigEndian(b, at - 4)};
}

// Writes a correct checksum for the chunk after its data was changed on purpose.
void fixCrc(Bytes& b, Chunk c) {
    const std::uint32_t crc = crc32Of(&b[c.at + 4], c.length + 4);
    for (int k = 0; k < 4; ++k) {
        b[c.at + 8 + c.length + k] = static_cast<std::uint8_t>(crc >> (24 - 8 * k));
    }
}

TEST(PngReading, DamagedFilesAreRefusedWithTheirFault) {
    // 3 x 4 pixels, every row its own colour, different in each channel, with a text chunk.
    Bytes png;
    const PngText text[] = {{"Comment", "rows"}};
    ASSERT_TRUE(encodePngRows(
        3, 4,
        [](int y, std::span<std::uint8_t> rgb) {
            for (int i = 0; i < 9; ++i) {
                rgb[i] = static_cast<std::uint8_t>(10 * y + 60 * (i % 3) + i / 3);
            }
        },
        text,
        [&](std::span<const std::uint8_t> s) {
            png.insert(png.end(), s.begin(), s.end());
            return true;
        }));
    const Chunk idat = findChunk(png, "IDAT");
    const Chunk textChunk = findChunk(png, "tEXt");
    const auto import = [](const Bytes& bytes) {
        ImportOptions options;
        options.line = {false, 0}; // the first row: all that used to be read
        options.length = 3;
        options.tolerance = 0;
        return importGradient("p.png", bytes, options);
    };
    const ImportResult intact = import(png);
    ASSERT_TRUE(intact) << intact.error;
    EXPECT_EQ(documentColors(*intact.document),
              (std::vector<Rgb8>{{0, 60, 120}, {1, 61, 121}, {2, 62, 122}}));
    const std::size_t data = idat.at + 8; // the first byte of the pixel data
    struct Case {
        const char* what;
        std::size_t at;    // the byte changed, or where the file is cut when `flip` is 0
        std::uint8_t flip; // the bits changed
        bool fixCrc;       // the pixel data's checksum made right again
        const char* fault;
    };
    const Case cases[] = {
        {"pixel data checksum", data + idat.length, 1, false, "CRC error"},
        {"text checksum", textChunk.at + 11 + textChunk.length, 0x80, false, "CRC error"},
        {"zlib header", data, 0x0f, true, "header"},
        {"zlib checksum", data + idat.length - 1, 0x55, true, "check"},
        {"IEND missing", findChunk(png, "IEND").at, 0, false,
         "the file ends before its IEND chunk"},
        {"pixel data cut short", data + idat.length / 2, 0, false, "the file ends early"},
    };
    for (const Case& c : cases) {
        Bytes bytes = png;
        if (c.flip != 0) {
            bytes[c.at] ^= c.flip;
        } else {
            bytes.resize(c.at);
        }
        if (c.fixCrc) {
            fixCrc(bytes, idat);
        }
        const ImportResult r = import(bytes);
        EXPECT_FALSE(r) << c.what;
        EXPECT_TRUE(r.error.starts_with("p.png: byte ")) << c.what << ": " << r.error;
        EXPECT_NE(r.error.find(c.fault), std::string::npos) << c.what << ": " << r.error;
        EXPECT_EQ(r.error.find('\n'), std::string::npos) << c.what;
    }
}

} // namespace
} // namespace spectrane
