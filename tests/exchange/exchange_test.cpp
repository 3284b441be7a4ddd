// The fewest stops against brute force, every colour table read back by readers of our own,
// curves fitted back within the tolerance, foreign gradients and the refusal of bad input.
#include "exchange/color_table_export.h"
#include "exchange/fewest_stops.h"
#include "exchange/gradient_import.h"
#include "support/fit_inputs.h"
#include "support/test_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <random>
#include <regex>

namespace spectrane {
namespace {

// The rule itself, in doubles: every dot between two neighbouring stops lies less than T + 1/2
// (with slack and T > 0: less than T) from the straight line between them, in every channel.
bool reproduces(const std::vector<Rgb8>& c, const std::vector<int>& stops, int tolerance,
                bool slack) {
    const double reach = slack && tolerance > 0 ? tolerance : tolerance + 0.5;
    for (std::size_t k = 0; k + 1 < stops.size(); ++k) {
        const int a = stops[k];
        const int b = stops[k + 1];
        for (int j = a + 1; j < b; ++j) {
            for (int ch = 0; ch < 3; ++ch) {
                const double v = c[a][ch] + (c[b][ch] - c[a][ch]) * double(j - a) / (b - a);
                if (std::abs(v - c[j][ch]) >= reach - 1e-9) {
                    return false;
                }
            }
        }
    }
    return true;
}

TEST(FewestStops, MatchesBruteForceOnShortGradations) {
    std::mt19937 rng(7);
    for (int trial = 0; trial < 400; ++trial) {
        const int n = 2 + trial % 11;
        const int tolerance = trial % 3;
        const bool slack = trial % 2 != 0;
        std::vector<Rgb8> colors(n);
        int walk[3] = {128, 128, 128};
        for (Rgb8& c : colors) {
            for (int& w : walk) {
                w = std::clamp(w + static_cast<int>(rng() % 9) - 4, 0, 255);
            }
            c = {std::uint8_t(walk[0]), std::uint8_t(walk[1]), std::uint8_t(walk[2])};
        }
        // Every subset of the inner dots, with both ends.
        std::size_t least = n;
        for (unsigned mask = 0; mask < (1u << (n - 2)); ++mask) {
            std::vector<int> stops{0};
            for (int j = 1; j < n - 1; ++j) {
                if (mask & (1u << (j - 1))) {
                    stops.push_back(j);
                }
            }
            stops.push_back(n - 1);
            if (stops.size() < least && reproduces(colors, stops, tolerance, slack)) {
                least = stops.size();
            }
        }
        const std::vector<int> found = fewestStops(colors, tolerance, slack);
        ASSERT_EQ(found.size(), least) << "trial " << trial;
        EXPECT_TRUE(reproduces(colors, found, tolerance, slack));
        EXPECT_EQ((std::pair{found.front(), found.back()}), (std::pair{0, n - 1}));
    }
}

struct Stop {
    double at; // 0..1
    double rgb[3];
};

// Readers of our own, written from the formats' descriptions, independent of the program's:
// each match of `pattern` gives stops from its numbers at the listed groups, scaled.
std::vector<Stop> readStops(ExchangeFormat f, const std::string& text) {
    if (f == ExchangeFormat::Json) {
        const auto p = nlohmann::json::parse(text)[0]["RGBPoints"];
        std::vector<Stop> stops;
        for (std::size_t i = 0; i + 3 < p.size(); i += 4) {
            stops.push_back(
                {p[i],
                 {255.0 * double(p[i + 1]), 255.0 * double(p[i + 2]), 255.0 * double(p[i + 3])}});
        }
        return stops;
    }
    const std::string n = R"(([-\d.e]+))";
    const std::string s = " ";
    const std::regex re(
        f == ExchangeFormat::Csv   ? R"x(\n(\d+),(\d+),(\d+),(\d+))x"
        : f == ExchangeFormat::Css ? R"x(rgb\((\d+) (\d+) (\d+)\) ([\d.]+)%)x"
        : f == ExchangeFormat::Svg ? R"x(offset="([\d.]+)" stop-color="#(..)(..)(..)")x"
        : f == ExchangeFormat::Cpt
            ? n + "\t" + n + "/" + n + "/" + n + "\t" + n + "\t" + n + "/" + n + "/" + n + "\n"
            : "\n" + n + s + n + s + n + s + n + s + n + s + n + " 1 " + n + s + n + s + n +
                  " 1 0 0 0 0");
    std::vector<Stop> stops;
    for (auto it = std::sregex_iterator(text.begin(), text.end(), re); it != std::sregex_iterator();
         ++it) {
        const auto v = [&](int g, int base = 10) {
            return base == 16 ? std::stoi((*it)[g], nullptr, 16) : std::stod((*it)[g]);
        };
        if (f == ExchangeFormat::Csv) {
            stops.push_back({v(1), {v(2), v(3), v(4)}}); // the dot, scaled below
        } else if (f == ExchangeFormat::Css) {
            stops.push_back({v(4) / 100, {v(1), v(2), v(3)}});
        } else if (f == ExchangeFormat::Svg) {
            stops.push_back({v(1), {v(2, 16) * 1.0, v(3, 16) * 1.0, v(4, 16) * 1.0}});
        } else if (f == ExchangeFormat::Cpt) {
            stops.push_back({v(1), {v(2), v(3), v(4)}});
            stops.push_back({v(5), {v(6), v(7), v(8)}});
        } else {
            stops.push_back({v(1), {255 * v(4), 255 * v(5), 255 * v(6)}});
            stops.push_back({v(3), {255 * v(7), 255 * v(8), 255 * v(9)}});
        }
    }
    return stops;
}

// The level a reader gets at dot j: linear between the stops around it (stops on dots).
int levelAt(const std::vector<Stop>& stops, int length, int j, int ch) {
    for (std::size_t k = 0; k + 1 < stops.size(); ++k) {
        const long a = std::lround(stops[k].at * (length - 1));
        const long b = std::lround(stops[k + 1].at * (length - 1));
        if (j >= a && j <= b && b > a) {
            const double f = double(j - a) / double(b - a);
            return int(
                std::lround(stops[k].rgb[ch] + (stops[k + 1].rgb[ch] - stops[k].rgb[ch]) * f));
        }
    }
    return -1000;
}

TEST(ColorTableExport, EveryFormatReadsBackWithinTheToleranceWithTheFewestStops) {
    struct Case {
        int length;
        bool loop, cmy;
        int direction, tolerance;
    };
    const Case cases[] = {{512, false, false, 0, 0},
                          {1600, false, true, 1, 1},
                          {77, true, false, 2, 2},
                          {2, 0, 0, 3, 0}};
    for (const Case& c : cases) {
        auto doc = test::randomDocument(c.length, c.length, c.loop);
        doc->mode = c.cmy ? ColorMode::Cmy : ColorMode::Rgb;
        doc->direction = c.direction;
        const std::vector<Rgb8> shown = documentColors(*doc);
        const std::size_t fewest = fewestStops(shown, c.tolerance).size();
        // CSS and SVG leave renderers half a level: their lines stay within T itself.
        const std::size_t boxFewest = fewestStops(shown, c.tolerance, true).size();
        for (ExchangeFormat f : {ExchangeFormat::Css, ExchangeFormat::Svg, ExchangeFormat::Ggr,
                                 ExchangeFormat::Cpt, ExchangeFormat::Json, ExchangeFormat::Csv}) {
            const std::string text = exportColorTable(*doc, f, {c.tolerance, "a<b"});
            std::vector<Stop> stops = readStops(f, text);
            // CSS and SVG fill a box of L pixels: dot j at the centre of pixel j, (j + 1/2) / L.
            const bool box = f == ExchangeFormat::Css || f == ExchangeFormat::Svg;
            for (Stop& s : stops) {
                if (box || f == ExchangeFormat::Csv) { // CSV gives dots
                    const double dot = box ? s.at * c.length - 0.5 : s.at;
                    ASSERT_NEAR(dot, std::round(dot), 1e-4) << text;
                    s.at = dot / (c.length - 1);
                }
            }
            // Segment formats repeat each inner stop as the next segment's start; CSV has every
            // dot.
            const bool segments = f == ExchangeFormat::Ggr || f == ExchangeFormat::Cpt;
            ASSERT_EQ(stops.size(), f == ExchangeFormat::Csv ? shown.size()
                                    : segments               ? 2 * (fewest - 1)
                                    : box                    ? boxFewest
                                                             : fewest)
                << text;
            for (int j = 0; j < c.length; ++j) {
                for (int ch = 0; ch < 3; ++ch) { // CMY documents give the colours as shown
                    ASSERT_LE(std::abs(levelAt(stops, c.length, j, ch) - shown[j][ch]), c.tolerance)
                        << formatInfo(f).name << " L=" << c.length << " dot " << j;
                }
            }
        }
        // The direction as CSS says it; the SVG rectangle runs L along the gradient.
        const char* to[] = {"to right", "to bottom", "to left", "to top"};
        EXPECT_NE(exportColorTable(*doc, ExchangeFormat::Css, {}).find(to[c.direction]), 0u - 1);
        const std::string l = std::to_string(c.length);
        const std::string svg = exportColorTable(*doc, ExchangeFormat::Svg, {0, "a<b"});
        EXPECT_NE(svg.find(c.direction & 1 ? "width=\"32\" height=\"" + l + "\""
                                           : "width=\"" + l + "\" height=\"32\""),
                  std::string::npos);
        EXPECT_NE(svg.find("<title>a&lt;b</title>"), std::string::npos);
    }
}

std::vector<std::uint8_t> bytesOf(const std::string& s) {
    return {s.begin(), s.end()};
}

TEST(CurveFit, RandomDocumentsComeBackWithinTheToleranceFromEveryTable) {
    struct Case {
        int length;
        std::uint32_t seed;
        bool loop;
        ExchangeFormat format;
        int tolerance;
    };
    const Case cases[] = {
        {1600, 11, false, ExchangeFormat::Csv, 1},  {512, 12, false, ExchangeFormat::Csv, 2},
        {700, 13, true, ExchangeFormat::Csv, 1},    {300, 14, false, ExchangeFormat::Css, 1},
        {900, 15, false, ExchangeFormat::Ggr, 1},   {450, 16, false, ExchangeFormat::Cpt, 1},
        {1234, 17, false, ExchangeFormat::Json, 1}, {256, 18, true, ExchangeFormat::Svg, 2},
        {2, 19, false, ExchangeFormat::Csv, 0},     {3, 20, true, ExchangeFormat::Csv, 0}};
    for (const Case& c : cases) {
        auto doc = test::randomDocument(c.length, c.seed, c.loop);
        const std::vector<Rgb8> wanted = documentColors(*doc);
        // Exact tables, so that the fit alone accounts for the error.
        const std::string table = exportColorTable(*doc, c.format, {0, "t"});
        ImportOptions options;
        options.tolerance = c.tolerance;
        options.loop = c.loop;
        options.length = c.format == ExchangeFormat::Ggr ? c.length : 0; // no length in ggr
        const ImportResult r =
            importGradient(std::string("t.") + std::string(formatInfo(c.format).extension),
                           bytesOf(table), options);
        ASSERT_TRUE(r) << r.error;
        const std::vector<Rgb8> fitted = documentColors(*r.document);
        EXPECT_EQ(r.document->loop, c.loop);
        EXPECT_LE(test::largestLevelDifference(fitted, wanted), c.tolerance) << "L=" << c.length;
        for (ChannelIndex ch = 0; ch < 3; ++ch) {
            EXPECT_EQ(r.channels[ch].maxError, test::largestLevelDifference(fitted, wanted, ch));
            EXPECT_TRUE(r.channels[ch].reached &&
                        r.channels[ch].points == r.document->channels[ch].pointCount)
                << "L=" << c.length << " ch " << ch;
        }
    }
}

// A straight line fits with its two ends; alternating levels cannot be followed by any 256
// anchors, and the best found is reported as such.
TEST(CurveFit, FewAnchorsForFewAndTheBestWhenOutOfReach) {
    auto line = test::openDocumentFromAnchors(1600, {{56, 300}, {1655, 80}});
    CurveFit fit = fitCurves(documentColors(*line), 0, false, 0);
    EXPECT_EQ((std::pair{fit.channels[0].points, fit.channels[0].maxError}), (std::pair{2, 0}));
    std::vector<Rgb8> comb(1600);
    for (int j = 0; j < 1600; ++j) {
        comb[j] = j % 2 ? Rgb8{255, 0, 255} : Rgb8{0, 255, 0};
    }
    fit = fitCurves(comb, 1, false, 0);
    EXPECT_FALSE(fit.channels[1].reached);
    EXPECT_LE(fit.channels[1].points, kMaxPoints);
    EXPECT_EQ(fit.channels[1].maxError,
              test::largestLevelDifference(documentColors(*fit.document), comb, 1));
}

// Hand-made files of other programs' kinds, read and sampled at a few dots (CSS and SVG at the
// centres of L pixels, the others at j / (L - 1) of their range).
TEST(GradientReaders, ForeignGradientsSampleToTheirColours) {
    struct Case {
        const char* name;
        std::string text;
        int length, direction;
        std::vector<Rgb8> colors;
    };
    const int d = kDefaultDirection;
    test::ByteBuilder bmp; // a 2 x 1 picture of 24 bits, its pixels stored blue, green, red
    bmp.u8('B').u8('M').i32(62).i32(0).i32(54).i32(40).i32(2).i32(1).u8(1).u8(0).u8(24).u8(0);
    bmp.i32(0).i32(8).i32(0).i32(0).i32(0).i32(0);
    bmp.u8(30).u8(20).u8(10).u8(50).u8(100).u8(200).u8(0).u8(0);
    // clang-format off
    const Case cases[] = {
        {"a.css", "body { background: linear-gradient(90deg, red, #0000FF 50%, rgb(0, 255, 0)); }",
         3, 0, {{170, 0, 85}, {0, 0, 255}, {0, 170, 85}}},
        {"b.css", "linear-gradient(to top left, hsl(0 100% 50%) 0% 50%, white)",
         5, 2, {{255, 0, 0}, {255, 0, 0}, {255, 0, 0}, {255, 102, 102}, {255, 204, 204}}},
        {"c.svg", "<svg><linearGradient x2=\"0\" y2=\"100%\"><stop offset=\"25%\" "
                  "style=\"stop-color: #102030\"/>\n<stop offset='.75' stop-color='teal'/>"
                  "</linearGradient></svg>",
         5, 1, {{16, 32, 48}, {14, 42, 56}, {8, 80, 88}, {2, 118, 120}, {0, 128, 128}}},
        {"d.ggr", "GIMP Gradient\nName: d\n2\n0 0.25 0.5 0 0 0 1 1 1 1 1 0 0\n"
                  "0.5 0.75 1 0 0 1 1 1 0 0 1 5 0 0 0\n",
         5, d, {{0, 0, 0}, {128, 128, 128}, {0, 0, 255}, {255, 0, 0}, {255, 0, 0}}},
        {"e.cpt", "# COLOR_MODEL = RGB\n-10 0 0 0 0 100 200 50 L\n0\t10/20/30\t10\t250/250/250\n"
                  "B 0/0/0\nF 255/255/255\n",
         3, d, {{0, 0, 0}, {10, 20, 30}, {250, 250, 250}}},
        {"f.json", R"({"ColorSpace": "RGB", "RGBPoints": [-1, 0, 0, 0, 1, 1, 0.5, 0]})",
         3, d, {{0, 0, 0}, {128, 64, 0}, {255, 128, 0}}},
        {"g.csv", "r,g,b\n1,2,3\n\n4,5,6\r\n", 2, d, {{1, 2, 3}, {4, 5, 6}}},
        // Two pixels: their centres at a quarter and three quarters of the box.
        {"h.css", "linear-gradient(red, blue)", 2, 1, {{191, 0, 64}, {64, 0, 191}}},
        {"i.bmp", std::string(bmp.bytes.begin(), bmp.bytes.end()), 2, 0,
         {{10, 20, 30}, {200, 100, 50}}},
    };
    // clang-format on
    for (const Case& c : cases) {
        const auto bytes = bytesOf(c.text);
        const auto format = detectInputFormat(c.name, bytes);
        ASSERT_TRUE(format) << c.name;
        const GradientReadResult r = readGradient(*format, bytes, {});
        ASSERT_TRUE(r.gradient) << c.name << ": " << r.error;
        EXPECT_EQ(r.gradient->direction, c.direction) << c.name;
        EXPECT_EQ(sampleGradient(*r.gradient, c.length), c.colors) << c.name;
    }
    // Without a length of their own, stops on a grid of 4 give 4 * 64 + 1 dots.
    Gradient g;
    g.stops = {{0, {}}, {0.25, {}}, {1, {}}};
    EXPECT_EQ(naturalLength(g), 257);
}

TEST(GradientReaders, BadInputNamesTheFileTheLineAndTheFault) {
    test::ByteBuilder header; // "BM", sizes, 40-byte info header of a 1 x 1 picture, 8 bits
    header.u8('B').u8('M').i32(58).i32(0).i32(54).i32(40).i32(1).i32(1).u8(1).u8(0).u8(8);
    // Each input is named by the start of its message, which names the file.
    const std::pair<std::string, const char*> cases[] = {
        {"dot,r,g,b\n0,1,2,3\n1,2,3,256\n",
         "x.csv: line 3: the level '256' is not a number in 0..255"},
        {"a {\n background: linear-gradient(chartroose, red) }",
         "x.css: line 2: the colour 'chartroose' is not #hex, rgb(), hsl() or a colour name"},
        {"<svg><linearGradient>\n<stop offset=\"half\"/></linearGradient></svg>",
         "x.svg: line 2: the offset 'half' is not a number"},
        {"GIMP Gradient\nName: x\n1\n0 0.5 1 0 0 0 1 1 1 1 1 0 3\n",
         "x.ggr: line 4: unknown colouring '3'"},
        {"0 0/0/0 5 1/1/1\n4 0/0/0 6 1/1/1\n", "x.cpt: line 2: z must not go back"},
        {"[{\"Name\": \"x\",\n \"RGBPoints\": [0, 1, 1]}]",
         "x.json: line 2: \"RGBPoints\" must be x, r, g, b, ... (a multiple of 4 numbers)"},
        // 64 containers deep is read; the 65th bracket is refused where it stands.
        {"{\"a\":\n" + std::string(63, '[') + std::string(63, ']') + "}",
         "x.json: line 1: no preset with \"RGBPoints\""},
        {"{\"a\":\n" + std::string(62, '[') + "\n[\"b\", [" + std::string(64, ']') + "}",
         "x.json: line 3: nested too deeply"},
        {std::string(header.bytes.begin(), header.bytes.end()) + std::string(29, '\0'),
         "x.bmp: byte 28: 8 bits per pixel are not supported, only 24 and 32"},
        {std::string("\x89PNG\r\n\x1a\n\0\0\0\x0dIHDR\0\0\0\x02\0\0\0\x02\x08\x02\0\0\0BAD!", 33),
         "x.png: byte 33: "},
    };
    for (const auto& [input, error] : cases) {
        const std::string message = error;
        const ImportResult r =
            importGradient(message.substr(0, message.find(':')), bytesOf(input), {});
        EXPECT_TRUE(!r && r.error.starts_with(message)) << r.error;
    }
    // Nothing to read, and a file that cannot be read, are refused the same way.
    EXPECT_FALSE(importGradient("none", {}, {}));
    EXPECT_EQ(importGradientFile("/no/such/file.csv", {}).error.substr(0, 23),
              "/no/such/file.csv: cann");
}

} // namespace
} // namespace spectrane
