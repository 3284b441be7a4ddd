#include "files/line_data_file.h"

#include "model/curve_rebuild.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstring>
#include <limits>
#include <sys/stat.h>
#include <unistd.h>

namespace spectrane {
namespace {

using test::ByteBuilder;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

// Everything the file and the rebuild determine, control points and anchors bit for bit.
void expectSameDocument(const GradationDocument& a, const GradationDocument& b) {
    EXPECT_EQ(encodeLineData(a), encodeLineData(b));
    EXPECT_EQ((std::pair{a.thickness, a.currentChannel}),
              (std::pair{b.thickness, b.currentChannel}));
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        EXPECT_EQ(0, std::memcmp(&a.channels[ch].anchorPoints, &b.channels[ch].anchorPoints,
                                 sizeof a.channels[ch].anchorPoints));
        EXPECT_TRUE(a.colorLine[ch] == b.colorLine[ch]);
    }
}

// Every flag set, counts 1, 5 and 256, and values a file must carry unrounded, far outside the
// canvas included.
std::unique_ptr<GradationDocument> sampleDocument() {
    auto doc = std::make_unique<GradationDocument>();
    doc->length = 700;
    doc->direction = 2;
    doc->loop = doc->synchro = true;
    doc->mode = ColorMode::Cmy;
    doc->synchroChannels = {1, 0, 1};
    const int counts[3] = {1, 5, 256};
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        doc->channels[ch].pointCount = counts[ch];
        for (int i = 0; i < counts[ch]; ++i) {
            doc->channels[ch].controlPoints[i] = {56.0 + i * 2.7 + 1.0 / 3.0,
                                                  320.0 - std::sqrt(i + 2.0) * 17.0};
        }
    }
    doc->channels[1].controlPoints[1] = {-1e9, 5e-324}; // the bound itself, a denormal
    doc->channels[1].controlPoints[2] = {0.1, -0.0};
    doc->channels[1].controlPoints[3] = {1e8 + 0.5, 123456.789};
    rebuildAllCurves(*doc);
    return doc;
}

// Files of each version with the given header values and counts, points on the plot.
ByteBuilder version3(int length = 512, int loop = 0, std::array<int, 3> counts = {2, 2, 2}) {
    ByteBuilder f;
    f.i32(0).i32(0).i32(length).i32(1).i32(loop).i32(0).i32(0).i32(0).i32(0).i32(0);
    f.i32(counts[0]).i32(counts[1]).i32(counts[2]);
    for (int ch = 0; ch < 3; ++ch) {
        for (int i = 0; i < counts[ch]; ++i) {
            f.point(56 + i, 320 - 40 * ch - i);
        }
    }
    return f;
}
ByteBuilder version2(int length, unsigned loop, int count = 1) {
    ByteBuilder f;
    f.i32(0).i32(length).i32(1).u8(loop).i32(count).i32(count).i32(count);
    for (int i = 0; i < 3 * count; ++i) {
        f.point(1, 1);
    }
    return f;
}
ByteBuilder version1(int length, int count) {
    ByteBuilder f;
    f.i32(length).i32(1).i32(count).i32(2).i32(2);
    for (int i = 0; i < count + 4; ++i) {
        f.point(56 + i, 100);
    }
    return f;
}

// Version 3 is written field by field and read back exactly; committing the read gives the
// saved document. (Versions 1 and 2: golden files in the CLI tests.)
TEST(LineDataFile, WritesVersion3AndReadsItBackBitForBit) {
    TempDir dir;
    auto doc = sampleDocument();
    ASSERT_TRUE(writeLineDataFile(dir / "doc.spd", *doc));
    const auto b = readBytes(dir / "doc.spd");
    ASSERT_EQ(b.size(), 52u + 16u * (1 + 5 + 256));
    ByteBuilder start; // the header, the record of channel 0, the first two of channel 1
    start.i32(0).i32(0).i32(700).i32(2).i32(1).i32(1).i32(1).i32(1).i32(0).i32(1);
    start.i32(1).i32(5).i32(256);
    for (const CurvePoint p : {doc->channels[0].controlPoints[0], doc->channels[1].controlPoints[0],
                               doc->channels[1].controlPoints[1]}) {
        start.point(p.x, p.y);
    }
    EXPECT_EQ(std::vector<unsigned char>(b.begin(), b.begin() + 100), start.bytes);
    const LineDataReadResult read = readLineDataFile(dir / "doc.spd");
    ASSERT_TRUE(read) << read.status.detail;
    EXPECT_EQ(read.version, 3);
    EXPECT_TRUE(read.warning.empty());
    EXPECT_EQ(encodeLineData(*read.document), b);
    auto live = std::make_unique<GradationDocument>();
    live->currentChannel = 2;
    applyLineData(*live, *read.document);
    doc->currentChannel = 0;
    expectSameDocument(*live, *doc);
}

// An OKLCh document as version 4 bytes.
std::vector<unsigned char> version4() {
    auto doc = test::openDocumentFromAnchors(300, {{56, 300}, {150, 80}, {355, 200}});
    doc->mode = ColorMode::Oklch;
    doc->hueOrigin = 359.75;
    return encodeLineData(*doc);
}

// An OKLCh document is version 4, whose first word (-4) no reader of versions 1 to 3 takes
// for theirs, keeping mode and hue origin byte for byte; RGB and CMY documents stay version 3.
TEST(LineDataFile, OklchDocumentsAreVersion4WhichOlderReadersRefuse) {
    auto doc = sampleDocument();
    doc->mode = ColorMode::Oklch;
    doc->hueOrigin = 123.456789;
    const std::vector<unsigned char> bytes = encodeLineData(*doc);
    ASSERT_EQ(bytes.size(), 72u + 16u * (1 + 5 + 256));
    ByteBuilder header;
    header.i32(-4).i32(4).i32(0).i32(0).i32(0).i32(700).i32(2).i32(1).i32(2).i32(1);
    header.i32(1).i32(0).i32(1).i32(1).i32(5).i32(256).f64(123.456789);
    EXPECT_EQ(std::vector<unsigned char>(bytes.begin(), bytes.begin() + 72), header.bytes);
    const LineDataReadResult read = parseLineData(bytes);
    ASSERT_TRUE(read) << read.status.detail;
    EXPECT_EQ(read.version, 4);
    EXPECT_EQ(encodeLineData(*read.document), bytes); // mode and hue origin kept
    for (const ColorMode mode : {ColorMode::Rgb, ColorMode::Cmy}) {
        doc->mode = mode;
        const std::vector<unsigned char> v3 = encodeLineData(*doc);
        EXPECT_EQ((std::pair{v3.size(), parseLineData(v3).version}),
                  (std::pair{std::size_t{52 + 16 * (1 + 5 + 256)}, 3}));
    }
}

// What the model cannot hold is refused with the one message and a reason, the live document
// untouched; count refusals come in files of matching size, so that only the count refuses.
TEST(LineDataFile, RefusesWhatTheModelCannotHoldAndLeavesTheDocumentAlone) {
    TempDir dir;
    auto live = test::openDocumentFromAnchors(300, {{56, 300}, {150, 80}, {355, 200}});
    live->thickness = 77;
    live->currentChannel = 1;
    live->mode = ColorMode::Cmy;
    const GradationDocument before = *live;
    const std::vector<unsigned char> good = version3().bytes;
    ASSERT_TRUE(parseLineData(good) && parseLineData(version2(2, 0, 2).bytes) &&
                parseLineData(version1(512, 2).bytes)); // the shortest length reads
    const auto spoil = [&](std::vector<unsigned char> b, std::size_t at, auto v) {
        std::memcpy(&b.at(at), &v, sizeof v); // the host is little-endian, as the file
        return b;
    };
    ByteBuilder overflow; // version 1, finite anchors whose fitted control points overflow
    overflow.i32(512).i32(1).i32(6).i32(2).i32(2);
    for (int i = 0; i < 6; ++i) {
        overflow.point(i % 2 ? 1.7e308 : -1.7e308, 100);
    }
    overflow.point(56, 1).point(567, 1).point(56, 1).point(567, 1);
    ByteBuilder beyond; // version 1, anchors within the bound, a fitted point beyond it
    beyond.i32(512).i32(1).i32(3).i32(2).i32(2);
    beyond.point(56, 8e8).point(300, -8e8).point(567, 8e8);
    beyond.point(56, 1).point(567, 1).point(56, 1).point(567, 1);
    const std::vector<unsigned char> v4 = version4();
    std::vector<unsigned char> longer = good;
    longer.push_back(0);
    const std::pair<const char*, std::vector<unsigned char>> cases[] = {
        {"empty", {}},
        {"header cut", {good.begin(), good.begin() + 51}},
        {"records cut", {good.begin(), good.end() - 1}},
        {"one byte more", longer},
        {"one record more", version3(512, 0, {2, 2, 2}).point(0, 0).bytes},
        {"length 1", version3(1).bytes},
        {"length 1601", version3(1601).bytes},
        {"direction 4", spoil(good, 12, 4)},
        {"loop 2", version3(512, 2).bytes},
        {"cmy -1", spoil(good, 20, -1)},
        {"cmy 2 (OKLCh) in version 3", spoil(good, 20, 2)},
        {"version 4 mode 3", spoil(v4, 32, 3)},
        {"version 4 hue origin 360", spoil(v4, 64, 360.0)},
        {"version 4 hue origin NaN", spoil(v4, 64, std::nan(""))},
        {"version 4 header cut", {v4.begin(), v4.begin() + 71}},
        {"marker with version 5", spoil(v4, 4, 5)},
        {"synchro 2", spoil(good, 24, 2)},
        {"synchro channel 256", spoil(good, 36, 256)},
        {"open count 1", version3(512, 0, {2, 1, 2}).bytes},
        {"count 257", version3(512, 0, {2, 257, 2}).bytes},
        {"loop count 0", version3(512, 1, {1, 0, 1}).bytes},
        {"count huge", spoil(good, 40, INT_MAX)},
        {"NaN", spoil(good, 52 + 8, std::nan(""))},
        {"infinity", spoil(good, 52 + 16 * 5, -std::numeric_limits<double>::infinity())},
        {"x 1e308", spoil(good, 52 + 16, 1e308)},
        {"y beyond the bound", spoil(good, 52 + 8, -1e9 - 1)},
        {"version 2 loop byte 2", version2(512, 2, 2).bytes}, // open counts: only the flag refuses
        {"version 2 length -3", version2(-3, 1).bytes},
        {"version 1 length 1", version1(1, 2).bytes},
        {"version 1 count 1", version1(512, 1).bytes},
        {"version 1 overflowing fit", overflow.bytes},
        {"version 1 fit beyond the bound", beyond.bytes},
    };
    for (const auto& [what, bytes] : cases) {
        writeBytes(dir / "bad.spd", bytes);
        const LineDataReadResult r = readLineDataFile(dir / "bad.spd");
        EXPECT_FALSE(r) << what;
        EXPECT_EQ(r.status.message, kFileOpenFailedMessage) << what;
        EXPECT_FALSE(r.status.detail.empty() || r.document || !r.warning.empty()) << what;
        if (r) {
            applyLineData(*live, *r.document);
        }
        expectSameDocument(*live, before);
    }
    EXPECT_EQ(readLineDataFile(dir / "missing.spd").status.message, kFileOpenFailedMessage);
    EXPECT_EQ(readLineDataFile(dir.path()).status.message, kFileOpenFailedMessage);
}

} // namespace
} // namespace spectrane
