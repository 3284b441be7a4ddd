// "Shinki_Wnd": length, direction and loop of a new gradation, with the direction preview.
#pragma once

#include "toolwindows/tool_window.h"

class QCheckBox;
class QLineEdit;

namespace spectrane {

class PreviewView;
class UpDownControl;

// On OK the document's length (2..1600), direction and loop flag hold the chosen values; the
// caller builds the new document from them.
class NewGradationWindow : public ToolWindow {
    Q_OBJECT
public:
    NewGradationWindow(QWidget* owner, const PreviewBuffers& previews, int& length, int& direction,
                       bool& loop);

private:
    void rotate();
    void reset();
    void confirm();
    void drawPreview();

    PreviewBuffers previews_;
    int& length_;
    int& documentDirection_;
    bool& loop_;
    QLineEdit* lengthEdit_;
    UpDownControl* lengthUpDown_;
    QCheckBox* loopBox_;
    PreviewView* preview_;
    int direction_;
};

} // namespace spectrane
