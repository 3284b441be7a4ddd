#include "toolwindows/save_bitmap_window.h"

#include "toolwindows/numeric_edit.h"
#include "toolwindows/tool_controls.h"
#include "views/previews.h"

namespace spectrane {

SaveBitmapWindow::SaveBitmapWindow(QWidget* owner, const PreviewBuffers& previews, int direction,
                                   int thickness, int& saveWidth, bool& useWindowWidth)
    : ToolWindow(owner, ToolWindowKind::SaveBitmap), thickness_(thickness), saveWidth_(saveWidth),
      useWindowWidth_(useWindowWidth) {
    addGroupBox(this, 1006, tr("ビットマップの幅のセット"), {16, 12, 206, 182});
    addStatic(this, 1014, tr("保存するビットマップの幅をセットして下さい。"), {38, 39, 171, 23});
    widthEdit_ = addNumberEdit(this, 1008, {63, 76, 56, 21}, EditChars::Any);
    showNumber(widthEdit_, useWindowWidth ? thickness : saveWidth);
    widthUpDown_ = new UpDownControl(this, 1022, {121, 71, 16, 21}, widthEdit_, 2, 1200);
    addStatic(this, 1016, ToolWindow::tr("ドット"), {132, 82, 30, 12});
    addStatic(this, 1015, tr("(範囲: 1 ～ 1200 / 初期値= 32)"), {40, 110, 165, 15});
    windowWidthBox_ = addMultiLineCheckBox(
        this, 1000, tr("現在のビットマップ・ウインドウでの幅の大きさを適用する。"),
        {34, 139, 177, 33});
    windowWidthBox_->setChecked(useWindowWidth);
    QPushButton* reset =
        addPushButton(this, 1005, 1005, ToolWindow::tr("リセット(&R)"), {24, 208, 88, 21});
    QPushButton* ok = addPushButton(this, 1003, kToolOk, "OK", {245, 208, 88, 21});
    QPushButton* cancel =
        addPushButton(this, 1004, kToolCancel, ToolWindow::tr("キャンセル"), {334, 208, 88, 21});
    ok->setDefault(true);

    auto* preview = new PreviewView(this, previews.canvas, {0, 0, 192, 192}, {240, 12});
    PreparePreviewCanvas(previews.canvas, previews.sheet);
    DrawWidthPreview(previews.canvas, previews.sheet, direction, previews.text, previews.labels);
    preview->update();

    connect(windowWidthBox_, &QCheckBox::clicked, this, &SaveBitmapWindow::boxClicked);
    connect(reset, &QPushButton::clicked, this, &SaveBitmapWindow::reset);
    connect(ok, &QPushButton::clicked, this, &SaveBitmapWindow::confirm);
    connect(cancel, &QPushButton::clicked, this, [this] { closeWith(kToolCancel); });
    widthEdit_->setFocus(Qt::OtherFocusReason);
}

void SaveBitmapWindow::boxClicked() {
    if (windowWidthBox_->isChecked()) {
        showNumber(widthEdit_, thickness_);
    }
}

void SaveBitmapWindow::reset() {
    if (!confirmReset(ToolWindow::tr("全ての項目をリセットしますか？"))) {
        return;
    }
    windowWidthBox_->setChecked(false);
    showNumber(widthEdit_, kDefaultSaveWidth);
}

void SaveBitmapWindow::confirm() {
    useWindowWidth_ = windowWidthBox_->isChecked();
    const std::optional<int> w = readEditNumber(widthEdit_);
    if (!w || *w < kMinSaveWidth || *w > kMaxSaveWidth) {
        refuse(widthEdit_, tr("幅の設定が不正です。"),
               tr("グラデーションの幅は1～1200の間でセットして下さい。"));
        return;
    }
    saveWidth_ = *w;
    closeWith(kToolOk);
}

} // namespace spectrane
