// The editing tests' and benchmarks' set-up: a document with its buffers rendered in full, a
// host that records what the editor asks of the user interface, and a scripted pointer.
#pragma once

#include "editing/editor_context.h"
#include "model/curve_rebuild.h"
#include "model/gradation_render.h"
#include "raster/primitives.h"
#include "support/test_support.h"
#include "views/graph_painter.h"

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

namespace spectrane::test {

// Set `poll` before posting the job that uses it.
class RecordingHost : public EditorHost {
public:
    void invalidateMainWindow() override { ++mainInvalidations; }
    bool invalidateBitmapWindow() override { return true; }
    void yieldAfterInvalidate() override {}
    void messageBox(std::string_view text) override { messages.emplace_back(text); }
    void showBitmapWindow() override {}
    void runTitleWindow() override {}
    PointerSample pollPointer() override { return poll ? poll() : PointerSample{}; }
    void workerDone() override { ++jobsDone; }

    std::atomic<int> mainInvalidations{0};
    std::atomic<int> jobsDone{0};
    std::vector<std::string> messages;
    std::function<PointerSample()> poll;
};

// A pointer that reports `samples` in turn, then the last one again and again.
inline std::function<PointerSample()> scriptedPointer(std::vector<PointerSample> samples) {
    return [samples, i = std::size_t{0}]() mutable {
        return samples[i + 1 < samples.size() ? i++ : i];
    };
}

// What a whole-document refresh shows, drawn from scratch; the curves are derived and evaluated
// again first unless `keepLevels`.
inline void renderFromScratch(GradationDocument& doc, GraphBuffers& b, const ChannelColors& colors,
                              TextRenderer& text, const BitmapWindowLayout& layout,
                              bool keepLevels = false) {
    DrawGraphBackground(b, doc.length);
    DrawMainFrame(b, doc.length, doc.mode, text);
    Surface& grad = b.gradationBuffer(doc.direction);
    grad.fill(rgb(0, 0, 0));
    DrawBevel(grad, layout.marginX - 1, layout.marginY - 1, layout.marginX + layout.imageWidth,
              layout.marginY + layout.imageHeight);
    if (!keepLevels) {
        rebuildAllCurves(doc);
    }
    RebuildChannelLayers(b, doc, colors);
    paintColorBars(b.mainBuffer, doc.colorLine, -1, 0, doc.length - 1, doc.colorModel());
    paintGradation(grad, doc.colorLine, layout.marginX, layout.marginY, doc.length, doc.thickness,
                   0, doc.length - 1, doc.direction, doc.colorModel());
    ComposeGraph(b, doc, colors, doc.currentChannel);
}

// A document, its buffers, colours, text, editing state and host, tied into one context. Text
// is measured and recorded, never drawn: a read-out leaves no trace beyond its black box.
struct EditorFixture {
    explicit EditorFixture(std::unique_ptr<GradationDocument> d = nullptr) {
        if (d) {
            doc = *d;
        }
        text.paint = false;
    }
    // Everything rendered for the document as it stands; no highlight, no text calls recorded.
    void refresh() {
        layout = layoutBitmapWindow(doc.direction, doc.length, doc.thickness, 1920, 1080,
                                    {0, 0, 700, 560}, WindowFrame{});
        colors = channelColorsFor(doc.mode);
        renderFromScratch(doc, *buffers, colors, text, layout);
        ResetEditState(edit);
        text.calls.clear();
    }
    EditorContext context() {
        return {doc, *buffers, colors, text, edit, host, layout, &showPointPositions, &bufferMutex};
    }

    GradationDocument doc;
    std::unique_ptr<GraphBuffers> buffers = std::make_unique<GraphBuffers>();
    ChannelColors colors;
    FakeTextRenderer text;
    EditState edit;
    RecordingHost host;
    BitmapWindowLayout layout;
    bool showPointPositions = true;
    std::mutex bufferMutex;
};

} // namespace spectrane::test
