#include "toolwindows/loop_window.h"

#include "toolwindows/tool_controls.h"

#include <array>

namespace spectrane {

namespace {

struct StateLine {
    int id;
    QRect geometry;
    const char* loopOff;
    const char* loopOn;
};

const std::array<StateLine, 7> kStateLines{{
    {1017,
     {36, 160, 285, 12},
     QT_TRANSLATE_NOOP("spectrane::LoopWindow",
                       "　現在編集中のグラデーションにはループは設定されて"),
     QT_TRANSLATE_NOOP("spectrane::LoopWindow",
                       "　現在編集中のグラデーションにはループが設定されて")},
    {1018,
     {36, 180, 290, 12},
     QT_TRANSLATE_NOOP("spectrane::LoopWindow", "いません。"),
     QT_TRANSLATE_NOOP("spectrane::LoopWindow",
                       "います。　チェックを外すとループは解除されます。")},
    {1019,
     {36, 210, 292, 12},
     QT_TRANSLATE_NOOP("spectrane::LoopWindow",
                       "　ループ無しで編集中のグラデーションに後からループを"),
     QT_TRANSLATE_NOOP("spectrane::LoopWindow",
                       "　ループの解除にあたってプログラムは自動的に各曲線に")},
    {1020,
     {36, 230, 300, 12},
     QT_TRANSLATE_NOOP("spectrane::LoopWindow",
                       "設定する場合、端と端で結果的に近接した状態なってしま"),
     QT_TRANSLATE_NOOP("spectrane::LoopWindow", "両端点を作成してセットします。")},
    {1021,
     {36, 250, 280, 12},
     QT_TRANSLATE_NOOP("spectrane::LoopWindow", "う両端点の存在が曲線のガタつきの原因になります。"),
     QT_TRANSLATE_NOOP("spectrane::LoopWindow",
                       "　これら端点の作成により、曲線の形が影響されて変化")},
    {1032,
     {36, 270, 280, 12},
     QT_TRANSLATE_NOOP("spectrane::LoopWindow", "　ループ設定後には、端点を削除するなどして調整を"),
     QT_TRANSLATE_NOOP("spectrane::LoopWindow", "してしまう可能性があります。")},
    {1026,
     {36, 290, 280, 12},
     QT_TRANSLATE_NOOP("spectrane::LoopWindow", "行って下さい。"),
     QT_TRANSLATE_NOOP("spectrane::LoopWindow", "　ループ解除後には調整を行って下さい。")},
}};

} // namespace

LoopWindow::LoopWindow(QWidget* owner, bool& loop)
    : ToolWindow(owner, ToolWindowKind::Loop), loop_(loop) {
    setWindowFlag(Qt::WindowMinimizeButtonHint);
    setRaisesOwnerWhenDone(false);
    addGroupBox(this, 1006, tr("ループの設定"), {16, 12, 328, 310});
    loopBox_ =
        addCheckBox(this, 1000, ToolWindow::tr("グラデーションをループさせる"), {48, 48, 171, 15});
    addStatic(this, 1014, tr("　背景素材で繰り返しパターンを作りたい場合などに、"),
              {36, 86, 280, 12});
    addStatic(this, 1015, tr("この設定をすれば両端がループしたグラデーションが"),
              {36, 106, 280, 12});
    addStatic(this, 1016, tr("作成できます。"), {36, 126, 81, 12});
    const bool looped = loop;
    for (const StateLine& line : kStateLines) {
        addStatic(this, line.id, tr(looped ? line.loopOn : line.loopOff), line.geometry);
    }
    loopBox_->setChecked(looped);
    QPushButton* reset =
        addPushButton(this, 1005, 1005, ToolWindow::tr("リセット(&R)"), {24, 330, 88, 21});
    QPushButton* ok = addPushButton(this, 1003, kToolOk, "OK", {162, 330, 88, 21});
    QPushButton* cancel =
        addPushButton(this, 1004, kToolCancel, ToolWindow::tr("キャンセル"), {250, 330, 88, 21});
    ok->setDefault(true);

    connect(reset, &QPushButton::clicked, this, [this] {
        if (confirmReset(ToolWindow::tr("リセットしますか？"))) {
            loopBox_->setChecked(false);
        }
    });
    connect(ok, &QPushButton::clicked, this, [this] {
        loop_ = loopBox_->isChecked();
        closeWith(kToolOk);
    });
    connect(cancel, &QPushButton::clicked, this, [this] { closeWith(kToolCancel); });
    loopBox_->setFocus(Qt::OtherFocusReason);
}

} // namespace spectrane
