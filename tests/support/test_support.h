// Shared helpers for the tests: scratch folders and documents built from anchors.
#pragma once

#include "model/gradation_document.h"
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

// A document of `length` dots whose open channels all have the given anchors; control points
// are fitted to them, anchors derived back and every channel evaluated.
std::unique_ptr<GradationDocument>
openDocumentFromAnchors(int length, std::initializer_list<CurvePoint> anchors);

// A document whose every dot of channel ch has the given level (ColorLine only).
std::unique_ptr<GradationDocument> flatLevels(int length, int level0, int level1, int level2);

// A document of random curves, as a new gradation of `length` dots gets them from `seed`, with
// the loop flag set before they are made; anchors derived and every dot evaluated.
std::unique_ptr<GradationDocument> randomDocument(int length, std::uint32_t seed, bool loop);

// A text renderer without fonts: records every call and fills the text's cell (6 pixels per
// character, the style's height) with the text colour, so that tests see where text went.
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
};

} // namespace spectrane::test
