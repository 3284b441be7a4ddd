// Geometry of the main window for a gradation length: the content picture, the window's size
// and place in the work area, its tracking limits, both scroll bars and the synchro check
// boxes that stay glued to their colour bars while scrolling.
#pragma once

#include "views/bitmap_window_layout.h"
#include "views/scroll_axis.h"

#include <array>

namespace spectrane {

// The smallest client the user may shrink the main window to.
inline constexpr int kMainMinClientWidth = 300;
inline constexpr int kMainMinClientHeight = 200;

struct MainLayout {
    int length = 0;
    int contentWidth = 0;
    ScrollAxis horizontal;
    ScrollAxis vertical;
    ScreenRect outer; // window place and size, frame and menu included
    int maxTrackWidth = 0;
    int maxTrackHeight = 0;
};

// `frame.extraHeight` counts the menu bar as well as the window frame.
MainLayout layoutMainWindow(int length, int workRight, int workBottom, const WindowFrame& frame);

// The client became cw x ch: keep both scroll positions inside the content.
void resizeMainWindow(MainLayout& layout, int cw, int ch);

struct BoxPlace {
    int x = 0;
    int y = 0;
    friend bool operator==(const BoxPlace&, const BoxPlace&) = default;
};

// Top-left corners of the three 15 x 15 synchro check boxes in client coordinates: beside the
// colour bars of channels 0, 1, 2, moved by the scroll positions.
std::array<BoxPlace, 3> synchroBoxPlaces(const MainLayout& layout);

} // namespace spectrane
