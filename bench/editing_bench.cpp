// Speed of one drag step on the longest gradation at the widest picture: the partial path
// (interior point, open and loop, synchro off and on for all three channels) and the full path.
#include "editing/drag_start.h"
#include "editing/drag_step.h"
#include "editing/hit_test.h"
#include "model/curve_rebuild.h"
#include "model/gradation_render.h"
#include "views/bitmap_window_layout.h"
#include "views/graph_painter.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <mutex>

namespace spectrane {
namespace {

class NullTextRenderer : public TextRenderer {
public:
    void drawText(Surface&, int, int, std::string_view, const TextStyle&) override {}
    TextExtent measureText(std::string_view text, const TextStyle& style) override {
        return {static_cast<int>(text.size()) * 9, style.pixelHeight};
    }
};

class NullHost : public EditorHost {
public:
    void invalidateMainWindow() override {}
    bool invalidateBitmapWindow() override { return true; }
    void yieldAfterInvalidate() override {}
    void messageBox(std::string_view) override {}
    void showBitmapWindow() override {}
    void runTitleWindow() override {}
    PointerSample pollPointer() override { return {}; }
    void workerDone() override {}
};

struct Setup {
    GradationDocument doc;
    std::unique_ptr<GraphBuffers> buffers = std::make_unique<GraphBuffers>();
    ChannelColors colors;
    NullTextRenderer text;
    EditState edit;
    NullHost host;
    BitmapWindowLayout layout;
    bool showPositions = true;

    Setup(bool loop, bool synchro) {
        doc.length = 1600;
        doc.thickness = 1200;
        doc.direction = 0;
        doc.loop = loop ? 1 : 0;
        doc.synchro = synchro ? 1 : 0;
        doc.synchroChannels = {1, 1, 1};
        for (ChannelCurve& c : doc.channels) {
            c.pointCount = 14;
            for (int j = 0; j < 14; ++j) {
                const double x = loop ? 60.0 + 1590.0 * j / 14 : 56.0 + 1599.0 * j / 13;
                c.controlPoints[j] = {x, 100.0 + 150.0 * ((j * 5) % 7) / 7};
            }
        }
        layout = layoutBitmapWindow(0, 1600, 1200, 3840, 2160, {0, 0, 1712, 600}, {});
        colors = channelColorsFor(false);
        DrawGraphBackground(*buffers, doc.length);
        DrawMainFrame(*buffers, doc.length, false, text);
        rebuildAllCurves(doc);
        RebuildChannelLayers(*buffers, doc, colors);
        paintColorBars(buffers->mainBuffer, doc.colorLine, -1, 0, 1599, false);
        ComposeGraph(*buffers, doc, colors, 0);
    }
    EditorContext context() {
        return {doc, *buffers, colors, text, edit, host, layout, &showPositions, nullptr};
    }
};

// Drags interior point 7 to and fro by a few pixels; `fold` pushes it past its neighbour so
// that every step takes the full path.
void runSteps(benchmark::State& state, bool loop, bool synchro, bool fold) {
    Setup s(loop, synchro);
    EditorContext ctx = s.context();
    const CurvePoint a = s.doc.channels[0].anchorPoints[7];
    StartDrag(ctx, static_cast<int>(a.x), static_cast<int>(a.y));
    const int x = static_cast<int>(a.x) + (fold ? 300 : 0);
    int k = 0;
    DragPath path = DragPath::None;
    for (auto _ : state) {
        path = DragStep(ctx, x + (k & 3), static_cast<int>(a.y) + ((k * 7) & 15) - 8);
        ++k;
    }
    if (path != (fold ? DragPath::Full : DragPath::Partial)) {
        state.SkipWithError("unexpected path");
    }
}

void BM_DragStepPartialOpen(benchmark::State& s) {
    runSteps(s, false, false, false);
}
void BM_DragStepPartialLoop(benchmark::State& s) {
    runSteps(s, true, false, false);
}
void BM_DragStepPartialOpenSynchro3(benchmark::State& s) {
    runSteps(s, false, true, false);
}
void BM_DragStepPartialLoopSynchro3(benchmark::State& s) {
    runSteps(s, true, true, false);
}
void BM_DragStepFullOpen(benchmark::State& s) {
    runSteps(s, false, false, true);
}
void BM_DragStepFullOpenSynchro3(benchmark::State& s) {
    runSteps(s, false, true, true);
}

BENCHMARK(BM_DragStepPartialOpen)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DragStepPartialLoop)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DragStepPartialOpenSynchro3)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DragStepPartialLoopSynchro3)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DragStepFullOpen)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DragStepFullOpenSynchro3)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace spectrane
