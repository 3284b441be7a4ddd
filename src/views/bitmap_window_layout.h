// Geometry of the gradation window: the picture with its margins in GradationBuffer, the client
// and outer sizes, the place beside the main window, scrolling along the gradation and the
// thickness that follows resizing across it.
#pragma once

#include "views/scroll_axis.h"

#include <string>

namespace spectrane {

inline constexpr int kBitmapMargin = 24;
inline constexpr int kBitmapMinClient = 104;
inline constexpr int kBitmapMaxClientAcross = 1248; // thickness at most 1200
inline constexpr int kMaxThickness = kBitmapMaxClientAcross - 2 * kBitmapMargin;
// The window's preferred place: its left edge this far left of the main window's, and its
// bottom edge this far below the main window's.
inline constexpr int kBitmapWindowLeftOfMain = 128;
inline constexpr int kBitmapWindowBelowMain = 80;

// What the window system adds around a client area.
struct WindowFrame {
    int extraWidth = 0;      // outer width minus client width
    int extraHeight = 0;     // outer height minus client height
    int scrollBarWidth = 0;  // a vertical scroll bar's width
    int scrollBarHeight = 0; // a horizontal scroll bar's height
};

struct ScreenRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int right() const { return x + width; }
    int bottom() const { return y + height; }
};

struct BitmapWindowLayout {
    bool vertical = false;
    int marginX = kBitmapMargin;
    int marginY = kBitmapMargin;
    int imageWidth = 0;
    int imageHeight = 0;
    int bufferWidth = 0;
    int bufferHeight = 0;
    int clientWidth = 0;
    int clientHeight = 0;
    ScreenRect outer;      // window place and size, frame included
    int maxTrackWidth = 0; // largest outer size the user may drag the window to
    int maxTrackHeight = 0;
    int minTrackWidth = 0; // outer size of a 104 x 104 client
    int minTrackHeight = 0;
    ScrollAxis along; // the scroll bar along the gradation; the other axis has none
};

// Lays the window out for a gradation of `length` dots and `thickness` pixels in `direction`,
// placed against the work area's right and bottom edges and below-left of the main window.
BitmapWindowLayout layoutBitmapWindow(int direction, int length, int thickness, int workRight,
                                      int workBottom, const ScreenRect& mainOuter,
                                      const WindowFrame& frame);

// The client became w x h. Keeps the scroll position inside the buffer and, when the extent
// across the gradation changed, sets the new thickness. Returns true when the picture must be
// framed and rendered again.
bool resizeBitmapWindow(BitmapWindowLayout& layout, int w, int h, int& thickness);

// "Gradation BitMap [ w * h ]  Spectrane"
std::string bitmapWindowTitle(const BitmapWindowLayout& layout);

// Offset of the client into the buffer.
inline int bitmapScrollX(const BitmapWindowLayout& l) {
    return l.vertical ? 0 : l.along.pos;
}
inline int bitmapScrollY(const BitmapWindowLayout& l) {
    return l.vertical ? l.along.pos : 0;
}

} // namespace spectrane
