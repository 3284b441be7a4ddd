// The curve editor's state, shared by the UI thread and the drag worker (the worker idle event
// says which of them owns it): the highlight, the drag recorded at the press, the hover ring's
// save-under and the order flags that choose a step's path.
#pragma once

#include "model/gradation_document.h"
#include "views/bitmap_window_layout.h"

#include <cstdint>

namespace spectrane {

// The document settings a drag works with, copied at the press, and where the gradation
// window's picture lies in GradationBuffer (its margins).
struct DragSnapshot : GradationSettings {
    int thickness = kDefaultThickness;
    int gradationLeft = kBitmapMargin;
    int gradationTop = kBitmapMargin;
};

struct EditState {
    int hoveredPoint = -1; // highlighted anchor of the current channel, -1 for none
    bool dragging = false;
    int pressX = 0; // where the drag's press was, until the pointer first leaves it
    int pressY = 0;
    bool pointerMoved = false;
    int grabOffsetX = 0; // anchor minus press position, truncated toward zero
    int grabOffsetY = 0;
    DragSnapshot dragSnapshot;
    double inverseAx = 0.0; // control point = (anchor - A) * K for the pressed anchor
    double inverseAy = 0.0;
    double inverseK = 1.0;
    int ringCentreX = 0; // horizontal centre of the position read-out
    int ringSaveX = 0;   // top-left in MainBuffer of the pixels kept in ringSave
    int ringSaveY = 0;
    int readoutLeft = 0; // x range of the last read-out box
    int readoutRight = 0;
    // Control polygon not strictly increasing in x at the last step, and at the one before.
    bool disorder = false;
    bool previousDisorder = false;
    // The dot and level the point position window leaves for the set-position command.
    int positionDot = 0;
    int positionLevel = 0;
};

// Back to the start: no highlight, no drag; the order flags are kept.
inline void ResetEditState(EditState& edit) {
    edit.hoveredPoint = -1;
    edit.dragging = false;
}

} // namespace spectrane
