#include "toolwindows/direction_window.h"

#include "toolwindows/tool_controls.h"
#include "views/previews.h"

namespace spectrane {

DirectionWindow::DirectionWindow(QWidget* owner, const PreviewBuffers& previews, int& direction)
    : ToolWindow(owner, ToolWindowKind::Direction), previews_(previews),
      documentDirection_(direction), direction_(direction & 3) {
    addGroupBox(this, 1006, tr("グラデーションの方向設定"), {18, 211, 180, 74});
    QPushButton* rotate =
        addPushButton(this, 1003, 1003, ToolWindow::tr("90°回転"), {59, 237, 73, 29});
    QPushButton* reset =
        addPushButton(this, 1007, 1007, ToolWindow::tr("リセット(&R)"), {24, 294, 88, 21});
    QPushButton* ok = addPushButton(this, 1004, kToolOk, "OK", {165, 294, 88, 21});
    QPushButton* cancel =
        addPushButton(this, 1005, kToolCancel, ToolWindow::tr("キャンセル"), {254, 294, 88, 21});
    ok->setDefault(true);

    preview_ = new PreviewView(this, previews.canvas, {0, 0, 320, 192}, {16, 12});
    PreparePreviewCanvas(previews.canvas, previews.sheet);
    drawPreview();

    connect(rotate, &QPushButton::clicked, this, &DirectionWindow::rotate);
    connect(reset, &QPushButton::clicked, this, &DirectionWindow::reset);
    connect(ok, &QPushButton::clicked, this, [this] {
        documentDirection_ = direction_;
        closeWith(kToolOk);
    });
    connect(cancel, &QPushButton::clicked, this, [this] { closeWith(kToolCancel); });
    rotate->setFocus(Qt::OtherFocusReason);
}

void DirectionWindow::drawPreview() {
    DrawDirectionPreview(previews_.canvas, previews_.sheet, direction_, previews_.text,
                         previews_.labels);
    preview_->update();
}

void DirectionWindow::rotate() {
    direction_ = (direction_ + 3) % 4;
    drawPreview();
}

void DirectionWindow::reset() {
    if (!confirmReset(ToolWindow::tr("リセットしますか？"))) {
        return;
    }
    direction_ = kDefaultDirection;
    drawPreview();
}

} // namespace spectrane
