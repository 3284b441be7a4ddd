// Binds a QScrollBar to a ScrollAxis so that arrows step by 2, page clicks by 16 and the thumb
// tracks, with the axis deciding the position.
#pragma once

#include "views/scroll_axis.h"

#include <QScrollBar>

#include <functional>

namespace spectrane {

// Range, thumb size and position of `bar` from `axis`; disabled when nothing can scroll.
void applyScrollAxis(QScrollBar* bar, const ScrollAxis& axis);

// Turns a wheel's angle (eighths of a degree) into line steps, as many per notch as the desktop
// asks for; `pending` keeps what is turned but not yet a notch. Wheeled away from the user (a
// positive angle) gives negative steps: back along the axis.
int wheelLineSteps(int& pending, int angle);

// Calls `scrolled(request, trackPos)` for every user action on `bar`; the handler moves the
// axis and returns its new position, which the bar then shows.
void bindScrollBar(QScrollBar* bar, const std::function<int(ScrollRequest, int)>& scrolled);

} // namespace spectrane
