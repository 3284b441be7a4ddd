#include "views/bitmap_window_layout.h"
#include "views/main_layout.h"
#include "views/scroll_axis.h"

#include <gtest/gtest.h>

namespace spectrane {
namespace {

// One axis through a sequence of requests: lines of 2, pages of 16, a 16-bit thumb position,
// every step cut to 0..extent - client; a longer client pulls the position back.
TEST(WindowLayout, ScrollAxisStepsClampAndTrack) {
    using enum ScrollRequest;
    ScrollAxis a{1712, 1000, 0};
    EXPECT_EQ(a.page(), 1001);
    const std::tuple<ScrollRequest, int, int, int> steps[] = {
        {LineBack, 0, 0, 0},   {LineForward, 0, 2, 2},  {PageForward, 0, 16, 18},
        {PageBack, 0, -16, 2}, {Track, 5000, 710, 712}, {LineForward, 0, 0, 712},
        {Other, 0, 0, 712},    {Track, 100, -612, 100}, {Track, 65536 + 300, 200, 300},
    };
    for (const auto& [request, track, step, pos] : steps) {
        EXPECT_EQ(a.scroll(request, track), step);
        EXPECT_EQ(a.pos, pos);
    }
    a.pos = 712;
    a.resize(1700);
    EXPECT_EQ(a.pos, 12);
    a.resize(2000);
    EXPECT_EQ(a.pos, 0);
    EXPECT_EQ(a.scroll(PageForward), 0);
}

constexpr WindowFrame kFrame{0, 20, 16, 16}; // a 20-pixel menu bar, 16-pixel scroll bars

// The main window: content L + 112 (at least 300) x 490, centred across the work area and a
// third of the way down, cut to the work area where it would not fit.
TEST(WindowLayout, MainWindowCentredOrCutToTheWorkArea) {
    const std::array<int, 9> rows[] = {
        // length, work area, content width, outer x, y, width, height, client height
        {512, 1920, 1080, 624, 648, 184, 624, 526, 490},
        {100, 1920, 1080, 300, 810, 184, 300, 526, 490},
        {1600, 1024, 400, 1712, 0, 0, 1024, 400, 364},
    };
    for (const auto& [l, workW, workH, content, x, y, width, height, client] : rows) {
        const MainLayout m = layoutMainWindow(l, workW, workH, kFrame);
        EXPECT_EQ((std::array{m.contentWidth, m.outer.x, m.outer.y, m.outer.width, m.outer.height,
                              m.vertical.client}),
                  (std::array{content, x, y, width, height, client}));
    }
}

// The gradation window: the picture with 24-pixel margins (a short one centred in 104), placed
// 128 left of the main window and 80 below it inside the work area; a vertical one longer than
// the work area is cut to it at y 0. Resizing across sets the thickness, at most 1200.
TEST(WindowLayout, GradationWindowMarginsAndPlace) {
    const ScreenRect main{100, 100, 624, 526};
    const BitmapWindowLayout tiny = layoutBitmapWindow(0, 2, 192, 1920, 1080, main, kFrame);
    EXPECT_EQ((std::array{tiny.bufferWidth, tiny.marginX}), (std::array{104, 51}));
    BitmapWindowLayout h = layoutBitmapWindow(0, 512, 192, 1920, 1080, main, kFrame);
    EXPECT_EQ((std::array{h.bufferWidth, h.bufferHeight, h.outer.x, h.outer.y + h.outer.height}),
              (std::array{560, 240, 0, 626 + 80}));
    int thickness = 192;
    EXPECT_FALSE(resizeBitmapWindow(h, 400, 240, thickness)); // along only: no new picture
    EXPECT_TRUE(resizeBitmapWindow(h, 400, 1248, thickness));
    EXPECT_EQ(thickness, 1200);
    BitmapWindowLayout v = layoutBitmapWindow(1, 1600, 192, 1920, 1080, main, kFrame);
    EXPECT_EQ((std::array{v.imageWidth, v.imageHeight, v.outer.y, v.outer.height}),
              (std::array{192, 1600, 0, 1080}));
    EXPECT_EQ(v.along.scroll(ScrollRequest::Track, 5000), 1648 - v.clientHeight);
}

} // namespace
} // namespace spectrane
