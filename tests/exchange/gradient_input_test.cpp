// What reaches the readers: byte order marks and UTF-16, line data files imported by mistake,
// GIMP's blends and colourings, GMT's colour forms and layouts, opacity over a background.
#include "exchange/color_table_export.h"
#include "exchange/gradient_import.h"
#include "exchange/gradient_readers.h"
#include "files/line_data_file.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <numbers>

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

// Our own tables of two colours as input, asymmetric in the channels, so that a swapped or
// dropped colour shows.
TEST(GradientInput, EveryTextFormatTakesAUtf8MarkAndNamesUtf16) {
    const std::vector<Rgb8> colors = {{10, 20, 30}, {200, 150, 100}};
    const auto doc = test::dotsDocument(2, [&](int j) { return colorOf(colors[j]); });
    ImportOptions options;
    options.length = 2;
    options.tolerance = 0;
    for (const ExchangeFormat f :
         {ExchangeFormat::Csv, ExchangeFormat::Css, ExchangeFormat::Svg, ExchangeFormat::Ggr,
          ExchangeFormat::Cpt, ExchangeFormat::Json}) {
        const std::string name = "a." + std::string(formatInfo(f).extension);
        const std::string text = exportColorTable(*doc, f, {0, "a"});
        const ImportResult marked = importGradient(name, bytesOf("\xef\xbb\xbf" + text), options);
        ASSERT_TRUE(marked) << name << ": " << marked.error;
        EXPECT_EQ(documentColors(*marked.document), colors) << name;
        for (bool big : {false, true}) {
            EXPECT_EQ(importGradient(name, utf16(text, big), options).error,
                      name + ": line 1: the text is UTF-16 (" + (big ? "big" : "little") +
                          "-endian); save it as UTF-8");
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

// The colours of `length` dots of a file read as `format`, laid over `over`.
std::vector<Rgb8> sampled(ExchangeFormat format, std::string_view text, int length,
                          const Background& over = {}) {
    const GradientReadResult r = readGradient(format, bytesOf(text), {});
    EXPECT_TRUE(r.gradient) << text << ": " << r.error;
    return r.gradient ? sampleGradient(*r.gradient, length, over) : std::vector<Rgb8>{};
}

Rgb8 level(double r, double g, double b) {
    const auto round = [](double v) { return static_cast<std::uint8_t>(std::lround(v)); };
    return {round(r), round(g), round(b)};
}

// One GIMP segment from (0, 51, 255) to (255, 153, 0) sampled at one dot, against blend factors
// from GIMP's published definitions worked out in closed form.
TEST(GimpGradients, EveryBlendAndColouringAtWorkedPoints) {
    const auto mix = [](double f) { return level(255 * f, 51 + 102 * f, 255 - 255 * f); };
    const double quarterSine = (1 - std::numbers::sqrt2 / 2) / 2; // (sin(-pi/2 + pi/4) + 1) / 2
    const double sphere = std::sqrt(0.75);                        // sqrt(1 - (1/2)^2)
    struct Case {
        double middle;
        int blend, coloring, length, dot;
        Rgb8 expected;
    };
    const Case cases[] = {
        {0.25, 0, 0, 5, 1, mix(0.5)},        // linear: 1/2 at the middle
        {0.25, 0, 0, 5, 2, mix(2.0 / 3)},    // linear: 1/2 + 1/2 * (1/2 - 1/4) / (3/4)
        {0.25, 1, 0, 17, 1, mix(0.25)},      // curved: (1/16)^(log 1/2 / log 1/4) = 1/4
        {0.25, 1, 0, 5, 1, mix(0.5)},        // curved: 1/2 at the middle
        {0.5, 2, 0, 5, 1, mix(quarterSine)}, // sine
        {0.5, 3, 0, 3, 1, mix(sphere)},      // sphere increasing
        {0.5, 4, 0, 3, 1, mix(1 - sphere)},  // sphere decreasing
        {0.3, 5, 0, 101, 29, mix(0)},        // step: the left colour before the middle
        {0.3, 5, 0, 101, 31, mix(1)},        // step: the right colour after it
        {1.0, 0, 0, 3, 2, mix(0.5)},         // a middle at the end: half way at the end
        {0.0, 0, 0, 5, 2, mix(0.75)},        // a middle at the start: from half way
    };
    for (const Case& c : cases) {
        const std::string ggr = "GIMP Gradient\nName: t\n1\n0 " + std::to_string(c.middle) +
                                " 1 0 0.2 1 1 1 0.6 0 1 " + std::to_string(c.blend) + " " +
                                std::to_string(c.coloring) + "\n";
        EXPECT_EQ(sampled(ExchangeFormat::Ggr, ggr, c.length)[c.dot], c.expected)
            << "blend " << c.blend << " middle " << c.middle << " dot " << c.dot;
    }
    // Red to blue anticlockwise passes green, clockwise magenta; red to green clockwise passes
    // blue. Alpha fades black over the background.
    const std::pair<std::string, std::vector<Rgb8>> colourings[] = {
        {"1 0 0 1 0 0 1 1 0 1", {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}}},
        {"1 0 0 1 0 0 1 1 0 2", {{255, 0, 0}, {255, 0, 255}, {0, 0, 255}}},
        {"1 0 0 1 0 1 0 1 0 2", {{255, 0, 0}, {0, 0, 255}, {0, 255, 0}}},
        {"0 0 0 0 0 0 0 1 0 0", {{255, 255, 255}, {128, 128, 128}, {0, 0, 0}}},
    };
    for (const auto& [segment, colors] : colourings) {
        EXPECT_EQ(sampled(ExchangeFormat::Ggr, "GIMP Gradient\n1\n0 0.5 1 " + segment + "\n", 3),
                  colors)
            << segment;
    }
    // A shared end belongs to the later segment.
    EXPECT_EQ(sampled(ExchangeFormat::Ggr,
                      "GIMP Gradient\n2\n0 0.25 0.5 0 0 0 1 0 0 0 1 0 0\n"
                      "0.5 0.75 1 1 1 1 1 1 1 1 1 0 0\n",
                      3)[1],
              (Rgb8{255, 255, 255}));
}

// GMT's colour forms (X11 names, h-s-v, grey levels, c/m/y/k, transparency), categorical
// palettes, rounded hard edges and the default range with its hinge.
TEST(GmtPalettes, ColourFormsModelsAndLayouts) {
    struct Case {
        const char* text;
        int length;
        std::vector<Rgb8> colors;
    };
    // clang-format off
    const Case cases[] = {
        {"0 DarkSeaGreen 1 gray50", 2, {{143, 188, 143}, {127, 127, 127}}},
        {"0 navajowhite 1 Medium_Orchid", 2, {{255, 222, 173}, {186, 85, 211}}},
        {"# COLOR_MODEL = HSV\n0 0-1-1 1 240-1-1\n", 3, {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}}},
        {"# COLOR_MODEL = RGB\n0 0-1-1 1 240-1-1\n", 3, {{255, 0, 0}, {128, 0, 128}, {0, 0, 255}}},
        {"# COLOR_MODEL = hsv\n0 300 1 1 1 0 1 0.5", 3, {{255, 0, 255}, {0, 191, 96}, {128, 0, 0}}},
        {"0 50 1 200\n", 3, {{50, 50, 50}, {125, 125, 125}, {200, 200, 200}}},
        {"0 0/100/50/0 1 0/0/0/100", 2, {{255, 0, 128}, {0, 0, 0}}},
        {"0 0/0/0@50 1 #ff0000@100", 2, {{128, 128, 128}, {255, 255, 255}}},
        {"0 red\n1 0/0/255 ;sea\nx Green L\nB black\n", 3, {{255, 0, 0}, {0, 0, 255}, {0, 255, 0}}},
        {"0 0/0/0 0.571428571429 0/0/0\n0.571428571428 9/9/9 1 9/9/9", 8,
         {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {0, 0, 0}, {9, 9, 9}, {9, 9, 9}, {9, 9, 9}, {9, 9, 9}}},
        {"# RANGE = -300/100\n# HARD_HINGE\n-1 0/0/0 0 100/100/100\n0 200/200/200 1 255/255/255",
         5, {{0, 0, 0}, {33, 33, 33}, {67, 67, 67}, {200, 200, 200}, {255, 255, 255}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(sampled(ExchangeFormat::Cpt, c.text, c.length), c.colors) << c.text;
    }
    const ImportResult categorical =
        importGradient("c.cpt", bytesOf("A red\nB2 blue\nC green\n"), {});
    EXPECT_NE(categorical.message.find("Note: a categorical palette: its 3 colours are "
                                       "imported as equal steps, in order"),
              std::string::npos);
    const std::pair<const char*, const char*> refused[] = {
        {"0 chartreus 1 red", "c.cpt: line 1: the colour 'chartreus' is not r/g/b, h-s-v, "
                              "c/m/y/k, a grey level, #rrggbb or an X11 colour name"},
        {"# COLOR_MODEL = Lab\n0 red 1 red", "c.cpt: line 1: unknown colour model 'LAB'"},
        {"0 red\n0 red 1 blue", "c.cpt: line 2: slices and categorical 'key colour' lines are "
                                "mixed"},
        {"0 red 1 blue 2", "c.cpt: line 1: expected 'z0 colour z1 colour' or 'key colour', "
                           "found 5 fields"},
    };
    for (const auto& [text, error] : refused) {
        EXPECT_EQ(importGradient("c.cpt", bytesOf(text), {}).error.substr(0, strlen(error)), error);
    }
}

// Partly transparent stops and pixels are laid over white unless told otherwise, and counted.
TEST(Opacity, LaidOverTheBackgroundAndReported) {
    test::ByteBuilder bmp; // 2 x 1, 32 bits with an alpha mask: transparent, then opaque
    bmp.u8('B').u8('M').i32(130).i32(0).i32(122).i32(108).i32(2).i32(1).u8(1).u8(0).u8(32).u8(0);
    bmp.i32(3).i32(8).i32(0).i32(0).i32(0).i32(0);
    bmp.i32(0x00ff0000).i32(0x0000ff00).i32(0x000000ff).i32(static_cast<std::int32_t>(0xff000000));
    while (bmp.bytes.size() < 122) {
        bmp.u8(0);
    }
    bmp.u8(0).u8(0).u8(0).u8(0).u8(30).u8(20).u8(10).u8(255);
    const std::string svg =
        "<svg><linearGradient><stop offset='.25' stop-color='#000' stop-opacity='0'/>"
        "<stop offset='.75' style='stop-color: rgb(0 0 255); stop-opacity: .5'/>"
        "</linearGradient></svg>";
    const std::string css = "linear-gradient(to right, rgb(255 0 0 / 0%) 25%, #00ff0080 75%)";
    const std::string picture(bmp.bytes.begin(), bmp.bytes.end());
    struct Case {
        std::string name, text;
        const char* over;
        std::vector<Rgb8> colors;
        const char* flattened;
    };
    const Case cases[] = {
        {"p.bmp", picture, "white", {{255, 255, 255}, {10, 20, 30}}, "1 pixel was"},
        {"t.svg", svg, "white", {{255, 255, 255}, {128, 128, 255}}, "2 stops were"},
        {"t.svg", svg, "#204060", {{32, 64, 96}, {16, 32, 176}}, "2 stops were"},
        // CSS mixes premultiplied: the transparent red adds no red on the way.
        {"t.css", css, "black", {{0, 0, 0}, {0, 128, 0}}, "2 stops were"},
    };
    for (const Case& c : cases) {
        ImportOptions options;
        options.length = 2;
        options.tolerance = 0;
        options.over = *backgroundNamed(c.over);
        const ImportResult r = importGradient(c.name, bytesOf(c.text), options);
        ASSERT_TRUE(r) << c.name << ": " << r.error;
        EXPECT_EQ(documentColors(*r.document), c.colors) << c.name << " over " << c.over;
        EXPECT_TRUE(r.message.ends_with(std::string("opacity flattened over ") + c.over + ": " +
                                        c.flattened + " partly transparent"))
            << r.message;
    }
    // Half way: opacity 1/4, all of it green (premultiplied); straight mixing would add red.
    EXPECT_EQ(sampled(ExchangeFormat::Css, css, 5)[2], (Rgb8{191, 255, 191}));
    for (const char* bad : {"purple", "#12345", "#1234567", "White"}) {
        EXPECT_FALSE(backgroundNamed(bad)) << bad;
    }
}

} // namespace
} // namespace spectrane
