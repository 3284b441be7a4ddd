#include "files/line_data_file.h"

#include "model/curve_rebuild.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <bit>
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

std::uint64_t bits(double v) {
    return std::bit_cast<std::uint64_t>(v);
}

// Everything the file and the rebuild determine, compared exactly.
void expectSameDocument(const GradationDocument& a, const GradationDocument& b) {
    EXPECT_EQ(a.length, b.length);
    EXPECT_EQ(a.direction, b.direction);
    EXPECT_EQ(a.thickness, b.thickness);
    EXPECT_EQ(a.loop, b.loop);
    EXPECT_EQ(a.cmy, b.cmy);
    EXPECT_EQ(a.synchro, b.synchro);
    EXPECT_EQ(a.synchroChannels, b.synchroChannels);
    EXPECT_EQ(a.currentChannel, b.currentChannel);
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        const ChannelCurve& ca = a.channels[ch];
        const ChannelCurve& cb = b.channels[ch];
        ASSERT_EQ(ca.pointCount, cb.pointCount);
        EXPECT_EQ(0, std::memcmp(ca.controlPoints.data(), cb.controlPoints.data(),
                                 sizeof(CurvePoint) * kMaxPoints));
        EXPECT_EQ(0, std::memcmp(ca.anchorPoints.data(), cb.anchorPoints.data(),
                                 sizeof(CurvePoint) * kMaxPoints));
        EXPECT_TRUE(a.colorLine[ch] == b.colorLine[ch]);
    }
}

std::unique_ptr<GradationDocument> sampleDocument() {
    auto doc = std::make_unique<GradationDocument>();
    doc->length = 700;
    doc->direction = 2;
    doc->loop = 1;
    doc->cmy = 1;
    doc->synchro = 1;
    doc->synchroChannels = {1, 0, 1};
    const int counts[3] = {1, 5, 256};
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        ChannelCurve& c = doc->channels[ch];
        c.pointCount = counts[ch];
        for (int i = 0; i < c.pointCount; ++i) {
            c.controlPoints[i] = {56.0 + i * 2.7 + 1.0 / 3.0, 320.0 - std::sqrt(i + 2.0) * 17.0};
        }
    }
    // Values a file must carry unrounded, far outside the canvas included.
    doc->channels[1].controlPoints[1] = {-1e300, 5e-324};
    doc->channels[1].controlPoints[2] = {0.1, -0.0};
    doc->channels[1].controlPoints[3] = {1e15 + 0.5, 123456.789};
    rebuildAllCurves(*doc);
    return doc;
}

TEST(LineDataFile, WritesVersion3LayoutAndReadsItBackBitForBit) {
    TempDir dir;
    auto doc = sampleDocument();
    const auto file = dir / "doc.spd";
    ASSERT_TRUE(writeLineDataFile(file, *doc));
    const auto b = readBytes(file);
    ASSERT_EQ(b.size(), 52u + 16u * (1 + 5 + 256));

    ByteBuilder header;
    header.i32(0).i32(0).i32(700).i32(2).i32(1).i32(1).i32(1).i32(1).i32(0).i32(1);
    header.i32(1).i32(5).i32(256);
    EXPECT_EQ(std::vector<unsigned char>(b.begin(), b.begin() + 52), header.bytes);
    ByteBuilder firstRecords;
    firstRecords.point(doc->channels[0].controlPoints[0].x, doc->channels[0].controlPoints[0].y);
    firstRecords.point(doc->channels[1].controlPoints[0].x, doc->channels[1].controlPoints[0].y);
    firstRecords.point(-1e300, 5e-324);
    EXPECT_EQ(std::vector<unsigned char>(b.begin() + 52, b.begin() + 100), firstRecords.bytes);

    const LineDataReadResult read = readLineDataFile(file);
    ASSERT_TRUE(read) << read.status.detail;
    EXPECT_EQ(read.version, 3);
    EXPECT_TRUE(read.warning.empty());
    const GradationDocument& r = *read.document;
    EXPECT_EQ(r.length, 700);
    EXPECT_EQ(r.direction, 2);
    EXPECT_EQ(r.loop, 1);
    EXPECT_EQ(r.cmy, 1);
    EXPECT_EQ(r.synchro, 1);
    EXPECT_EQ(r.synchroChannels, (std::array<bool, 3>{true, false, true}));
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        ASSERT_EQ(r.channels[ch].pointCount, doc->channels[ch].pointCount);
        for (int i = 0; i < r.channels[ch].pointCount; ++i) {
            EXPECT_EQ(bits(r.channels[ch].controlPoints[i].x),
                      bits(doc->channels[ch].controlPoints[i].x));
            EXPECT_EQ(bits(r.channels[ch].controlPoints[i].y),
                      bits(doc->channels[ch].controlPoints[i].y));
        }
    }

    // Committing the read gives the document that was saved, anchors and levels included.
    auto live = std::make_unique<GradationDocument>();
    live->currentChannel = 2;
    applyLineData(*live, r);
    doc->currentChannel = 0;
    expectSameDocument(*live, *doc);
    EXPECT_EQ(encodeLineData(*live), b);
}

TEST(LineDataFile, SmallestFileIs148Bytes) {
    auto doc = test::openDocumentFromAnchors(2, {{56, 320}, {57, 65}});
    EXPECT_EQ(encodeLineData(*doc).size(), 148u);
}

TEST(LineDataFile, ReadsVersion2WithLoopKeptAndCmySynchroOff) {
    ByteBuilder f;
    f.i32(0).i32(300).i32(3).u8(1).i32(1).i32(2).i32(3);
    f.point(100.25, 200.5);
    f.point(60, 70).point(-5000, 1e6);
    f.point(56, 320).point(200, 65).point(355, 192);
    const LineDataReadResult r = parseLineData(f.bytes);
    ASSERT_TRUE(r) << r.status.detail;
    EXPECT_EQ(r.version, 2);
    EXPECT_EQ(r.warning, kVersion2Warning);
    const GradationDocument& d = *r.document;
    EXPECT_EQ(d.length, 300);
    EXPECT_EQ(d.direction, 3);
    EXPECT_EQ(d.loop, 1);
    EXPECT_EQ(d.cmy, 0);
    EXPECT_EQ(d.synchro, 0);
    EXPECT_EQ(d.synchroChannels, (std::array<bool, 3>{}));
    EXPECT_EQ(d.channels[0].pointCount, 1);
    EXPECT_EQ(d.channels[1].pointCount, 2);
    EXPECT_EQ(d.channels[2].pointCount, 3);
    EXPECT_EQ(d.channels[0].controlPoints[0], (CurvePoint{100.25, 200.5}));
    EXPECT_EQ(d.channels[1].controlPoints[1], (CurvePoint{-5000, 1e6}));
    EXPECT_EQ(d.channels[2].controlPoints[2], (CurvePoint{355, 192}));

    // An open version 2 file.
    ByteBuilder g;
    g.i32(0).i32(2).i32(0).u8(0).i32(2).i32(2).i32(2);
    for (int i = 0; i < 3; ++i) {
        g.point(56, 300).point(57, 100);
    }
    const LineDataReadResult open = parseLineData(g.bytes);
    ASSERT_TRUE(open) << open.status.detail;
    EXPECT_EQ(open.document->loop, 0);
    EXPECT_EQ(open.document->length, 2);
}

TEST(LineDataFile, ReadsVersion1AnchorsAndFitsControlPoints) {
    ByteBuilder f;
    f.i32(512).i32(0).i32(3).i32(2).i32(4);
    f.point(56, 320).point(311, 65).point(567, 320);
    f.point(56, 100).point(567, 300);
    f.point(56, 192).point(200, 192).point(400, 192).point(567, 192);
    const LineDataReadResult r = parseLineData(f.bytes);
    ASSERT_TRUE(r) << r.status.detail;
    EXPECT_EQ(r.version, 1);
    EXPECT_EQ(r.warning, kVersion1Warning);
    const GradationDocument& d = *r.document;
    EXPECT_EQ(d.length, 512);
    EXPECT_EQ(d.direction, 0);
    EXPECT_EQ(d.loop, 0);
    EXPECT_EQ(d.cmy, 0);
    EXPECT_EQ(d.synchro, 0);
    EXPECT_EQ(d.channels[0].pointCount, 3);
    EXPECT_EQ(d.channels[0].controlPoints[0], (CurvePoint{56, 320}));
    EXPECT_EQ(d.channels[0].controlPoints[1], (CurvePoint{310.5, -190}));
    EXPECT_EQ(d.channels[0].controlPoints[2], (CurvePoint{567, 320}));
    EXPECT_EQ(d.channels[1].controlPoints[1], (CurvePoint{567, 300}));
    for (int i = 0; i < 4; ++i) {
        EXPECT_DOUBLE_EQ(d.channels[2].controlPoints[i].y, 192.0);
    }

    auto live = std::make_unique<GradationDocument>();
    applyLineData(*live, d);
    // The worked example: levels 0, 2, 60 at dots 0, 1, 32 and 255 at dot 255.
    EXPECT_EQ(live->colorLine.level(0, 0), 0);
    EXPECT_EQ(live->colorLine.level(0, 1), 2);
    EXPECT_EQ(live->colorLine.level(0, 32), 60);
    EXPECT_EQ(live->colorLine.level(0, 255), 255);
    EXPECT_EQ(live->colorLine.level(2, 300), 128);
}

// A valid version 3 file, open curves of two points each, to spoil one field at a time.
ByteBuilder validVersion3(int length = 512) {
    ByteBuilder f;
    f.i32(0).i32(0).i32(length).i32(1).i32(0).i32(0).i32(0).i32(0).i32(0).i32(0);
    f.i32(2).i32(2).i32(2);
    for (int ch = 0; ch < 3; ++ch) {
        f.point(56, 320 - 40 * ch).point(55 + length, 100);
    }
    return f;
}

void putInt(std::vector<unsigned char>& b, std::size_t at, std::int32_t v) {
    for (int i = 0; i < 4; ++i) {
        b.at(at + i) = static_cast<unsigned char>(static_cast<std::uint32_t>(v) >> (8 * i));
    }
}

void putDoubleAt(std::vector<unsigned char>& b, std::size_t at, double v) {
    const auto u = std::bit_cast<std::uint64_t>(v);
    for (int i = 0; i < 8; ++i) {
        b.at(at + i) = static_cast<unsigned char>(u >> (8 * i));
    }
}

TEST(LineDataFile, RefusesWhatTheModelCannotHoldAndLeavesTheDocumentAlone) {
    TempDir dir;
    auto live = test::openDocumentFromAnchors(300, {{56, 300}, {150, 80}, {355, 200}});
    live->thickness = 77;
    live->currentChannel = 1;
    live->cmy = 1;
    auto before = std::make_unique<GradationDocument>(*live);

    const std::vector<unsigned char> good = validVersion3().bytes;
    ASSERT_TRUE(parseLineData(good));
    struct Case {
        const char* what;
        std::vector<unsigned char> bytes;
    };
    std::vector<Case> cases;
    auto spoiled = [&](const char* what, auto change) {
        std::vector<unsigned char> b = good;
        change(b);
        cases.push_back({what, b});
    };
    cases.push_back({"empty", {}});
    cases.push_back({"seven bytes", {0, 0, 0, 0, 0, 0, 0}});
    cases.push_back({"header cut", std::vector<unsigned char>(good.begin(), good.begin() + 51)});
    cases.push_back({"records cut", std::vector<unsigned char>(good.begin(), good.end() - 1)});
    spoiled("one byte more", [](auto& b) { b.push_back(0); });
    spoiled("one record more", [](auto& b) { b.insert(b.end(), 16, 0); });
    spoiled("length 1", [](auto& b) { putInt(b, 8, 1); });
    spoiled("length 1601", [](auto& b) { putInt(b, 8, 1601); });
    spoiled("length negative", [](auto& b) { putInt(b, 8, -512); });
    spoiled("direction 4", [](auto& b) { putInt(b, 12, 4); });
    spoiled("direction -1", [](auto& b) { putInt(b, 12, -1); });
    spoiled("loop 2", [](auto& b) { putInt(b, 16, 2); });
    spoiled("cmy -1", [](auto& b) { putInt(b, 20, -1); });
    spoiled("synchro 2", [](auto& b) { putInt(b, 24, 2); });
    spoiled("synchro channel 2", [](auto& b) { putInt(b, 36, 256); });
    for (const int count : {1, 257}) {
        // Open curves of `count` points in channel 1, records included.
        ByteBuilder f;
        f.i32(0).i32(0).i32(512).i32(1).i32(0).i32(0).i32(0).i32(0).i32(0).i32(0);
        f.i32(2).i32(count).i32(2);
        for (int i = 0; i < count + 4; ++i) {
            f.point(56 + i, 100);
        }
        cases.push_back({count == 1 ? "open count 1" : "count 257", f.bytes});
    }
    spoiled("count huge", [](auto& b) { putInt(b, 40, 0x7fffffff); });
    spoiled("count negative", [](auto& b) { putInt(b, 40, -2147483647 - 1); });
    spoiled("NaN", [](auto& b) { putDoubleAt(b, 52 + 8, std::nan("")); });
    spoiled("infinity",
            [](auto& b) { putDoubleAt(b, 52 + 16 * 5, -std::numeric_limits<double>::infinity()); });
    {
        ByteBuilder f; // loop curves may have one point, but not none
        f.i32(0).i32(0).i32(512).i32(1).i32(1).i32(0).i32(0).i32(0).i32(0).i32(0);
        f.i32(1).i32(0).i32(1).point(100, 100).point(100, 100);
        cases.push_back({"loop count 0", f.bytes});
    }
    {
        ByteBuilder f;
        f.i32(0).i32(512).i32(1).u8(2).i32(1).i32(1).i32(1);
        f.point(1, 1).point(1, 1).point(1, 1);
        cases.push_back({"version 2 loop byte 2", f.bytes});
    }
    {
        ByteBuilder f;
        f.i32(0).i32(-3).i32(1).u8(1).i32(1).i32(1).i32(1);
        f.point(1, 1).point(1, 1).point(1, 1);
        cases.push_back({"version 2 length -3", f.bytes});
    }
    {
        ByteBuilder f;
        f.i32(1).i32(1).i32(2).i32(2).i32(2);
        for (int i = 0; i < 6; ++i) {
            f.point(56, 100);
        }
        cases.push_back({"version 1 length 1", f.bytes});
    }
    {
        ByteBuilder f;
        f.i32(512).i32(1).i32(2).i32(1).i32(2).point(56, 1).point(567, 1);
        f.point(56, 1).point(56, 1).point(567, 1);
        cases.push_back({"version 1 count 1", f.bytes});
    }
    {
        // Finite anchors whose fitted control points overflow.
        ByteBuilder f;
        f.i32(512).i32(1).i32(6).i32(2).i32(2);
        for (int i = 0; i < 6; ++i) {
            f.point(i % 2 ? 1.7e308 : -1.7e308, 100);
        }
        f.point(56, 1).point(567, 1).point(56, 1).point(567, 1);
        cases.push_back({"version 1 overflowing fit", f.bytes});
    }

    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto file = dir / "bad.spd";
        writeBytes(file, c.bytes);
        const LineDataReadResult r = readLineDataFile(file);
        EXPECT_FALSE(r);
        EXPECT_EQ(r.status.message, kFileOpenFailedMessage);
        EXPECT_FALSE(r.status.detail.empty());
        EXPECT_EQ(r.document, nullptr);
        EXPECT_TRUE(r.warning.empty());
        if (r) {
            applyLineData(*live, *r.document);
        }
        expectSameDocument(*live, *before);
    }

    for (const auto& path : {dir / "missing.spd", dir.path()}) {
        const LineDataReadResult r = readLineDataFile(path);
        EXPECT_FALSE(r);
        EXPECT_EQ(r.status.message, kFileOpenFailedMessage);
    }
}

TEST(LineDataFile, AcceptsCoordinatesFarOutsideTheCanvas) {
    std::vector<unsigned char> b = validVersion3(1600).bytes;
    putDoubleAt(b, 52 + 16 + 8, -1e300); // channel 0 end point y
    putDoubleAt(b, 52 + 32, 1e300);      // channel 1 start x
    putDoubleAt(b, 52 + 80 + 8, -4e9);   // channel 2 end y
    const LineDataReadResult r = parseLineData(b);
    ASSERT_TRUE(r) << r.status.detail;
    auto live = std::make_unique<GradationDocument>();
    applyLineData(*live, *r.document);
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        for (int dot = 0; dot < live->length; ++dot) {
            const int level = live->colorLine.level(ch, dot);
            EXPECT_TRUE(level >= 0 && level <= 255);
        }
    }
    EXPECT_EQ(encodeLineData(*live), b);
}

} // namespace
} // namespace spectrane
