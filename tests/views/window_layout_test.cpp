#include "views/bitmap_window_layout.h"
#include "views/main_layout.h"
#include "views/scroll_axis.h"

#include <gtest/gtest.h>

namespace spectrane {
namespace {

TEST(ScrollAxis, StepsClampAndTrack) {
    ScrollAxis a{1712, 1000, 0};
    EXPECT_EQ(a.maxPos(), 712);
    EXPECT_EQ(a.page(), 1001);
    EXPECT_EQ(a.scroll(ScrollRequest::LineBack), 0); // already at 0
    EXPECT_EQ(a.scroll(ScrollRequest::LineForward), 2);
    EXPECT_EQ(a.scroll(ScrollRequest::PageForward), 16);
    EXPECT_EQ(a.pos, 18);
    EXPECT_EQ(a.scroll(ScrollRequest::PageBack), -16);
    EXPECT_EQ(a.scroll(ScrollRequest::Track, 5000), 710); // cut at the largest position
    EXPECT_EQ(a.pos, 712);
    EXPECT_EQ(a.scroll(ScrollRequest::LineForward), 0);
    EXPECT_EQ(a.scroll(ScrollRequest::Other), 0);
    EXPECT_EQ(a.scroll(ScrollRequest::Track, 100), -612);

    // Growing the client pulls the position back; a client longer than the content pins it.
    a.resize(1700);
    EXPECT_EQ(a.pos, 12);
    a.resize(2000);
    EXPECT_EQ(a.pos, 0);
    EXPECT_FALSE(a.canScroll());
    EXPECT_EQ(a.scroll(ScrollRequest::PageForward), 0);
    EXPECT_EQ(a.pos, 0);
}

constexpr WindowFrame kNoFrame{0, 20, 16, 16}; // a 20-pixel menu bar, 16-pixel scroll bars

TEST(MainLayout, SizesPlacesAndScrollsForTheLength) {
    // L = 512 on a large work area: content 624 x 490, nothing scrolls.
    MainLayout big = layoutMainWindow(512, 1920, 1080, kNoFrame);
    EXPECT_EQ(big.contentWidth, 624);
    EXPECT_EQ(big.maxTrackWidth, 624);
    EXPECT_EQ(big.maxTrackHeight, 490 + 16 + 20);
    EXPECT_EQ(big.outer.width, 624);
    EXPECT_EQ(big.outer.x, (1920 - 624) / 2);
    EXPECT_EQ(big.outer.y, (1080 - 526) / 3);
    EXPECT_EQ(big.horizontal.client, 624);
    EXPECT_FALSE(big.horizontal.canScroll());
    EXPECT_FALSE(big.vertical.canScroll());

    // L = 100: the content is at least 300 wide.
    EXPECT_EQ(layoutMainWindow(100, 1920, 1080, kNoFrame).contentWidth, 300);

    // L = 1600 on a 1024 x 600 work area: cut to it, at x 0, and both axes scroll.
    MainLayout small = layoutMainWindow(1600, 1024, 600, kNoFrame);
    EXPECT_EQ(small.contentWidth, 1712);
    EXPECT_EQ(small.outer.x, 0);
    EXPECT_EQ(small.outer.width, 1024);
    EXPECT_EQ(small.outer.y, (600 - 526) / 3);
    EXPECT_EQ(small.outer.height, 526);
    EXPECT_EQ(small.horizontal.client, 1024);
    EXPECT_EQ(small.horizontal.maxPos(), 1712 - 1024);
    EXPECT_EQ(small.horizontal.scroll(ScrollRequest::LineForward), 2);
    EXPECT_EQ(small.horizontal.scroll(ScrollRequest::PageForward), 16);
    MainLayout shorter = layoutMainWindow(1600, 1024, 400, kNoFrame);
    EXPECT_EQ(shorter.vertical.client, 490 - 126);
    EXPECT_TRUE(shorter.vertical.canScroll());

    // The synchro boxes follow their colour bars when scrolled.
    small.vertical = {490, 300, 0};
    small.vertical.scroll(ScrollRequest::PageForward);
    small.horizontal.pos = 40;
    const auto places = synchroBoxPlaces(small);
    EXPECT_EQ(places[0], (BoxPlace{18 - 40, 394 - 16}));
    EXPECT_EQ(places[2], (BoxPlace{18 - 40, 442 - 16}));
}

TEST(BitmapWindowLayout, MarginsSizesTitleAndThickness) {
    const ScreenRect main{100, 100, 624, 526};
    // A short gradation is centred in a 104-pixel buffer.
    BitmapWindowLayout tiny = layoutBitmapWindow(0, 2, 192, 1920, 1080, main, kNoFrame);
    EXPECT_EQ(tiny.bufferWidth, 104);
    EXPECT_EQ(tiny.marginX, 51);
    EXPECT_EQ(tiny.minTrackWidth, 104);
    EXPECT_EQ(bitmapWindowTitle(tiny), "Gradation BitMap [ 2 * 192 ]  Spectrane");

    BitmapWindowLayout h = layoutBitmapWindow(0, 512, 192, 1920, 1080, main, kNoFrame);
    EXPECT_EQ(h.bufferWidth, 560);
    EXPECT_EQ(h.bufferHeight, 240);
    EXPECT_EQ(h.outer.width, 560);
    EXPECT_EQ(h.outer.height, 240 + 20 + 16);
    EXPECT_EQ(h.outer.x, 0); // 100 - 128 raised to 0
    EXPECT_EQ(h.outer.y, 626 + 80 - h.outer.height);
    EXPECT_EQ(h.maxTrackHeight, 1248 + 20 + 16);
    int thickness = 192;
    // A 300-pixel-high client: thickness 252, title follows.
    EXPECT_TRUE(resizeBitmapWindow(h, 560, 300, thickness));
    EXPECT_EQ(thickness, 252);
    EXPECT_EQ(bitmapWindowTitle(h), "Gradation BitMap [ 512 * 252 ]  Spectrane");
    EXPECT_FALSE(resizeBitmapWindow(h, 400, 300, thickness)); // only along: no re-render
    EXPECT_TRUE(h.along.canScroll());
    EXPECT_TRUE(resizeBitmapWindow(h, 400, 1248, thickness));
    EXPECT_EQ(thickness, 1200);

    // Vertical, longer than the work area: cut to it at y 0, scrolling along y.
    BitmapWindowLayout v = layoutBitmapWindow(1, 1600, 192, 1920, 1080, main, kNoFrame);
    EXPECT_TRUE(v.vertical);
    EXPECT_EQ(v.imageWidth, 192);
    EXPECT_EQ(v.imageHeight, 1600);
    EXPECT_EQ(v.outer.y, 0);
    EXPECT_EQ(v.outer.height, 1080);
    EXPECT_EQ(v.clientHeight, 1080 - 20);
    EXPECT_EQ(v.along.extent, 1648);
    EXPECT_EQ(v.along.scroll(ScrollRequest::Track, 5000), 1648 - v.clientHeight);
    EXPECT_EQ(v.maxTrackWidth, 1248 + 16);
}

} // namespace
} // namespace spectrane
