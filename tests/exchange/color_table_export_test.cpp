#include "exchange/color_table_export.h"

#include "exchange/fewest_stops.h"
#include "support/test_support.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <random>
#include <regex>

namespace spectrane {
namespace {

// The rule itself, checked in doubles: every dot strictly between two neighbouring stops lies
// less than T + 1/2 from the straight line between them, in every channel.
bool reproduces(const std::vector<Rgb8>& c, const std::vector<int>& stops, int tolerance) {
    for (std::size_t k = 0; k + 1 < stops.size(); ++k) {
        const int a = stops[k];
        const int b = stops[k + 1];
        for (int j = a + 1; j < b; ++j) {
            for (int ch = 0; ch < 3; ++ch) {
                const double v = c[a][ch] + (c[b][ch] - c[a][ch]) * double(j - a) / (b - a);
                if (std::abs(v - c[j][ch]) >= tolerance + 0.5 - 1e-9) {
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
            if (stops.size() < least && reproduces(colors, stops, tolerance)) {
                least = stops.size();
            }
        }
        const std::vector<int> found = fewestStops(colors, tolerance);
        ASSERT_EQ(found.size(), least) << "trial " << trial;
        EXPECT_TRUE(reproduces(colors, found, tolerance));
        EXPECT_EQ(found.front(), 0);
        EXPECT_EQ(found.back(), n - 1);
    }
}

TEST(FewestStops, StraightAndFlatGradationsNeedOnlyTheirEnds) {
    // The program's straight line steps down to whole levels, so it is within 1 level (not 0)
    // of the exact line between its ends.
    auto line = test::openDocumentFromAnchors(512, {{56, 320}, {567, 65}});
    EXPECT_EQ(fewestStops(documentColors(*line), 1), (std::vector<int>{0, 511}));
    EXPECT_GT(fewestStops(documentColors(*line), 0).size(), 2u);
    auto flat = test::flatLevels(1600, 10, 20, 30);
    EXPECT_EQ(fewestStops(documentColors(*flat), 0), (std::vector<int>{0, 1599}));
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
        f == ExchangeFormat::Css   ? R"x(rgb\((\d+) (\d+) (\d+)\) ([\d.]+)%)x"
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
        if (f == ExchangeFormat::Css) {
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
        doc->cmy = c.cmy;
        doc->direction = c.direction;
        const std::vector<Rgb8> shown = documentColors(*doc);
        const std::size_t fewest = fewestStops(shown, c.tolerance).size();
        for (ExchangeFormat f : {ExchangeFormat::Css, ExchangeFormat::Svg, ExchangeFormat::Ggr,
                                 ExchangeFormat::Cpt, ExchangeFormat::Json}) {
            const std::string text = exportColorTable(*doc, f, {c.tolerance, "a<b"});
            const std::vector<Stop> stops = readStops(f, text);
            // Segment formats repeat each inner stop as the next segment's start.
            const bool segments = f == ExchangeFormat::Ggr || f == ExchangeFormat::Cpt;
            ASSERT_EQ(stops.size(), segments ? 2 * (fewest - 1) : fewest) << text;
            for (int j = 0; j < c.length; ++j) {
                for (int ch = 0; ch < 3; ++ch) {
                    // CMY documents give the colours as shown.
                    const int level = doc->colorLine.level(ch, j);
                    ASSERT_LE(
                        std::abs(levelAt(stops, c.length, j, ch) - (c.cmy ? 255 - level : level)),
                        c.tolerance)
                        << formatInfo(f).name << " L=" << c.length << " dot " << j;
                }
            }
        }
        const std::string csv = exportColorTable(*doc, ExchangeFormat::Csv, {});
        const Rgb8 last = shown.back();
        EXPECT_TRUE(csv.starts_with("dot,r,g,b\n0,"));
        EXPECT_TRUE(csv.ends_with("\n" + std::to_string(c.length - 1) + "," +
                                  std::to_string(last.r) + "," + std::to_string(last.g) + "," +
                                  std::to_string(last.b) + "\n"));
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

} // namespace
} // namespace spectrane
