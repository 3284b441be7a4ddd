#include "views/scroll_axis.h"

#include <cstdint>

namespace spectrane {

void ScrollAxis::resize(int newClient) {
    client = newClient;
    if (pos + client > extent) {
        pos = extent - client;
    }
    if (pos < 0) {
        pos = 0;
    }
}

int ScrollAxis::scroll(ScrollRequest request, int trackPos) {
    int step = 0;
    switch (request) {
    case ScrollRequest::LineBack:
        step = -kScrollLineStep;
        break;
    case ScrollRequest::LineForward:
        step = kScrollLineStep;
        break;
    case ScrollRequest::PageBack:
        step = -kScrollPageStep;
        break;
    case ScrollRequest::PageForward:
        step = kScrollPageStep;
        break;
    case ScrollRequest::Track:
        // The thumb reports 16-bit positions; the difference is taken the same way.
        step = static_cast<std::int16_t>(static_cast<std::uint16_t>(trackPos - pos));
        break;
    case ScrollRequest::Other:
        break;
    }
    const int largest = maxPos() < 0 ? 0 : maxPos();
    if (pos + step > largest) {
        step = largest - pos;
    }
    if (pos + step < 0) {
        step = -pos;
    }
    pos += step;
    return step;
}

} // namespace spectrane
