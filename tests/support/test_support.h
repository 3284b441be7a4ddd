// Shared helpers for the tests and benchmarks: scratch folders, byte builders, the one document
// builder, the one fake text renderer and the pixel counters.
#pragma once

#include "model/gradation_document.h"
#include "raster/surface.h"
#include "raster/text_renderer.h"

#include <cstdint>
#include <filesystem>
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
void writeBytes(const std::filesystem::path& file, const std::vector<unsigned char>& bytes);

// Little-endian bytes of hand-made files, appended field by field.
struct ByteBuilder {
    std::vector<unsigned char> bytes;
    ByteBuilder& u8(unsigned v);
    ByteBuilder& i32(std::int32_t v);
    ByteBuilder& f64(double v);
    ByteBuilder& point(double x, double y) { return f64(x).f64(y); }
};

// How makeDocument reads its points: anchors of open curves (control points fitted to them), or
// the control points of open or loop curves.
enum class Points { OpenAnchors, OpenControls, LoopControls };

// A document of `length` dots whose three channels have `points`, channel ch's y moved by
// ch * `channelStep` (so that a mixed-up channel shows); anchors derived, every dot evaluated.
std::unique_ptr<GradationDocument> makeDocument(int length, Points form,
                                                const std::vector<CurvePoint>& points,
                                                double channelStep = 0);

// makeDocument for open curves through the given anchors, the same in every channel.
std::unique_ptr<GradationDocument>
openDocumentFromAnchors(int length, std::initializer_list<CurvePoint> anchors);

// A document whose every dot of channel ch has the given level (ColorLine only, no points).
std::unique_ptr<GradationDocument> flatLevels(int length, int level0, int level1, int level2);

// The control points 0..n-1 of channel ch.
std::vector<CurvePoint> controlsOf(const GradationDocument& doc, ChannelIndex ch);

// Pixels that differ between a and b inside r (the whole of a when r is empty), and pixels of
// colour c inside r.
int countDifferences(const Surface& a, const Surface& b, Rect r = {});
int countColour(const Surface& s, Color c, Rect r = {});

// A text renderer without fonts, 6 pixels a character (UTF-8 lead bytes) and the style's height.
// It records every call when `record` and fills the text's cell with the text colour when
// `paint`, so that tests see where text went.
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

} // namespace spectrane::test
