// "UseCMY_Wnd": switches between the additive R, G, B and the subtractive C, M, Y primaries.
#pragma once

#include "toolwindows/tool_window.h"

class QCheckBox;

namespace spectrane {

// On OK the document's CMY flag holds the check box state; the caller redraws only if it
// changed.
class CmyWindow : public ToolWindow {
    Q_OBJECT
public:
    CmyWindow(QWidget* owner, ColorMode& mode);

private:
    ColorMode& mode_;
    QCheckBox* cmyBox_;
};

} // namespace spectrane
