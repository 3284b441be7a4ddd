// The SVG and CSS readers on what other programs write: href chains, styles and names, noted
// transforms, colour hints, repeating gradients, errors on their line.
#include "exchange/gradient_import.h"
#include "exchange/gradient_readers.h"

#include <gtest/gtest.h>

namespace spectrane {
namespace {

TEST(SvgReader, StopsThroughHrefStylesAndNames) {
    struct Case {
        const char* what;
        std::string svg;
        int direction;
        std::vector<Rgb8> colors; // at 3 dots
        const char* note;         // a part of the note, or ""
    };
    // Inkscape's way: the gradient drawn names the one that holds the stops.
    const std::string holder = "<linearGradient id=\"stops\"><stop offset=\"0\" style=\"stop-color:"
                               "#102030;stop-opacity:1\"/><stop offset=\"1\" style=\"stop-color:"
                               "#d0e0f0\"/></linearGradient>";
    // clang-format off
    const Case cases[] = {
        {"xlink:href, vector inherited through two links",
         "<svg><linearGradient id=\"drawn\" xlink:href=\"#mid\"/><linearGradient id=\"mid\" "
         "href=\"#stops\" x1=\"0\" y1=\"1\" x2=\"0\" y2=\"0\"/>" + holder + "</svg>",
         3, {{16, 32, 48}, {112, 128, 144}, {208, 224, 240}}, "href"},
        {"the gradient a shape paints with, not the first in the file",
         "<svg>" + holder + "<linearGradient id='v' href='#stops' x2='0' y2='1'/>"
         "<rect fill='url(#v)'/></svg>",
         1, {{16, 32, 48}, {112, 128, 144}, {208, 224, 240}}, "href"},
        {"radial holder, names in both cases, style over attribute",
         "<svg><linearGradient href='#r' x2='-1'/><radialGradient id='r'><stop offset='0' "
         "stop-color='red' style='stop-color: DarkSlateBlue'/><stop offset='100%' "
         "stop-color='chartreuse'/></radialGradient></svg>",
         2, {{72, 61, 139}, {100, 158, 70}, {127, 255, 0}}, ""},
        {"transform and spread noted",
         "<svg><linearGradient gradientTransform='rotate(90)' spreadMethod='reflect'><stop "
         "stop-color='#000'/><stop offset='1' stop-color='#fff'/></linearGradient></svg>",
         0, {{0, 0, 0}, {128, 128, 128}, {255, 255, 255}}, "gradientTransform"},
    };
    // clang-format on
    for (const Case& c : cases) {
        const GradientReadResult r = readSvgGradient(std::string_view(c.svg));
        ASSERT_TRUE(r.gradient) << c.what << ": " << r.error;
        EXPECT_EQ(r.gradient->direction, c.direction) << c.what;
        EXPECT_EQ(sampleGradient(*r.gradient, 3), c.colors) << c.what;
        EXPECT_NE(r.gradient->note.find(c.note), std::string::npos) << c.what;
    }
    const GradientReadResult spread = readSvgGradient(std::string_view(cases[3].svg));
    EXPECT_NE(spread.gradient->note.find("spreadMethod 'reflect'"), std::string::npos);
}

TEST(SvgReader, RefusalsNameTheirLine) {
    const std::pair<const char*, const char*> cases[] = {
        {"<svg>\n<linearGradient href=\"#none\"/></svg>",
         "line 2: href '#none': no gradient has that id"},
        {"<svg>\n\n<linearGradient id='a' href='#b'/><linearGradient id='b' href='#a'/></svg>",
         "line 3: the gradients' href go round in a loop"},
        {"<svg><linearGradient>\n<stop offset='0'/>\n<stop offset='1' stop-color='nope'/>"
         "</linearGradient></svg>",
         "line 3: the colour 'nope' is not"},
        {"<svg><linearGradient href='http://x/#a'/></svg>", "line 1: href 'http://x/#a' does not"},
    };
    for (const auto& [svg, error] : cases) {
        const GradientReadResult r = readSvgGradient(svg);
        EXPECT_FALSE(r.gradient) << svg;
        EXPECT_TRUE(r.error.starts_with(error)) << r.error;
    }
}

// Hints bend the blend to p^(log 0.5 / log h) (worked out here by hand), a hint on a stop makes
// a jump, and a repeating gradient's period comes in as a loop sampled at pixel centres.
TEST(CssReader, HintsTwoPositionStopsAndRepeatingGradients) {
    struct Case {
        const char* css;
        std::vector<Rgb8> colors;
        bool loop;
    };
    const Case cases[] = {
        // h = 1/4: p^(1/2) at the pixel centres p = 0.1, 0.3, 0.5, 0.7, 0.9 is 0.3162, 0.5477,
        // 0.7071, 0.8367, 0.9487.
        {"linear-gradient(to right, rgb(0 255 40), 25%, rgb(255 0 40))",
         {{81, 174, 40}, {140, 115, 40}, {180, 75, 40}, {213, 42, 40}, {242, 13, 40}},
         false},
        {"linear-gradient(90deg, red 0% 40%, 40%, blue 60% 100%)",
         {{255, 0, 0}, {255, 0, 0}, {0, 0, 255}, {0, 0, 255}, {0, 0, 255}},
         false},
        // One period, 10% to 30%, its four pixels' centres at 1/8, 3/8, 5/8, 7/8 of it.
        {"a { background: repeating-linear-gradient(to right, #000 10%, #f08040 30%) }",
         {{30, 16, 8}, {90, 48, 24}, {150, 80, 40}, {210, 112, 56}},
         true},
    };
    for (const Case& c : cases) {
        const std::string css = c.css;
        ImportOptions options;
        options.length = static_cast<int>(c.colors.size());
        options.tolerance = 0;
        const ImportResult r = importGradient(
            "c.css", {reinterpret_cast<const std::uint8_t*>(css.data()), css.size()}, options);
        ASSERT_TRUE(r) << c.css << ": " << r.error;
        EXPECT_EQ(r.document->loop, c.loop) << c.css;
        EXPECT_EQ(documentColors(*r.document), c.colors) << c.css;
    }
    const std::pair<const char*, const char*> refused[] = {
        {"linear-gradient(red, 50%)", "line 1: a colour hint must come between two colour stops"},
        {"linear-gradient(45deg)", "line 1: a gradient needs two colour stops"},
        {"linear-gradient(red,\n 10%, 20%, blue)", "line 2: a colour hint must come between"},
        {"repeating-linear-gradient(red 50%, blue 50%)", "line 1: the repeating gradient's last"},
    };
    for (const auto& [css, error] : refused) {
        const GradientReadResult r = readCssGradient(css);
        EXPECT_FALSE(r.gradient) << css;
        EXPECT_TRUE(r.error.starts_with(error)) << r.error;
    }
}

} // namespace
} // namespace spectrane
