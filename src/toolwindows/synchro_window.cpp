#include "toolwindows/synchro_window.h"

#include "toolwindows/tool_controls.h"

namespace spectrane {

QString synchroChannelLabel(int ch, ColorMode mode, bool current) {
    static const char* const kRgb[3] = {QT_TRANSLATE_NOOP("spectrane::SynchroWindow", "R ( 赤 )"),
                                        QT_TRANSLATE_NOOP("spectrane::SynchroWindow", "G ( 緑 )"),
                                        QT_TRANSLATE_NOOP("spectrane::SynchroWindow", "B ( 青 )")};
    static const char* const kCmy[3] = {
        QT_TRANSLATE_NOOP("spectrane::SynchroWindow", "C ( シアン )"),
        QT_TRANSLATE_NOOP("spectrane::SynchroWindow", "M ( マゼンタ )"),
        QT_TRANSLATE_NOOP("spectrane::SynchroWindow", "Y ( イエロー )")};
    static const char* const kOklch[3] = {
        QT_TRANSLATE_NOOP("spectrane::SynchroWindow", "L ( 明度 )"),
        QT_TRANSLATE_NOOP("spectrane::SynchroWindow", "C ( 彩度 )"),
        QT_TRANSLATE_NOOP("spectrane::SynchroWindow", "h ( 色相 )")};
    const bool cmy = mode == ColorMode::Cmy;
    QString label = SynchroWindow::tr(cmy                        ? kCmy[ch]
                                      : mode == ColorMode::Oklch ? kOklch[ch]
                                                                 : kRgb[ch]);
    if (current) {
        label += cmy ? SynchroWindow::tr(" ←[ 現在使用中の色 ]")
                     : SynchroWindow::tr(" ←[現在使用中の色]");
    }
    return label;
}

SynchroWindow::SynchroWindow(QWidget* owner, bool& synchro, std::array<bool, 3>& channels,
                             ColorMode mode, int currentChannel)
    : ToolWindow(owner, ToolWindowKind::Synchro), synchro_(synchro), channels_(channels) {
    setRaisesOwnerWhenDone(false);
    addGroupBox(this, 1006, tr("シンクロする色のチェック"), {16, 12, 348, 364});
    modeBox_ = addCheckBox(this, 1000, tr("シンクロ・モードを使用する"), {48, 40, 163, 15});
    const int ids[3] = {1001, 1002, 1033};
    for (int ch = 0; ch < 3; ++ch) {
        QCheckBox* box = addCheckBox(this, ids[ch], "", {70, 64 + 22 * ch, 224, 15});
        box->setText(synchroChannelLabel(ch, mode, ch == currentChannel));
        fitButton(box);
        box->setChecked(channels[static_cast<std::size_t>(ch)]);
        box->setEnabled(synchro);
        channelBoxes_[static_cast<std::size_t>(ch)] = box;
    }
    modeBox_->setChecked(synchro);
    addStatic(this, 1014, tr("　二つ以上の色にチェックを入れることにより、それらの色を"),
              {36, 140, 302, 12});
    addStatic(this, 1015, tr("シンクロ(同調)させて動かすことが出来ます。"), {36, 160, 300, 12});
    addStatic(this, 1016, tr("　現在使用中の色が関係している時は、使用中の色が優先"),
              {36, 180, 302, 12});
    addStatic(this, 1017, tr("されて、他の色にコピーされます。"), {36, 200, 200, 12});
    addStatic(this, 1018, tr("　現在使用中の色が関係していないチェックの場合は、"),
              {36, 220, 281, 12});
    addStatic(this, 1019, tr("上の三原色表記中の上段にあるものが優先されます。"),
              {36, 240, 279, 12});
    addStatic(this, 1020, tr("　また、「シンクロ・モードを使用する」にチェックを入れていると"),
              {36, 266, 314, 12});
    addStatic(this, 1021,
              tr("以降メインのウインドウの「R」,「G」,「B」　(または「C」,「M」,「Y」) "),
              {36, 286, 320, 12});
    addStatic(this, 1032, tr("表示の左側に上と同様のチェックボックスが表示されるので"),
              {36, 306, 307, 12});
    addStatic(this, 1026, tr("再びこのウインドウを開かなくても、そこでシンクロの設定が"),
              {36, 326, 319, 12});
    addStatic(this, 1027, tr("直接行えます。"), {36, 346, 148, 12});
    // These buttons keep their ids; Enter and Escape reach them as OK and Cancel all the same.
    QPushButton* reset =
        addPushButton(this, 1005, 1005, ToolWindow::tr("リセット(&R)"), {24, 384, 88, 21});
    QPushButton* ok = addPushButton(this, 1003, 1003, "OK", {174, 384, 88, 21});
    QPushButton* cancel =
        addPushButton(this, 1004, 1004, ToolWindow::tr("キャンセル"), {262, 384, 88, 21});
    ok->setDefault(true);

    connect(modeBox_, &QCheckBox::clicked, this, &SynchroWindow::modeClicked);
    connect(reset, &QPushButton::clicked, this, [this] {
        if (!confirmReset(ToolWindow::tr("リセットしますか？"))) {
            return;
        }
        modeBox_->setChecked(false);
        for (QCheckBox* box : channelBoxes_) {
            box->setChecked(false);
            box->setEnabled(false);
        }
    });
    connect(ok, &QPushButton::clicked, this, [this] {
        for (std::size_t k = 0; k < channelBoxes_.size(); ++k) {
            channels_[k] = channelBoxes_[k]->isChecked();
        }
        synchro_ = modeBox_->isChecked();
        closeWith(kToolOk);
    });
    connect(cancel, &QPushButton::clicked, this, [this] { closeWith(kToolCancel); });
    modeBox_->setFocus(Qt::OtherFocusReason);
}

void SynchroWindow::modeClicked() {
    for (QCheckBox* box : channelBoxes_) {
        box->setEnabled(modeBox_->isChecked());
    }
}

} // namespace spectrane
