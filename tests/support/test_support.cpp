#include "support/test_support.h"

#include "model/curve_rebuild.h"
#include "model/random_curves.h"
#include "model/spline.h"

#include <atomic>
#include <bit>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <unistd.h>

namespace spectrane::test {

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    const char* base = std::getenv("SPECTRANE_TEST_TMP");
    std::filesystem::path root = base ? base : std::filesystem::temp_directory_path();
    path_ = root / ("spectrane-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

std::vector<unsigned char> readBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void writeBytes(const std::filesystem::path& file, const std::vector<unsigned char>& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
}

ByteBuilder& ByteBuilder::u8(unsigned v) {
    bytes.push_back(static_cast<unsigned char>(v));
    return *this;
}

ByteBuilder& ByteBuilder::i32(std::int32_t v) {
    const auto u = static_cast<std::uint32_t>(v);
    for (int i = 0; i < 4; ++i) {
        bytes.push_back(static_cast<unsigned char>(u >> (8 * i)));
    }
    return *this;
}

ByteBuilder& ByteBuilder::f64(double v) {
    const auto u = std::bit_cast<std::uint64_t>(v);
    for (int i = 0; i < 8; ++i) {
        bytes.push_back(static_cast<unsigned char>(u >> (8 * i)));
    }
    return *this;
}

std::unique_ptr<GradationDocument>
openDocumentFromAnchors(int length, std::initializer_list<CurvePoint> anchors) {
    auto doc = std::make_unique<GradationDocument>();
    doc->length = length;
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        ChannelCurve& curve = doc->channels[ch];
        curve.pointCount = static_cast<int>(anchors.size());
        int i = 0;
        for (const CurvePoint& p : anchors) {
            curve.anchorPoints[i++] = p;
        }
        fitControlPoints(curve);
        deriveAnchors(*doc, ch);
    }
    evaluateChannels(*doc);
    return doc;
}

std::unique_ptr<GradationDocument> flatLevels(int length, int level0, int level1, int level2) {
    auto doc = std::make_unique<GradationDocument>();
    doc->length = length;
    const int levels[3] = {level0, level1, level2};
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        for (int j = 0; j < kMaxDots; ++j) {
            doc->colorLine[ch][j] = {CanvasGeometry::dotX(j), CanvasGeometry::levelY(levels[ch])};
        }
    }
    return doc;
}

std::unique_ptr<GradationDocument> randomDocument(int length, std::uint32_t seed, bool loop) {
    auto doc = std::make_unique<GradationDocument>();
    doc->length = length;
    doc->loop = loop;
    RandomGenerator rng;
    rng.seed(seed);
    newGradationCurves(*doc, rng);
    rebuildAllCurves(*doc);
    return doc;
}

void FakeTextRenderer::drawText(Surface& surface, int x, int y, std::string_view text,
                                const TextStyle& style) {
    calls.push_back({std::string(text), x, y, style});
    const TextExtent e = measureText(text, style);
    fillRect(surface, {x, y, x + e.width, y + e.height}, style.color);
}

TextExtent FakeTextRenderer::measureText(std::string_view text, const TextStyle& style) {
    int characters = 0;
    for (const char c : text) {
        // Count UTF-8 lead bytes only.
        if ((static_cast<unsigned char>(c) & 0xc0) != 0x80) {
            ++characters;
        }
    }
    return {6 * characters, style.pixelHeight};
}

} // namespace spectrane::test
