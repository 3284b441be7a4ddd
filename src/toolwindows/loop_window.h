// "LoopOnOffWnd": switches the gradation's loop on or off, with notes that describe the state
// the gradation had when the window opened.
#pragma once

#include "toolwindows/tool_window.h"

class QCheckBox;

namespace spectrane {

// On OK the document's loop flag holds the check box state; the caller converts the curves
// only if the flag changed.
class LoopWindow : public ToolWindow {
    Q_OBJECT
public:
    LoopWindow(QWidget* owner, bool& loop);

private:
    bool& loop_;
    QCheckBox* loopBox_;
};

} // namespace spectrane
