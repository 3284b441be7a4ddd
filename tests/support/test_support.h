// Shared helpers of the tests and benchmarks: scratch folders, file bytes, the one document
// builder, the one fake text renderer and the pixel counters.
#pragma once

#include "model/gradation_document.h"
#include "raster/surface.h"
#include "raster/text_renderer.h"
#include "views/channel_colors.h"

#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

namespace spectrane::test {

// A fresh, empty folder removed again at the end of the test.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::filesystem::path& path() const { return path_; }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }

private:
    std::filesystem::path path_;
};

std::vector<unsigned char> readBytes(const std::filesystem::path& file);
std::string readText(const std::filesystem::path& file);
void writeBytes(const std::filesystem::path& file, const std::vector<unsigned char>& bytes);

// Little-endian bytes of hand-made files, appended field by field.
struct ByteBuilder {
    std::vector<unsigned char> bytes;
    ByteBuilder& u8(unsigned v) { return put(v, 1); }
    ByteBuilder& i32(std::int32_t v) { return put(static_cast<std::uint32_t>(v), 4); }
    ByteBuilder& f64(double v);
    ByteBuilder& point(double x, double y) { return f64(x).f64(y); }
    ByteBuilder& put(std::uint64_t v, int count);
};

// How makeDocument reads its points: anchors of open curves (control points fitted to them), or
// control points of open or loop curves.
enum class Points { OpenAnchors, OpenControls, LoopControls };

// The one document builder: `length` dots, every channel with `points`, channel ch's y moved by
// ch * channelStep (so that a mixed-up channel shows); anchors derived, every dot evaluated.
std::unique_ptr<GradationDocument> makeDocument(int length, Points form,
                                                const std::vector<CurvePoint>& points,
                                                double channelStep = 0);
std::unique_ptr<GradationDocument>
openDocumentFromAnchors(int length, std::initializer_list<CurvePoint> anchors);
// No points; every dot of channel ch at the given level.
std::unique_ptr<GradationDocument> flatLevels(int length, int level0, int level1, int level2);
// No points; dot j shows colourOf(j) (an RGB document: levels are the colour's components).
std::unique_ptr<GradationDocument>
dotsDocument(int length, const std::function<Color(int)>& colourOf, bool loop = false);

// A document of random curves, as a new gradation of `length` dots gets them from `seed`, with
// the loop flag set before they are made; anchors derived and every dot evaluated.
std::unique_ptr<GradationDocument> randomDocument(int length, std::uint32_t seed, bool loop);

// The control points 0..n-1 of channel ch.
std::vector<CurvePoint> controlsOf(const GradationDocument& doc, ChannelIndex ch);

// Pixels that differ between a and b, and pixels of colour c, inside r (empty r: everywhere).
int countDifferences(const Surface& a, const Surface& b, Rect r = {});
int countColour(const Surface& s, Color c, Rect r = {});

// Text without fonts: 6 pixels a character (UTF-8 lead bytes), the style's height. Records
// every call when `record`, fills the text's cell with its colour when `paint`.
class FakeTextRenderer : public TextRenderer {
public:
    struct Call {
        std::string text;
        int x = 0;
        int y = 0;
        TextStyle style;
    };
    void drawText(Surface& surface, int x, int y, std::string_view text,
                  const TextStyle& style) override;
    TextExtent measureText(std::string_view text, const TextStyle& style) override;

    std::vector<Call> calls;
    bool record = true;
    bool paint = true;
};

// What a program run by runProgram left: its exit status (-1 if it did not exit) and output.
struct ProgramRun {
    int status = -1;
    std::string out;
    std::string err;
};

// Runs `program` (a path) with `args` (a shell command line's tail, quoted as needed) inside
// `dir`, catching its standard output and error in files there.
ProgramRun runProgram(const TempDir& dir, const std::string& program, const std::string& args);

// The plot's colours for the RGB or the CMY set, as ChooseChannelColors sets them.
inline ChannelColors channelColorsFor(ColorMode mode) {
    ChannelColors colors;
    ChooseChannelColors(colors, mode);
    return colors;
}

} // namespace spectrane::test
