// The curve editor's state shared by the UI thread and the drag worker, the interface through
// which editing reaches the user interface, and the context record that bundles what the
// editing procedures work on.
#pragma once

#include "model/gradation_document.h"
#include "raster/text_renderer.h"
#include "views/bitmap_window_layout.h"
#include "views/channel_colors.h"
#include "views/graph_buffers.h"

#include <array>
#include <cstdint>
#include <mutex>
#include <string_view>

namespace spectrane {

// The document settings a drag works with, copied at the press.
struct DragSnapshot {
    std::int32_t length = 512;
    std::int32_t thickness = 192;
    std::int32_t direction = 1;
    std::int32_t cmy = 0;
    std::int32_t synchro = 0;
    std::array<std::int32_t, kChannelCount> synchroChannels{};
    std::int32_t loop = 0;
    // Top-left of the gradation picture inside GradationBuffer (the gradation window's margins).
    std::int32_t gradationLeft = kBitmapMargin;
    std::int32_t gradationTop = kBitmapMargin;
};

struct EditState {
    std::int32_t hoveredPoint = -1; // highlighted anchor of the current channel, -1 for none
    bool dragging = false;
    std::int32_t grabOffsetX = 0; // anchor minus press position, truncated toward zero
    std::int32_t grabOffsetY = 0;
    DragSnapshot dragSnapshot;
    double inverseAx = 0.0; // control point = (anchor - A) * K for the pressed anchor
    double inverseAy = 0.0;
    double inverseK = 1.0;
    std::int32_t ringCentreX = 0; // horizontal centre of the position read-out
    std::int32_t ringSaveX = 0;   // top-left in MainBuffer of the pixels kept in ringSave
    std::int32_t ringSaveY = 0;
    std::int32_t readoutLeft = 0; // x range of the last read-out box
    std::int32_t readoutRight = 0;
    // Control polygon not strictly increasing in x at the last step, and at the one before.
    bool disorder = false;
    bool previousDisorder = false;
    // The dot and level the point position window leaves for the set-position command.
    std::int32_t positionDot = 0;
    std::int32_t positionLevel = 0;
};

// Latest pointer position in content coordinates and the left button's state.
struct PointerSample {
    std::int32_t x = 0;
    std::int32_t y = 0;
    bool leftDown = false;
};

// The only way from the editing code back to the user interface. Methods marked "worker" may be
// called on the drag worker thread; the others only on the UI thread.
class EditorHost {
public:
    virtual ~EditorHost() = default;

    // Worker and UI: repaint the main window from MainBuffer (no erase). Never waits.
    virtual void invalidateMainWindow() = 0;
    // Worker and UI: repaint the gradation window if it is open; false when it is not. Never
    // waits.
    virtual bool invalidateBitmapWindow() = 0;
    // Worker and UI: give the processor away for about 1 ms after an invalidation.
    virtual void yieldAfterInvalidate() = 0;
    // UI: message box titled "メッセージ" with an OK button; returns once it was closed.
    virtual void messageBox(std::string_view text) = 0;
    // Worker, at start-up: show the gradation window without activating it, on top when so set
    // or right behind the main window. Returns once the UI thread has done it (or shut down).
    virtual void showBitmapWindow() = 0;
    // Worker, at start-up: run the title window; returns once it was closed (or shut down).
    virtual void runTitleWindow() = 0;
    // Worker: the pointer position and left button as the UI thread last published them.
    virtual PointerSample pollPointer() = 0;
    // Worker: a job has ended (the idle event is already signalled). Never waits.
    virtual void workerDone() = 0;
};

// Everything the editing procedures read and write, referenced from its owner (the main
// window's state in the program, a fixture in the tests).
struct EditorContext {
    GradationDocument& doc;
    GraphBuffers& buffers;
    const ChannelColors& colors;
    TextRenderer& text;
    EditState& edit;
    EditorHost& host;
    // Where the gradation window's picture lies in GradationBuffer (its margins).
    const BitmapWindowLayout& bitmapLayout;
    // The settings flag, non-zero while point positions are shown under the plot. A pointer,
    // so that a flag of another type cannot bind to a temporary copy.
    const std::uint8_t* showPointPositions;
    // Held by the drag worker while it draws one step, and by the paint handlers while they
    // copy the buffers; nullptr when nothing paints concurrently.
    std::mutex* bufferMutex = nullptr;
};

// Back to the start: no highlight, no drag; the order flags are kept.
inline void ResetEditState(EditState& edit) {
    edit.hoveredPoint = -1;
    edit.dragging = false;
}

} // namespace spectrane
