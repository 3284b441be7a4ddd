// One scroll bar's state as both windows keep it: a picture `extent` pixels long seen through a
// client `client` pixels long, scrolled by 2 per line, 16 per page, or to a tracked thumb.
#pragma once

namespace spectrane {

enum class ScrollRequest { LineBack, LineForward, PageBack, PageForward, Track, Other };

inline constexpr int kScrollLineStep = 2;
inline constexpr int kScrollPageStep = 16;

struct ScrollAxis {
    int extent = 0; // content length in pixels
    int client = 0; // visible length in pixels
    int pos = 0;    // offset of the client into the content

    // Largest position; negative when the content is shorter than the client.
    int maxPos() const { return extent - client; }
    // Thumb size in the bar's units.
    int page() const { return client + 1; }
    bool canScroll() const { return maxPos() > 0; }

    // The client became `newClient` long: keep the position inside the content.
    void resize(int newClient);

    // Applies a scroll request (trackPos is the thumb position for Track) and returns the step
    // actually taken; 0 means nothing moved and nothing needs redrawing.
    int scroll(ScrollRequest request, int trackPos = 0);
};

} // namespace spectrane
