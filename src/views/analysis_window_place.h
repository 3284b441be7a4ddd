// Where the analysis window goes: its client directly below the main window's plot, as wide as
// the plot's view and starting at the same screen x, so that dot j is under dot j; as high as
// the room below allows between the compact and the full picture, and moved up over the main
// window's lower edge where even the compact picture would leave the work area.
#pragma once

#include "views/bitmap_window_layout.h"

namespace spectrane {

struct AnalysisPlaceInput {
    ScreenRect workArea;  // the desktop's available area (right and bottom exclusive)
    ScreenRect mainOuter; // the main window, frame and menu included
    int plotLeft = 0;     // screen x of the main canvas's left edge
    int plotWidth = 0;    // the main canvas's width
    int pictureWidth = 0; // analysisPictureWidth(L): wider is never needed
    // What the window manager adds around the analysis window's client.
    int frameLeft = 0;
    int frameTop = 0;
    int frameRight = 0;
    int frameBottom = 0;
};

// The analysis window's client rectangle in screen coordinates. The outer rectangle (client
// plus frame) lies inside the work area whenever the work area can hold the compact picture;
// the client starts at plotLeft.
ScreenRect placeAnalysisWindow(const AnalysisPlaceInput& in);

} // namespace spectrane
