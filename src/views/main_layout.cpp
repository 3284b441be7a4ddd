#include "views/main_layout.h"

#include "model/canvas_geometry.h"
#include "views/graph_painter.h"

namespace spectrane {

MainLayout layoutMainWindow(int length, int workRight, int workBottom, const WindowFrame& frame) {
    MainLayout l;
    l.length = length;
    constexpr int contentHeight = CanvasGeometry::kContentHeight;
    l.contentWidth = CanvasGeometry::forLength(length).contentWidth();
    l.maxTrackWidth = l.contentWidth + frame.extraWidth;
    l.maxTrackHeight = contentHeight + frame.scrollBarHeight + frame.extraHeight;
    l.outer.width = l.maxTrackWidth < workRight ? l.maxTrackWidth : workRight;
    l.outer.height = l.maxTrackHeight < workBottom ? l.maxTrackHeight : workBottom;
    l.outer.x = (workRight - l.outer.width) / 2;
    l.outer.y = (workBottom - l.outer.height) / 3;
    l.horizontal.extent = l.contentWidth;
    l.horizontal.client = l.contentWidth - (l.maxTrackWidth - l.outer.width);
    l.vertical.extent = contentHeight;
    l.vertical.client = contentHeight - (l.maxTrackHeight - l.outer.height);
    return l;
}

void resizeMainWindow(MainLayout& l, int cw, int ch) {
    l.horizontal.resize(cw);
    l.vertical.resize(ch);
}

std::array<BoxPlace, 3> synchroBoxPlaces(const MainLayout& l) {
    std::array<BoxPlace, 3> places;
    const SynchroBoxPlaces content = SynchroCheckBoxPlaces();
    for (int ch = 0; ch < 3; ++ch) {
        places[ch] = {content[ch].x - l.horizontal.pos, content[ch].y - l.vertical.pos};
    }
    return places;
}

} // namespace spectrane
