// What reaches the readers: byte order marks and wide encodings, line data files given to the
// import by mistake.
#include "exchange/gradient_import.h"
#include "files/line_data_file.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace spectrane {
namespace {

std::vector<std::uint8_t> bytesOf(std::string_view s) {
    return {s.begin(), s.end()};
}

// The text as UTF-16 with its byte order mark (ASCII only).
std::vector<std::uint8_t> utf16(std::string_view s, bool bigEndian) {
    std::vector<std::uint8_t> out =
        bigEndian ? std::vector<std::uint8_t>{0xfe, 0xff} : std::vector<std::uint8_t>{0xff, 0xfe};
    for (char c : s) {
        out.push_back(bigEndian ? 0 : static_cast<std::uint8_t>(c));
        out.push_back(bigEndian ? static_cast<std::uint8_t>(c) : 0);
    }
    return out;
}

TEST(GradientInput, EveryTextFormatTakesAUtf8MarkAndNamesUtf16) {
    // Asymmetric in the channels, so that a swapped or dropped colour shows.
    const std::pair<const char*, const char*> files[] = {
        {"a.csv", "dot,r,g,b\n0,10,20,30\n1,200,150,100\n"},
        // Two pixels: their centres at a quarter and three quarters.
        {"a.css", "linear-gradient(to right, rgb(10 20 30) 25%, rgb(200 150 100) 75%)"},
        {"a.svg", "<svg><linearGradient><stop offset='.25' stop-color='#0a141e'/>"
                  "<stop offset='.75' stop-color='#c89664'/></linearGradient></svg>"},
        {"a.ggr", "GIMP Gradient\nName: a\n1\n0 0.5 1 0.0392156862745098 0.0784313725490196 "
                  "0.11764705882352941 1 0.7843137254901961 0.5882352941176471 "
                  "0.39215686274509803 1 0 0\n"},
        {"a.cpt", "0 10/20/30 1 200/150/100\n"},
        {"a.json", R"([{"RGBPoints": [0, 0.0392156862745098, 0.0784313725490196,
                    0.11764705882352941, 1, 0.7843137254901961, 0.5882352941176471,
                    0.39215686274509803]}])"},
    };
    ImportOptions options;
    options.length = 2;
    options.tolerance = 0;
    for (const auto& [name, text] : files) {
        const ImportResult plain = importGradient(name, bytesOf(text), options);
        ASSERT_TRUE(plain) << name << ": " << plain.error;
        const ImportResult marked =
            importGradient(name, bytesOf(std::string("\xef\xbb\xbf") + text), options);
        ASSERT_TRUE(marked) << name << ": " << marked.error;
        const GradationDocument& d = *marked.document;
        EXPECT_EQ(
            (std::array{d.colorLine.level(0, 0), d.colorLine.level(1, 0), d.colorLine.level(2, 0),
                        d.colorLine.level(0, 1), d.colorLine.level(1, 1), d.colorLine.level(2, 1)}),
            (std::array{10, 20, 30, 200, 150, 100}))
            << name;
        for (bool big : {false, true}) {
            EXPECT_EQ(importGradient(name, utf16(text, big), options).error,
                      std::string(name) + ": line 1: the text is UTF-16 (" +
                          (big ? "big" : "little") + "-endian); save it as UTF-8");
        }
    }
}

TEST(GradientInput, LineDataIsNamedAndSentToOpen) {
    const auto doc = test::randomDocument(300, 5, false);
    const std::vector<std::uint8_t> spd = encodeLineData(*doc);
    // By its layout under any name, and by its name whatever it holds.
    const std::pair<const char*, std::vector<std::uint8_t>> cases[] = {
        {"copy.cpt", spd}, {"noname", spd}, {"doc.SPD", bytesOf("0 0/0/0 1 9/9/9\n")}};
    for (const auto& [name, bytes] : cases) {
        const ImportResult r = importGradient(name, bytes, {});
        EXPECT_TRUE(!r && r.lineData) << name;
        EXPECT_EQ(r.error, std::string(name) +
                               ": line 1: a line data file (.spd), not a gradient; use Open to "
                               "read it");
    }
}

} // namespace
} // namespace spectrane
