// The tool windows over a document and settings of their own, with the preview sheet drawn and
// message boxes recorded.
#pragma once

#include "qtsupport/qt_text_renderer.h"
#include "support/qt_test_support.h"
#include "toolwindows/tool_window.h"
#include "views/previews.h"

#include <memory>

namespace spectrane::test {

struct ToolFixture {
    std::unique_ptr<GradationDocument> docStorage = std::make_unique<GradationDocument>();
    GradationDocument& doc = *docStorage;
    Settings settings;
    Surface sheet{128, 385};
    Surface canvas{320, 192};
    QtTextRenderer text;
    MessageRecorder boxes;
    ToolWindowContext ctx{doc, settings, {sheet, canvas, text, {}}, nullptr, boxes.fn()};

    ToolFixture() { DrawPreviewSheet(sheet); }
    // Builds and shows window `kind`, not modal: the test acts on it directly.
    std::unique_ptr<ToolWindow> open(ToolWindowKind kind) {
        std::unique_ptr<ToolWindow> window = createToolWindow(kind, nullptr, ctx);
        window->setMessageBox(ctx.messageBox);
        window->show();
        return window;
    }
};

} // namespace spectrane::test
