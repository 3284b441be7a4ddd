#include "views/bitmap_window_layout.h"

#include <algorithm>

namespace spectrane {

namespace {

// Places one axis of the window: cut to the work area when too long, else at `preferred`
// pulled back inside 0..limit. Returns how much of the size was cut.
int placeAxis(int& origin, int& size, int preferred, int limit) {
    if (size > limit) {
        const int cut = size - limit;
        origin = 0;
        size = limit;
        return cut;
    }
    origin = preferred;
    if (origin < 0) {
        origin = 0;
    } else if (origin + size > limit) {
        origin = limit - size;
    }
    return 0;
}

} // namespace

BitmapWindowLayout layoutBitmapWindow(int direction, int length, int thickness, int workRight,
                                      int workBottom, const ScreenRect& mainOuter,
                                      const WindowFrame& frame) {
    BitmapWindowLayout l;
    l.vertical = (direction & 1) != 0;
    // Along and across the gradation, then mapped onto x and y.
    int margin = kBitmapMargin;
    int bufferAlong = length + 2 * kBitmapMargin;
    if (bufferAlong < kBitmapMinClient) {
        bufferAlong = kBitmapMinClient;
        margin = (kBitmapMinClient - length) / 2;
    }
    const int clientAcross = thickness + 2 * kBitmapMargin;
    if (l.vertical) {
        l.imageWidth = thickness;
        l.imageHeight = length;
        l.marginY = margin;
        l.bufferWidth = clientAcross;
        l.bufferHeight = bufferAlong;
    } else {
        l.imageWidth = length;
        l.imageHeight = thickness;
        l.marginX = margin;
        l.bufferWidth = bufferAlong;
        l.bufferHeight = clientAcross;
    }
    l.clientWidth = l.bufferWidth;
    l.clientHeight = l.bufferHeight;

    // The scroll bar along the gradation is part of the window's outer size.
    const int barW = l.vertical ? frame.scrollBarWidth : 0;
    const int barH = l.vertical ? 0 : frame.scrollBarHeight;
    l.outer.width = l.clientWidth + frame.extraWidth + barW;
    l.outer.height = l.clientHeight + frame.extraHeight + barH;
    l.minTrackWidth = kBitmapMinClient + frame.extraWidth + barW;
    l.minTrackHeight = kBitmapMinClient + frame.extraHeight + barH;
    if (l.vertical) {
        l.maxTrackWidth = kBitmapMaxClientAcross + frame.extraWidth + barW;
        l.maxTrackHeight = l.outer.height;
    } else {
        l.maxTrackWidth = l.outer.width;
        l.maxTrackHeight = kBitmapMaxClientAcross + frame.extraHeight + barH;
    }

    l.clientWidth -=
        placeAxis(l.outer.x, l.outer.width, mainOuter.x - kBitmapWindowLeftOfMain, workRight);
    l.clientHeight -=
        placeAxis(l.outer.y, l.outer.height,
                  mainOuter.bottom() + kBitmapWindowBelowMain - l.outer.height, workBottom);

    l.along.extent = l.vertical ? l.bufferHeight : l.bufferWidth;
    l.along.client = l.vertical ? l.clientHeight : l.clientWidth;
    l.along.pos = 0;
    return l;
}

bool resizeBitmapWindow(BitmapWindowLayout& l, int w, int h, int& thickness) {
    const int oldAcross = l.vertical ? l.clientWidth : l.clientHeight;
    l.clientWidth = w;
    l.clientHeight = h;
    l.along.resize(l.vertical ? h : w);
    const int across = l.vertical ? w : h;
    if (across == oldAcross) {
        return false;
    }
    // The tracking limits keep this within 56..1200; a window manager that ignores them
    // must still not produce an empty or oversized picture.
    thickness = std::clamp(across - 2 * kBitmapMargin, 1, kMaxThickness);
    if (l.vertical) {
        l.bufferWidth = thickness + 2 * l.marginX;
        l.imageWidth = thickness;
    } else {
        l.bufferHeight = thickness + 2 * l.marginY;
        l.imageHeight = thickness;
    }
    return true;
}

std::string bitmapWindowTitle(const BitmapWindowLayout& l) {
    return "Gradation BitMap [ " + std::to_string(l.imageWidth) + " * " +
           std::to_string(l.imageHeight) + " ]  Spectrane";
}

} // namespace spectrane
