// What the editing procedures work on, bundled by reference: the document, the drawing buffers
// and colours, the editing state, and the host through which editing reaches the user interface.
#pragma once

#include "editing/edit_state.h"
#include "raster/text_renderer.h"
#include "views/bitmap_window_layout.h"
#include "views/channel_colors.h"
#include "views/graph_buffers.h"

#include <mutex>
#include <string_view>

namespace spectrane {

// Latest pointer position in content coordinates and the left button's state.
struct PointerSample {
    int x = 0;
    int y = 0;
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
    // The settings flag, true while point positions are shown under the plot. A pointer, so
    // that a flag of another type cannot bind to a temporary copy.
    const bool* showPointPositions;
    // Held by the drag worker while it draws one step, and by the paint handlers while they
    // copy the buffers; nullptr when nothing paints concurrently.
    std::mutex* bufferMutex = nullptr;
};

} // namespace spectrane
