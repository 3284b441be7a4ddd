#include "model/gradation_render.h"
#include "views/bitmap_window_layout.h"
#include "views/main_layout.h"
#include "views/scroll_axis.h"

#include <gtest/gtest.h>

namespace spectrane {
namespace {

// One axis through a sequence of requests: lines of 2, pages of 16, a 16-bit thumb position,
// every step cut to 0..extent - client.
TEST(WindowLayout, ScrollAxisStepsClampAndTrack) {
    using enum ScrollRequest;
    ScrollAxis a{1712, 1000, 0};
    EXPECT_EQ(a.maxPos(), 712);
    EXPECT_EQ(a.page(), 1001);
    struct Step {
        ScrollRequest request;
        int track, step, pos;
    };
    for (const Step& s : {Step{LineBack, 0, 0, 0},
                          {LineForward, 0, 2, 2},
                          {PageForward, 0, 16, 18},
                          {PageBack, 0, -16, 2},
                          {Track, 5000, 710, 712},
                          {LineForward, 0, 0, 712},
                          {Other, 0, 0, 712},
                          {Track, 100, -612, 100},
                          {Track, 65536 + 300, 200, 300}}) {
        EXPECT_EQ(a.scroll(s.request, s.track), s.step);
        EXPECT_EQ(a.pos, s.pos);
    }
    // A longer client pulls the position back; one longer than the content pins it at 0.
    a.pos = 712;
    a.resize(1700);
    EXPECT_EQ(a.pos, 12);
    a.resize(2000);
    EXPECT_EQ(a.pos, 0);
    EXPECT_FALSE(a.canScroll());
    EXPECT_EQ(a.scroll(PageForward), 0);
}

constexpr WindowFrame kFrame{0, 20, 16, 16}; // a 20-pixel menu bar, 16-pixel scroll bars

// The main window: content L + 112 (at least 300) x 490, centred across the work area and a
// third of the way down, cut to the work area where it would not fit, then scrolling.
TEST(WindowLayout, MainWindowSizesPlacesAndScrolls) {
    struct Row {
        int length, workW, workH;
        int content, x, y, width, height, hClient, vClient;
    };
    for (const Row& r : {Row{512, 1920, 1080, 624, 648, 184, 624, 526, 624, 490},
                         {100, 1920, 1080, 300, 810, 184, 300, 526, 300, 490},
                         {1600, 1024, 600, 1712, 0, 24, 1024, 526, 1024, 490},
                         {1600, 1024, 400, 1712, 0, 0, 1024, 400, 1024, 364}}) {
        MainLayout m = layoutMainWindow(r.length, r.workW, r.workH, kFrame);
        EXPECT_EQ(m.contentWidth, r.content) << r.length;
        EXPECT_EQ(m.maxTrackWidth, r.content);
        EXPECT_EQ(m.maxTrackHeight, 490 + 16 + 20);
        EXPECT_EQ((std::array{m.outer.x, m.outer.y, m.outer.width, m.outer.height}),
                  (std::array{r.x, r.y, r.width, r.height}));
        EXPECT_EQ(m.horizontal.client, r.hClient);
        EXPECT_EQ(m.vertical.client, r.vClient);
        EXPECT_EQ(m.horizontal.canScroll(), r.hClient < r.content);
        EXPECT_EQ(m.vertical.canScroll(), r.vClient < 490);
    }
    // The synchro boxes stay beside their colour bars when the content scrolls.
    MainLayout m = layoutMainWindow(1600, 1024, 400, kFrame);
    m.vertical.scroll(ScrollRequest::PageForward);
    m.horizontal.pos = 40;
    const auto places = synchroBoxPlaces(m);
    for (int ch = 0; ch < 3; ++ch) {
        EXPECT_EQ(places[ch], (BoxPlace{18 - 40, colorBarTop(ch + 1) - 16}));
    }
}

// The gradation window: the picture with 24-pixel margins (a short one centred in 104),
// placed 128 left of the main window and 80 below it inside the work area; resizing across
// the gradation sets the thickness.
TEST(WindowLayout, GradationWindowMarginsSizesTitleAndThickness) {
    const ScreenRect main{100, 100, 624, 526};
    BitmapWindowLayout tiny = layoutBitmapWindow(0, 2, 192, 1920, 1080, main, kFrame);
    EXPECT_EQ(tiny.bufferWidth, 104);
    EXPECT_EQ(tiny.marginX, 51);
    EXPECT_EQ(tiny.minTrackWidth, 104);
    EXPECT_EQ(bitmapWindowTitle(tiny), "Gradation BitMap [ 2 * 192 ]  Spectrane");

    BitmapWindowLayout h = layoutBitmapWindow(0, 512, 192, 1920, 1080, main, kFrame);
    EXPECT_EQ((std::array{h.bufferWidth, h.bufferHeight, h.outer.width, h.outer.height}),
              (std::array{560, 240, 560, 240 + 20 + 16}));
    EXPECT_EQ(h.outer.x, 0); // 100 - 128, raised to 0
    EXPECT_EQ(h.outer.y, 626 + 80 - h.outer.height);
    EXPECT_EQ(h.maxTrackHeight, 1248 + 20 + 16);
    int thickness = 192;
    EXPECT_TRUE(resizeBitmapWindow(h, 560, 300, thickness));
    EXPECT_EQ(thickness, 252);
    EXPECT_EQ(bitmapWindowTitle(h), "Gradation BitMap [ 512 * 252 ]  Spectrane");
    EXPECT_FALSE(resizeBitmapWindow(h, 400, 300, thickness)); // along only: no new picture
    EXPECT_TRUE(h.along.canScroll());
    EXPECT_TRUE(resizeBitmapWindow(h, 400, 1248, thickness));
    EXPECT_EQ(thickness, 1200);

    // Vertical and longer than the work area: cut to it at y 0, scrolling along y.
    BitmapWindowLayout v = layoutBitmapWindow(1, 1600, 192, 1920, 1080, main, kFrame);
    EXPECT_TRUE(v.vertical);
    EXPECT_EQ((std::array{v.imageWidth, v.imageHeight, v.outer.y, v.outer.height}),
              (std::array{192, 1600, 0, 1080}));
    EXPECT_EQ(v.clientHeight, 1080 - 20);
    EXPECT_EQ(v.along.scroll(ScrollRequest::Track, 5000), 1648 - v.clientHeight);
    EXPECT_EQ(v.maxTrackWidth, 1248 + 16);
}

} // namespace
} // namespace spectrane
