#include "toolwindows/length_window.h"

#include "toolwindows/numeric_edit.h"
#include "toolwindows/tool_controls.h"
#include "views/previews.h"

#include <QButtonGroup>

namespace spectrane {

LengthWindow::LengthWindow(QWidget* owner, const PreviewBuffers& previews, int direction,
                           int& length, int& method)
    : ToolWindow(owner, ToolWindowKind::Length), length_(length), method_(method) {
    addGroupBox(this, 1006, tr("１．グラデーションの長さ(ドット数)"), {16, 12, 218, 162});
    addStatic(this, 1019, QString::number(length), {47, 46, 35, 12}, Qt::AlignRight);
    addStatic(this, 1014, tr("⇒"), {97, 46, 12, 14});
    lengthEdit_ = addNumberEdit(this, 1008, {121, 41, 56, 21}, EditChars::Digits);
    showNumber(lengthEdit_, length);
    lengthUpDown_ =
        new UpDownControl(this, 1022, {168, 39, 16, 21}, lengthEdit_, kMinDots, kMaxDots);
    addStatic(this, 1021, ToolWindow::tr("ドット"), {190, 48, 27, 11});
    addStatic(this, 1015, tr("現在の長さ"), {41, 70, 62, 14});
    addStatic(this, 1016, tr("変更後"), {127, 70, 50, 12});
    addStatic(this, 1020, ToolWindow::tr("( 範囲 : 2 ～ 1600 )"), {97, 90, 105, 14},
              Qt::AlignRight);
    addStatic(
        this, 1017,
        tr("※グラデーションの「幅」はビットマップの保存時に設定するのでここではセットしません。"),
        {35, 121, 191, 39});
    addGroupBox(this, 1013, tr("２．延長/短縮の方法"), {16, 186, 406, 137});
    methods_ = {
        addRadioButton(this, 1009, tr("全体をストレッチ/縮小"), {38, 214, 133, 16}),
        addRadioButton(this, 1010, tr("両端を延長/カット"), {38, 238, 111, 15}),
        addRadioButton(this, 1011, tr("左端を延長/カット"), {38, 262, 111, 15}),
        addRadioButton(this, 1012, tr("右端を延長/カット"), {38, 283, 111, 20}),
    };
    auto* group = new QButtonGroup(this);
    for (QRadioButton* r : methods_) {
        group->addButton(r);
    }
    methods_[static_cast<std::size_t>(method & 3)]->setChecked(true);
    addStatic(
        this, 1018,
        tr("※長さの変更に伴うポイントの位置変化が付近のグラデーション曲線に影響を与えるので"
           "ハサミで切ったように短縮(または延長)が行われるわけではありません。変更後には微調整を"
           "して下さい。"),
        {195, 228, 206, 80});
    QPushButton* reset =
        addPushButton(this, 1005, 1005, ToolWindow::tr("リセット(&R)"), {24, 338, 88, 21});
    QPushButton* ok = addPushButton(this, 1003, kToolOk, "OK", {221, 338, 88, 21});
    QPushButton* cancel =
        addPushButton(this, 1004, kToolCancel, ToolWindow::tr("キャンセル"), {310, 338, 88, 21});
    ok->setDefault(true);

    auto* preview = new PreviewView(this, previews.canvas, {0, 0, 192, 192}, {248, 12});
    PreparePreviewCanvas(previews.canvas, previews.sheet);
    DrawLengthPreview(previews.canvas, previews.sheet, direction, previews.text, previews.labels);
    preview->update();

    connect(reset, &QPushButton::clicked, this, &LengthWindow::reset);
    connect(ok, &QPushButton::clicked, this, &LengthWindow::confirm);
    connect(cancel, &QPushButton::clicked, this, [this] { closeWith(kToolCancel); });
    lengthEdit_->setFocus(Qt::OtherFocusReason);
}

void LengthWindow::reset() {
    if (!confirmReset(ToolWindow::tr("全ての項目をリセットしますか？"))) {
        return;
    }
    methods_[0]->setChecked(true);
    showNumber(lengthEdit_, kDefaultLength);
}

void LengthWindow::confirm() {
    const std::optional<int> n = readEditNumber(lengthEdit_);
    if (!n || *n < kMinDots || *n > kMaxDots) {
        refuse(lengthEdit_, ToolWindow::tr("グラデーションの長さ設定が不正です。"),
               ToolWindow::tr("グラデーションの長さは2～1600の間でセットして下さい。"));
        return;
    }
    int method = 0;
    for (std::size_t k = 0; k < methods_.size(); ++k) {
        if (methods_[k]->isChecked()) {
            method = static_cast<int>(k);
            break;
        }
    }
    method_ = method;
    length_ = *n;
    closeWith(kToolOk);
}

} // namespace spectrane
