#include "support/test_support.h"

#include "model/curve_rebuild.h"
#include "model/random_curves.h"
#include "model/spline.h"

#include <atomic>
#include <bit>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <sys/wait.h>
#include <unistd.h>

namespace spectrane::test {

TempDir::TempDir() {
    static std::atomic<int> counter{0};
    const char* base = std::getenv("SPECTRANE_TEST_TMP");
    const std::filesystem::path root = base ? base : std::filesystem::temp_directory_path();
    path_ = root / ("spectrane-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(path_);
    std::filesystem::create_directories(path_);
}

TempDir::~TempDir() {
    std::error_code ec; // a test may have taken the folder's permissions away
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
}

std::string readText(const std::filesystem::path& file) {
    const auto bytes = readBytes(file);
    return {bytes.begin(), bytes.end()};
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

ByteBuilder& ByteBuilder::f64(double v) {
    return put(std::bit_cast<std::uint64_t>(v), 8);
}

ByteBuilder& ByteBuilder::put(std::uint64_t v, int count) {
    for (int i = 0; i < count; ++i) {
        bytes.push_back(static_cast<unsigned char>(v >> (8 * i)));
    }
    return *this;
}

std::unique_ptr<GradationDocument>
makeDocument(int length, Points form, const std::vector<CurvePoint>& points, double channelStep) {
    auto doc = std::make_unique<GradationDocument>();
    doc->length = length;
    doc->loop = form == Points::LoopControls;
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        ChannelCurve& curve = doc->channels[ch];
        curve.pointCount = static_cast<int>(points.size());
        auto& target = form == Points::OpenAnchors ? curve.anchorPoints : curve.controlPoints;
        for (std::size_t i = 0; i < points.size(); ++i) {
            target[i] = {points[i].x, points[i].y + ch * channelStep};
        }
        if (form == Points::OpenAnchors) {
            fitControlPoints(curve);
        }
    }
    rebuildAllCurves(*doc);
    return doc;
}

std::unique_ptr<GradationDocument>
openDocumentFromAnchors(int length, std::initializer_list<CurvePoint> anchors) {
    return makeDocument(length, Points::OpenAnchors, anchors);
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

std::unique_ptr<GradationDocument>
dotsDocument(int length, const std::function<Color(int)>& colourOf, bool loop) {
    auto doc = flatLevels(length, 0, 0, 0);
    doc->loop = loop;
    for (int j = 0; j < length; ++j) {
        const Color c = colourOf(j);
        const int levels[3] = {redOf(c), greenOf(c), blueOf(c)};
        for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
            doc->colorLine[ch][j].y = CanvasGeometry::levelY(levels[ch]);
        }
    }
    return doc;
}

std::vector<CurvePoint> controlsOf(const GradationDocument& doc, ChannelIndex ch) {
    const ChannelCurve& c = doc.channels[ch];
    return {c.controlPoints.begin(), c.controlPoints.begin() + c.pointCount};
}

namespace {

template <typename Counted> int countIn(const Surface& s, Rect r, Counted counted) {
    if (r.right <= r.left) {
        r = {0, 0, s.width(), s.height()};
    }
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            n += counted(x, y) ? 1 : 0;
        }
    }
    return n;
}

} // namespace

int countDifferences(const Surface& a, const Surface& b, Rect r) {
    return countIn(a, r, [&](int x, int y) { return a.pixel(x, y) != b.pixel(x, y); });
}

int countColour(const Surface& s, Color c, Rect r) {
    return countIn(s, r, [&](int x, int y) { return s.pixel(x, y) == c; });
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
    if (record) {
        calls.push_back({std::string(text), x, y, style});
    }
    if (paint) {
        const TextExtent e = measureText(text, style);
        fillRect(surface, {x, y, x + e.width, y + e.height}, style.color);
    }
}

TextExtent FakeTextRenderer::measureText(std::string_view text, const TextStyle& style) {
    int characters = 0;
    for (const char c : text) {
        characters += (static_cast<unsigned char>(c) & 0xc0) != 0x80 ? 1 : 0;
    }
    return {6 * characters, style.pixelHeight};
}

ProgramRun runProgram(const TempDir& dir, const std::string& program, const std::string& args) {
    const auto quoted = [](const std::filesystem::path& p) { return "'" + p.string() + "'"; };
    const auto out = dir / "stdout.txt";
    const auto err = dir / "stderr.txt";
    const std::string command = "cd " + quoted(dir.path()) + " && " + quoted(program) + " " + args +
                                " >" + quoted(out) + " 2>" + quoted(err);
    const int raw = std::system(command.c_str());
    return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, readText(out), readText(err)};
}

} // namespace spectrane::test
