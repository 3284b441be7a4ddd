// Loop on and off: switching the loop on keeps every point; switching it off pins each
// channel's ends to the looped curve's levels there.
#pragma once

#include "model/shown_text.h"

#include "model/gradation_document.h"

namespace spectrane {

// Converts the control points of all three channels from a loop curve to an open one: the first
// control point becomes (56, old level at dot 0) and the last (55 + L, old level at dot L-1),
// adding a point at an end whose anchor does not already sit on it. Reads the anchors and the
// ColorLine of the looped curves. A full channel never grows past 256 points: where no slot is
// free, the point nearest that end is moved onto the end instead (the interior point nearest
// the end is dropped). Leaves doc.loop alone. Returns false, changing nothing, when the result
// could not be saved and read back (documentFault).
[[nodiscard]] bool convertLoopOff(GradationDocument& doc);

// Sets doc.loop, converting the points when the loop is switched off; a flag that already has
// that value changes nothing. Returns false, changing nothing, when the conversion is refused.
// Anchors and levels are left for the caller's rebuild (rebuildAllCurves).
[[nodiscard]] bool setLoop(GradationDocument& doc, bool loop);

// The message the program shows when switching the loop off is refused.
inline constexpr const char* kLoopChangeFailedMessage =
    QT_TRANSLATE_NOOP("Messages", "グラデーションのループの変更に失敗しました。");

} // namespace spectrane
