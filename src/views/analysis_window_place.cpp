#include "views/analysis_window_place.h"

#include "views/analysis_picture.h"

#include <algorithm>

namespace spectrane {

ScreenRect placeAnalysisWindow(const AnalysisPlaceInput& in) {
    const int frameHeight = in.frameTop + in.frameBottom;
    const ScreenRect& work = in.workArea;
    // The room right below the main window, then what the picture can use of it.
    const int below = in.mainOuter.bottom();
    const int room = work.bottom() - below - frameHeight;
    int height = std::clamp(room, kAnalysisCompactPictureHeight, kAnalysisPictureHeight);
    height = std::max(1, std::min(height, work.height - frameHeight));
    const int outerY = std::max(work.y, std::min(below, work.bottom() - height - frameHeight));
    ScreenRect client;
    client.x = in.plotLeft;
    client.y = outerY + in.frameTop;
    client.width = std::max(1, std::min(in.plotWidth, in.pictureWidth));
    client.height = height;
    return client;
}

} // namespace spectrane
