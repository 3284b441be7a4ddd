#include "toolwindows/cmy_window.h"

#include "toolwindows/tool_controls.h"

namespace spectrane {

CmyWindow::CmyWindow(QWidget* owner, ColorMode& mode)
    : ToolWindow(owner, ToolWindowKind::Cmy), mode_(mode) {
    setRaisesOwnerWhenDone(false);
    addGroupBox(this, 1006, tr("CMY (減法混合方式) 設定"), {16, 12, 348, 336});
    addStatic(this, 1014, tr("RGB (赤、緑、青の光の三原色による加法混合) 方式ではなく、"),
              {36, 40, 329, 12});
    addStatic(this, 1015, tr("　　シアン(Cyan)、マゼンタ(Magenta)、イエロー(Yellow)の"),
              {37, 60, 300, 12});
    addStatic(this, 1016, tr("「色の三原色」を用いたCMY減法混合方式に切り替えることが"),
              {32, 80, 313, 12});
    addStatic(this, 1017, tr("出来ます。"), {32, 100, 60, 12});
    cmyBox_ = addCheckBox(this, 1000, tr("CMY (減法混合) 方式を使用する。"), {80, 120, 197, 15});
    cmyBox_->setChecked(mode == ColorMode::Cmy);
    addStatic(this, 1019, tr("　CMY方式では色の成分が全て無くなると「白」になります。"),
              {36, 150, 302, 12});
    addStatic(this, 1018, tr("この白をベースに、紙の上に色を重ねるようにグラデーションを"),
              {32, 170, 321, 12});
    addStatic(this, 1020, tr("操作出来ます。"), {32, 190, 84, 12});
    addStatic(this, 1021, tr("　ただし、色の操作には少し癖があります。"), {36, 216, 258, 12});
    addStatic(this, 1032, tr("赤を出すには ⇒ マゼンタ(M) + イエロー(Y)"), {60, 238, 225, 12});
    addStatic(this, 1026, tr("緑を出すには ⇒ シアン(C) + イエロー(Y)"), {60, 256, 214, 12});
    addStatic(this, 1027, tr("青を出すには ⇒ シアン(C) + マゼンタ(M)"), {60, 274, 215, 12});
    addStatic(this, 1028, tr("などといった具合です。"), {36, 296, 123, 12});
    addStatic(this, 1029, tr("　CMYの各要素を調整しながら色を作っていって下さい。"),
              {36, 318, 291, 12});
    QPushButton* reset =
        addPushButton(this, 1005, 1005, ToolWindow::tr("リセット(&R)"), {24, 356, 88, 21});
    QPushButton* ok = addPushButton(this, 1003, kToolOk, "OK", {178, 356, 88, 21});
    QPushButton* cancel =
        addPushButton(this, 1004, kToolCancel, ToolWindow::tr("キャンセル"), {266, 356, 88, 21});
    ok->setDefault(true);

    connect(reset, &QPushButton::clicked, this, [this] {
        if (confirmReset(ToolWindow::tr("リセットしますか？"))) {
            cmyBox_->setChecked(false);
        }
    });
    connect(ok, &QPushButton::clicked, this, [this] {
        // Unchecked leaves an OKLCh document in OKLCh: the box speaks of CMY against RGB.
        if (cmyBox_->isChecked()) {
            mode_ = ColorMode::Cmy;
        } else if (mode_ == ColorMode::Cmy) {
            mode_ = ColorMode::Rgb;
        }
        closeWith(kToolOk);
    });
    connect(cancel, &QPushButton::clicked, this, [this] { closeWith(kToolCancel); });
    cmyBox_->setFocus(Qt::OtherFocusReason);
}

} // namespace spectrane
