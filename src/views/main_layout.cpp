#include "views/main_layout.h"

#include "model/gradation_render.h"

namespace spectrane {

MainLayout layoutMainWindow(int length, int workRight, int workBottom, const WindowFrame& frame) {
    MainLayout l;
    l.length = length;
    l.contentWidth = mainContentWidth(length);
    l.maxTrackWidth = l.contentWidth + frame.extraWidth;
    l.maxTrackHeight = kMainContentHeight + frame.scrollBarHeight + frame.extraHeight;
    l.outer.width = l.maxTrackWidth < workRight ? l.maxTrackWidth : workRight;
    l.outer.height = l.maxTrackHeight < workBottom ? l.maxTrackHeight : workBottom;
    l.outer.x = (workRight - l.outer.width) / 2;
    l.outer.y = (workBottom - l.outer.height) / 3;
    l.horizontal.extent = l.contentWidth;
    l.horizontal.client = l.contentWidth - (l.maxTrackWidth - l.outer.width);
    l.vertical.extent = kMainContentHeight;
    l.vertical.client = kMainContentHeight - (l.maxTrackHeight - l.outer.height);
    return l;
}

void resizeMainWindow(MainLayout& l, int cw, int ch) {
    l.horizontal.resize(cw);
    l.vertical.resize(ch);
}

std::array<BoxPlace, 3> synchroBoxPlaces(const MainLayout& l) {
    std::array<BoxPlace, 3> places;
    for (int ch = 0; ch < 3; ++ch) {
        places[ch] = {18 - l.horizontal.pos, colorBarTop(ch + 1) - l.vertical.pos};
    }
    return places;
}

} // namespace spectrane
