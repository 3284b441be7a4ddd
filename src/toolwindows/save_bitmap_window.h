// "SaveBitMapWnd": the width of the bitmap to save, typed or taken from the gradation window,
// with the width preview for the document's direction.
#pragma once

#include "toolwindows/tool_window.h"

class QCheckBox;
class QLineEdit;

namespace spectrane {

class UpDownControl;

// On OK the settings' save width holds the accepted width (1..1200). The use-window-width flag
// takes the check box state at every OK, even one whose width is then refused.
class SaveBitmapWindow : public ToolWindow {
    Q_OBJECT
public:
    // Shows the preview for `direction`; `thickness` is the gradation window's current one.
    SaveBitmapWindow(QWidget* owner, const PreviewBuffers& previews, int direction, int thickness,
                     int& saveWidth, bool& useWindowWidth);

private:
    void boxClicked();
    void reset();
    void confirm();

    int thickness_;
    int& saveWidth_;
    bool& useWindowWidth_;
    QLineEdit* widthEdit_;
    UpDownControl* widthUpDown_;
    QCheckBox* windowWidthBox_;
};

} // namespace spectrane
