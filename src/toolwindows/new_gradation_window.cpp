#include "toolwindows/new_gradation_window.h"

#include "toolwindows/numeric_edit.h"
#include "toolwindows/tool_controls.h"
#include "views/previews.h"

namespace spectrane {

NewGradationWindow::NewGradationWindow(QWidget* owner, const PreviewBuffers& previews, int& length,
                                       int& direction, bool& loop)
    : ToolWindow(owner, ToolWindowKind::NewGradation), previews_(previews), length_(length),
      documentDirection_(direction), loop_(loop), direction_(direction & 3) {
    addGroupBox(this, 1006, tr("１．グラデーションの長さ(ドット数)"), {16, 196, 342, 82});
    lengthEdit_ = addNumberEdit(this, 1008, {64, 217, 56, 21}, EditChars::Digits);
    showNumber(lengthEdit_, length);
    lengthUpDown_ =
        new UpDownControl(this, 1022, {118, 217, 16, 21}, lengthEdit_, kMinDots, kMaxDots);
    addStatic(this, 1014, ToolWindow::tr("( 範囲 : 2 ～ 1600 )"), {39, 245, 105, 12});
    addStatic(this, 1017, tr("( 初期値 = 512 )"), {47, 260, 89, 12});
    addStatic(this, 1015,
              tr("※「幅」はビットマップ保存時にセットするので、ここでは設定の必要はありません。"),
              {164, 224, 180, 36});
    addGroupBox(this, 1013, tr("２．グラデーションの方向"), {16, 288, 158, 60});
    QPushButton* rotate =
        addPushButton(this, 1003, 1003, ToolWindow::tr("90°回転"), {48, 309, 88, 25});
    addStatic(
        this, 1016,
        tr("※これらの設定は一度ここで決めた後でも、「編集」メニューからいつでも変更が出来ます。"),
        {190, 299, 158, 44});
    addGroupBox(this, 1023, tr("３．グラデーションのループ"), {16, 357, 342, 90});
    loopBox_ = addMultiLineCheckBox(this, 1000, ToolWindow::tr("グラデーションをループさせる"),
                                    {40, 376, 172, 17});
    loopBox_->setChecked(loop);
    addStatic(
        this, 1018,
        tr("※背景素材で繰り返しパターンを作りたい場合など、ここにチェックを入れれば両端がループ"
           "したグラデーションが作成できます。"),
        {39, 401, 297, 40});
    QPushButton* reset =
        addPushButton(this, 1007, 1007, ToolWindow::tr("リセット(&R)"), {24, 461, 88, 21});
    QPushButton* ok = addPushButton(this, 1004, kToolOk, "OK", {170, 461, 88, 21});
    QPushButton* cancel =
        addPushButton(this, 1005, kToolCancel, ToolWindow::tr("キャンセル"), {259, 461, 88, 21});
    ok->setDefault(true);

    preview_ = new PreviewView(this, previews.canvas, {0, 0, 320, 192}, {16, 12});
    PreparePreviewCanvas(previews.canvas, previews.sheet);
    drawPreview();

    connect(rotate, &QPushButton::clicked, this, &NewGradationWindow::rotate);
    connect(reset, &QPushButton::clicked, this, &NewGradationWindow::reset);
    connect(ok, &QPushButton::clicked, this, &NewGradationWindow::confirm);
    connect(cancel, &QPushButton::clicked, this, [this] { closeWith(kToolCancel); });
    lengthEdit_->setFocus(Qt::OtherFocusReason);
}

void NewGradationWindow::drawPreview() {
    DrawDirectionPreview(previews_.canvas, previews_.sheet, direction_, previews_.text,
                         previews_.labels);
    preview_->update();
}

void NewGradationWindow::rotate() {
    direction_ = (direction_ + 3) % 4;
    drawPreview();
}

void NewGradationWindow::reset() {
    if (!confirmReset(ToolWindow::tr("全ての項目をリセットしますか？"))) {
        return;
    }
    showNumber(lengthEdit_, kDefaultLength);
    loopBox_->setChecked(false);
    direction_ = kDefaultDirection;
    drawPreview();
}

void NewGradationWindow::confirm() {
    const std::optional<int> n = readEditNumber(lengthEdit_);
    if (!n || *n < kMinDots || *n > kMaxDots) {
        refuse(lengthEdit_, ToolWindow::tr("グラデーションの長さ設定が不正です。"),
               ToolWindow::tr("グラデーションの長さは2～1600の間でセットして下さい。"));
        return;
    }
    documentDirection_ = direction_;
    length_ = *n;
    loop_ = loopBox_->isChecked();
    closeWith(kToolOk);
}

} // namespace spectrane
