#include "files/line_data_file.h"

#include "model/curve_rebuild.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <bit>
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
    EXPECT_TRUE(a.settings() == b.settings());
    EXPECT_EQ(a.thickness, b.thickness);
    EXPECT_EQ(a.currentChannel, b.currentChannel);
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        const ChannelCurve& ca = a.channels[ch];
        const ChannelCurve& cb = b.channels[ch];
        EXPECT_EQ(ca.pointCount, cb.pointCount);
        EXPECT_EQ(0, std::memcmp(&ca.controlPoints, &cb.controlPoints, sizeof ca.controlPoints));
        EXPECT_EQ(0, std::memcmp(&ca.anchorPoints, &cb.anchorPoints, sizeof ca.anchorPoints));
        EXPECT_TRUE(a.colorLine[ch] == b.colorLine[ch]);
    }
}

// Every flag set, counts 1, 5 and 256, and values a file must carry unrounded, far outside the
// canvas included.
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
    doc->channels[1].controlPoints[1] = {-1e300, 5e-324};
    doc->channels[1].controlPoints[2] = {0.1, -0.0};
    doc->channels[1].controlPoints[3] = {1e15 + 0.5, 123456.789};
    rebuildAllCurves(*doc);
    return doc;
}

TEST(LineDataFile, WritesVersion3AndReadsItBackBitForBit) {
    TempDir dir;
    auto doc = sampleDocument();
    ASSERT_TRUE(writeLineDataFile(dir / "doc.spd", *doc));
    const auto b = readBytes(dir / "doc.spd");
    ASSERT_EQ(b.size(), 52u + 16u * (1 + 5 + 256));
    ByteBuilder start; // the header, then the records of channel 0 and the first two of channel 1
    start.i32(0).i32(0).i32(700).i32(2).i32(1).i32(1).i32(1).i32(1).i32(0).i32(1);
    start.i32(1).i32(5).i32(256);
    for (const CurvePoint& p : {doc->channels[0].controlPoints[0],
                                doc->channels[1].controlPoints[0], CurvePoint{-1e300, 5e-324}}) {
        start.point(p.x, p.y);
    }
    EXPECT_EQ(std::vector<unsigned char>(b.begin(), b.begin() + 100), start.bytes);

    const LineDataReadResult read = readLineDataFile(dir / "doc.spd");
    ASSERT_TRUE(read) << read.status.detail;
    EXPECT_EQ(read.version, 3);
    EXPECT_TRUE(read.warning.empty());
    EXPECT_EQ(encodeLineData(*read.document), b); // every field and point read back exactly
    // Committing the read gives the saved document, anchors and levels (all in 0..255) too.
    auto live = std::make_unique<GradationDocument>();
    live->currentChannel = 2;
    applyLineData(*live, *read.document);
    doc->currentChannel = 0;
    expectSameDocument(*live, *doc);
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        for (int dot = 0; dot < 700; ++dot) {
            ASSERT_TRUE(live->colorLine.level(ch, dot) >= 0 &&
                        live->colorLine.level(ch, dot) <= 255);
        }
    }
}

// Versions 2 (loop byte, no CMY or synchro) and 1 (anchors, open) read as the version 3 file
// that saving them writes: the same points, control points fitted to version 1 anchors.
TEST(LineDataFile, ReadsOldVersionsAsTheirVersion3Equivalents) {
    ByteBuilder points; // three channels of 1, 2 and 3 points
    points.point(100.25, 200.5).point(60, 70).point(-5000, 1e6).point(56, 320).point(200, 65);
    points.point(355, 192);
    ByteBuilder v2;
    v2.i32(0).i32(300).i32(3).u8(1).i32(1).i32(2).i32(3);
    ByteBuilder v2as3;
    v2as3.i32(0).i32(0).i32(300).i32(3).i32(1).i32(0).i32(0).i32(0).i32(0).i32(0);
    v2as3.i32(1).i32(2).i32(3);
    ByteBuilder open2; // an open version 2 file of the shortest length
    open2.i32(0).i32(2).i32(0).u8(0).i32(2).i32(2).i32(2);
    ByteBuilder open2as3;
    open2as3.i32(0).i32(0).i32(2).i32(0).i32(0).i32(0).i32(0).i32(0).i32(0).i32(0);
    open2as3.i32(2).i32(2).i32(2);
    for (int i = 0; i < 3; ++i) {
        open2.point(56, 300).point(57, 100);
        open2as3.point(56, 300).point(57, 100);
    }
    ByteBuilder v1;
    v1.i32(512).i32(0).i32(3).i32(2).i32(2);
    v1.point(56, 320).point(311, 65).point(567, 320).point(56, 100).point(567, 300);
    v1.point(56, 192).point(567, 192);
    ByteBuilder v1as3;
    v1as3.i32(0).i32(0).i32(512).i32(0).i32(0).i32(0).i32(0).i32(0).i32(0).i32(0);
    v1as3.i32(3).i32(2).i32(2).point(56, 320).point(310.5, -190).point(567, 320);
    v1as3.point(56, 100).point(567, 300).point(56, 192).point(567, 192);
    v2.bytes.insert(v2.bytes.end(), points.bytes.begin(), points.bytes.end());
    v2as3.bytes.insert(v2as3.bytes.end(), points.bytes.begin(), points.bytes.end());

    struct Row {
        const ByteBuilder& file;
        int version;
        const char* warning;
        const ByteBuilder& asVersion3;
    };
    for (const Row& r :
         {Row{v2, 2, kVersion2Warning, v2as3}, Row{open2, 2, kVersion2Warning, open2as3},
          Row{v1, 1, kVersion1Warning, v1as3}}) {
        const LineDataReadResult read = parseLineData(r.file.bytes);
        ASSERT_TRUE(read) << read.status.detail;
        EXPECT_EQ(read.version, r.version);
        EXPECT_EQ(read.warning, r.warning);
        EXPECT_EQ(encodeLineData(*read.document), r.asVersion3.bytes) << "version " << r.version;
    }
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

// Every way a file can fail to fit the document model is refused with the one message and a
// reason, and the live document stays exactly as it was.
TEST(LineDataFile, RefusesWhatTheModelCannotHoldAndLeavesTheDocumentAlone) {
    TempDir dir;
    auto live = test::openDocumentFromAnchors(300, {{56, 300}, {150, 80}, {355, 200}});
    live->thickness = 77;
    live->currentChannel = 1;
    live->cmy = 1;
    const GradationDocument before = *live;

    const std::vector<unsigned char> good = validVersion3().bytes;
    ASSERT_TRUE(parseLineData(good));
    std::vector<std::pair<std::string, std::vector<unsigned char>>> cases = {
        {"empty", {}},
        {"seven bytes", {0, 0, 0, 0, 0, 0, 0}},
        {"header cut", {good.begin(), good.begin() + 51}},
        {"records cut", {good.begin(), good.end() - 1}},
    };
    const auto spoil = [&](const std::string& what, std::size_t at, std::int32_t v) {
        std::vector<unsigned char> b = good;
        std::memcpy(&b.at(at), &v, 4); // little-endian host, as the file
        cases.push_back({what, b});
    };
    spoil("length 1", 8, 1);
    spoil("length 1601", 8, 1601);
    spoil("length negative", 8, -512);
    spoil("direction 4", 12, 4);
    spoil("direction -1", 12, -1);
    spoil("loop 2", 16, 2);
    spoil("cmy -1", 20, -1);
    spoil("synchro 2", 24, 2);
    spoil("synchro channel 256", 36, 256);
    spoil("count huge", 40, INT_MAX);
    spoil("count negative", 40, INT_MIN);
    const auto spoilPoint = [&](const std::string& what, std::size_t at, double v) {
        std::vector<unsigned char> b = good;
        std::memcpy(&b.at(at), &v, 8);
        cases.push_back({what, b});
    };
    spoilPoint("NaN", 52 + 8, std::nan(""));
    spoilPoint("infinity", 52 + 16 * 5, -std::numeric_limits<double>::infinity());
    cases.push_back({"one byte more", good});
    cases.back().second.push_back(0);
    cases.push_back({"one record more", good});
    cases.back().second.insert(cases.back().second.end(), 16, 0);
    for (const int count : {1, 257}) { // open curves of `count` points in channel 1
        ByteBuilder f;
        f.i32(0).i32(0).i32(512).i32(1).i32(0).i32(0).i32(0).i32(0).i32(0).i32(0);
        f.i32(2).i32(count).i32(2);
        for (int i = 0; i < count + 4; ++i) {
            f.point(56 + i, 100);
        }
        cases.push_back({"open count " + std::to_string(count), f.bytes});
    }
    ByteBuilder loop0; // loop curves may have one point, but not none
    loop0.i32(0).i32(0).i32(512).i32(1).i32(1).i32(0).i32(0).i32(0).i32(0).i32(0);
    loop0.i32(1).i32(0).i32(1).point(100, 100).point(100, 100);
    cases.push_back({"loop count 0", loop0.bytes});
    ByteBuilder v2loop, v2length, v1length, v1count, v1overflow;
    v2loop.i32(0).i32(512).i32(1).u8(2).i32(1).i32(1).i32(1);
    v2length.i32(0).i32(-3).i32(1).u8(1).i32(1).i32(1).i32(1);
    for (ByteBuilder* f : {&v2loop, &v2length}) {
        f->point(1, 1).point(1, 1).point(1, 1);
    }
    v1length.i32(1).i32(1).i32(2).i32(2).i32(2);
    for (int i = 0; i < 6; ++i) {
        v1length.point(56, 100);
    }
    v1count.i32(512).i32(1).i32(2).i32(1).i32(2).point(56, 1).point(567, 1);
    v1count.point(56, 1).point(56, 1).point(567, 1);
    v1overflow.i32(512).i32(1).i32(6).i32(2).i32(2); // finite anchors, overflowing fit
    for (int i = 0; i < 6; ++i) {
        v1overflow.point(i % 2 ? 1.7e308 : -1.7e308, 100);
    }
    v1overflow.point(56, 1).point(567, 1).point(56, 1).point(567, 1);
    cases.push_back({"version 2 loop byte 2", v2loop.bytes});
    cases.push_back({"version 2 length -3", v2length.bytes});
    cases.push_back({"version 1 length 1", v1length.bytes});
    cases.push_back({"version 1 count 1", v1count.bytes});
    cases.push_back({"version 1 overflowing fit", v1overflow.bytes});

    for (const auto& [what, bytes] : cases) {
        SCOPED_TRACE(what);
        writeBytes(dir / "bad.spd", bytes);
        const LineDataReadResult r = readLineDataFile(dir / "bad.spd");
        EXPECT_FALSE(r);
        EXPECT_EQ(r.status.message, kFileOpenFailedMessage);
        EXPECT_FALSE(r.status.detail.empty());
        EXPECT_EQ(r.document, nullptr);
        EXPECT_TRUE(r.warning.empty());
        if (r) {
            applyLineData(*live, *r.document);
        }
        expectSameDocument(*live, before);
    }
    for (const auto& path : {dir / "missing.spd", dir.path()}) {
        EXPECT_EQ(readLineDataFile(path).status.message, kFileOpenFailedMessage);
    }
}

TEST(LineDataFile, FailedWriteIsReportedAndKeepsTheOldFile) {
    TempDir dir;
    auto doc = sampleDocument();

    const FileResult noFolder = writeLineDataFile(dir / "missing" / "a.spd", *doc);
    EXPECT_FALSE(noFolder);
    EXPECT_EQ(noFolder.message, kFileOpenFailedMessage);

    // A folder in the way of the rename: reported, and the folder stays.
    std::filesystem::create_directory(dir / "taken.spd");
    const FileResult taken = writeLineDataFile(dir / "taken.spd", *doc);
    EXPECT_FALSE(taken);
    EXPECT_EQ(taken.message, kFileOpenFailedMessage);
    EXPECT_TRUE(std::filesystem::is_directory(dir / "taken.spd"));

    const auto file = dir / "kept.spd";
    const std::vector<unsigned char> old = validVersion3().bytes;
    writeBytes(file, old);
    if (::geteuid() != 0) {
        ::chmod(dir.path().c_str(), 0555);
        const FileResult locked = writeLineDataFile(file, *doc);
        ::chmod(dir.path().c_str(), 0755);
        EXPECT_FALSE(locked);
        EXPECT_EQ(readBytes(file), old);
    }
    ASSERT_TRUE(writeLineDataFile(file, *doc));
    EXPECT_EQ(readBytes(file), encodeLineData(*doc));
    for (const auto& entry : std::filesystem::directory_iterator(dir.path())) {
        EXPECT_NE(entry.path().filename().string().front(), '.') << "temporary file left";
    }
}

} // namespace
} // namespace spectrane
