// "SettingWnd": turns the gradation's direction in quarter turns, with the direction preview.
#pragma once

#include "toolwindows/tool_window.h"

namespace spectrane {

class PreviewView;

// On OK the document's direction (0..3) holds the working direction; the caller lays out and
// re-renders the gradation window.
class DirectionWindow : public ToolWindow {
    Q_OBJECT
public:
    DirectionWindow(QWidget* owner, const PreviewBuffers& previews, int& direction);

private:
    void rotate();
    void reset();
    void drawPreview();

    PreviewBuffers previews_;
    int& documentDirection_;
    PreviewView* preview_;
    int direction_;
};

} // namespace spectrane
