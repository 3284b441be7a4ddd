#include "tool_window_fixture.h"

#include "views/previews.h"

namespace spectrane::test {

ToolFixture::ToolFixture() {
    DrawPreviewSheet(sheet);
}

std::unique_ptr<ToolWindow> ToolFixture::open(ToolWindowKind kind) {
    std::unique_ptr<ToolWindow> window = createToolWindow(kind, nullptr, ctx);
    window->setMessageBox(ctx.messageBox);
    window->show();
    return window;
}

} // namespace spectrane::test
