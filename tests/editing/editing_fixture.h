// Shared set-up of the editing tests: a document with its buffers rendered in full, a host
// that records what the editor asks of the user interface, and a scripted pointer.
#pragma once

#include "editing/editor_context.h"
#include "model/curve_rebuild.h"
#include "model/gradation_render.h"
#include "model/random_curves.h"
#include "raster/primitives.h"
#include "support/test_support.h"
#include "views/bitmap_window_layout.h"
#include "views/graph_painter.h"

#include <atomic>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace spectrane::test {

// Measures text like FakeTextRenderer (6 pixels a character) but draws nothing, so that a
// read-out leaves no trace beyond its black box.
class MeasuringTextRenderer : public TextRenderer {
public:
    void drawText(Surface&, int, int, std::string_view, const TextStyle&) override {}
    TextExtent measureText(std::string_view text, const TextStyle& style) override {
        return {static_cast<int>(text.size()) * 6, style.pixelHeight};
    }
};

class RecordingHost : public EditorHost {
public:
    void invalidateMainWindow() override { ++mainInvalidations; }
    bool invalidateBitmapWindow() override {
        ++bitmapInvalidations;
        return bitmapOpen;
    }
    void yieldAfterInvalidate() override {}
    void messageBox(std::string_view text) override { messages.emplace_back(text); }
    void showBitmapWindow() override {
        if (onShowBitmap) {
            onShowBitmap();
        }
    }
    void runTitleWindow() override {
        if (onTitle) {
            onTitle();
        }
    }
    PointerSample pollPointer() override {
        std::unique_lock lock(pointerMutex);
        ++polls;
        if (poll) {
            lock.unlock();
            return poll();
        }
        if (!script.empty()) {
            last = script.front();
            script.pop_front();
        }
        return last;
    }
    void workerDone() override { ++jobsDone; }

    std::atomic<int> mainInvalidations{0};
    std::atomic<int> bitmapInvalidations{0};
    std::atomic<int> jobsDone{0};
    std::atomic<int> polls{0};
    bool bitmapOpen = true;
    std::vector<std::string> messages;
    std::function<void()> onShowBitmap;
    std::function<void()> onTitle;
    // The pointer: `poll` when set, else the script (the last sample repeats once it runs out).
    std::mutex pointerMutex;
    std::deque<PointerSample> script;
    PointerSample last;
    std::function<PointerSample()> poll;
};

inline BitmapWindowLayout testBitmapLayout(const GradationDocument& doc) {
    return layoutBitmapWindow(doc.direction, doc.length, doc.thickness, 1920, 1080,
                              {0, 0, 700, 560}, WindowFrame{});
}

// Everything drawn from scratch for the document as it is: what the program shows after a
// whole-document refresh. Curves are re-derived and re-evaluated in `doc` first, unless
// `keepLevels` asks to draw the levels the document holds.
inline void renderFromScratch(GradationDocument& doc, GraphBuffers& b, const ChannelColors& colors,
                              TextRenderer& text, const BitmapWindowLayout& layout,
                              bool keepLevels = false) {
    DrawGraphBackground(b, doc.length);
    DrawMainFrame(b, doc.length, doc.cmy != 0, text);
    Surface& grad = b.gradationBuffer(doc.direction);
    fillRect(grad, {0, 0, grad.width(), grad.height()}, rgb(0, 0, 0));
    DrawBevel(grad, layout.marginX - 1, layout.marginY - 1, layout.marginX + layout.imageWidth,
              layout.marginY + layout.imageHeight);
    if (!keepLevels) {
        rebuildAllCurves(doc);
    }
    RebuildChannelLayers(b, doc, colors);
    paintColorBars(b.mainBuffer, doc.colorLine, -1, 0, doc.length - 1, doc.cmy != 0);
    paintGradation(grad, doc.colorLine, layout.marginX, layout.marginY, doc.length, doc.thickness,
                   0, doc.length - 1, doc.direction, doc.cmy != 0);
    ComposeGraph(b, doc, colors, doc.currentChannel);
}

// A document, its buffers, colours, text, editing state and host, tied into one context.
struct EditorFixture {
    explicit EditorFixture(std::unique_ptr<GradationDocument> d = nullptr) {
        if (d) {
            doc = *d;
        }
        layout = testBitmapLayout(doc);
        colors = channelColorsFor(doc.cmy != 0);
    }

    // Renders everything for the document as it stands; clears the editing state.
    void refresh() {
        layout = testBitmapLayout(doc);
        colors = channelColorsFor(doc.cmy != 0);
        renderFromScratch(doc, *buffers, colors, text, layout);
        ResetEditState(edit);
    }

    EditorContext context() {
        return {doc, *buffers, colors, text, edit, host, layout, &showPointPositions, &bufferMutex};
    }

    GradationDocument doc;
    std::unique_ptr<GraphBuffers> buffers = std::make_unique<GraphBuffers>();
    ChannelColors colors;
    MeasuringTextRenderer text;
    EditState edit;
    RecordingHost host;
    BitmapWindowLayout layout;
    bool showPointPositions = true;
    std::mutex bufferMutex;
};

inline int countDifferences(const Surface& a, const Surface& b, Rect r) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) {
            n += a.pixel(x, y) != b.pixel(x, y) ? 1 : 0;
        }
    }
    return n;
}

} // namespace spectrane::test
