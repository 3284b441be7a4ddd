// What the window manager puts around a top-level window: known for a window only once the
// manager has framed it (_NET_FRAME_EXTENTS on X11), so placements before that borrow the
// frame of a window that is already framed.
#pragma once

#include <QMargins>
#include <QRect>

#include <functional>

class QWidget;

namespace spectrane {

// The frame around `window`, or, while that is not known yet, around `fallback`; zero when
// neither is known (as on a platform without a window manager).
QMargins windowFrameOf(const QWidget* window, const QWidget* fallback = nullptr);

// Puts a top-level window so that its outer frame covers `outer`, given the frame the window
// manager puts around it.
void placeTopLevel(QWidget* window, const QRect& outer, const QMargins& frame);

// Calls `placed` once the window manager has framed the shown `window`, so that a placement
// made before can be made again with the real frame. Gives up after about a second.
void whenFramed(QWidget* window, std::function<void()> placed);

} // namespace spectrane
