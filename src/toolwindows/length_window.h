// "SettingLengthWnd": the new gradation length and the method that fits the curves to it,
// with the length preview for the document's direction.
#pragma once

#include "toolwindows/tool_window.h"

#include <array>

class QLineEdit;
class QRadioButton;

namespace spectrane {

class UpDownControl;

// On OK the document's length (2..1600) and the settings' length-change method (0..3) hold
// the chosen values; the caller, which remembered the old length, applies the change.
class LengthWindow : public ToolWindow {
    Q_OBJECT
public:
    // Shows the preview for `direction`; on OK writes `length` and `method`.
    LengthWindow(QWidget* owner, const PreviewBuffers& previews, int direction, int& length,
                 int& method);

private:
    void reset();
    void confirm();

    int& length_;
    int& method_;
    QLineEdit* lengthEdit_;
    UpDownControl* lengthUpDown_;
    std::array<QRadioButton*, 4> methods_{};
};

} // namespace spectrane
