// What the tool windows do: opening values, OK and its refusals, Reset, Cancel, Enter, Escape
// and the close box, the rotations, the state texts and labels, the point position window.
#include "tool_window_test_support.h"

#include "qtsupport/surface_image.h"
#include "toolwindows/cmy_window.h"
#include "toolwindows/direction_window.h"
#include "toolwindows/length_window.h"
#include "toolwindows/loop_window.h"
#include "toolwindows/new_gradation_window.h"
#include "toolwindows/numeric_edit.h"
#include "toolwindows/position_window.h"
#include "toolwindows/save_bitmap_window.h"
#include "toolwindows/synchro_window.h"
#include "toolwindows/title_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

namespace spectrane {
namespace {

using test::control;

QString u(const char* s) {
    return QString::fromUtf8(s);
}

QLineEdit* edit(QWidget* w, int id) {
    return control<QLineEdit>(w, id);
}

void click(QWidget* w, int id) {
    control<QAbstractButton>(w, id)->click();
}

// Types `text` into edit `id` and presses OK.
void typeAndOk(QWidget* w, int id, const char* text) {
    edit(w, id)->setText(u(text));
    click(w, 1);
}

TEST(NumericEdit, ReadsWholeNumbersAndStepsWithinTheArrowsRange) {
    EXPECT_EQ(parseEditNumber(u("512")), 512);
    EXPECT_EQ(parseEditNumber(u("12.9")), 12);
    EXPECT_EQ(parseEditNumber(u("-3.7")), -3);
    EXPECT_EQ(parseEditNumber(u(" 7 ")), 7);
    EXPECT_EQ(parseEditNumber(u("-32")), -32);
    EXPECT_EQ(parseEditNumber(u(".5")), 0);
    EXPECT_EQ(parseEditNumber(u("")), std::nullopt);
    EXPECT_EQ(parseEditNumber(u("-")), std::nullopt);
    EXPECT_EQ(parseEditNumber(u("abc")), std::nullopt);
    EXPECT_EQ(parseEditNumber(u("12ab")), std::nullopt);
    EXPECT_EQ(parseEditNumber(u("1e3")), std::nullopt);

    QWidget parent;
    QLineEdit* e = addNumberEdit(&parent, 1008, {10, 10, 56, 21}, EditChars::Digits);
    UpDownControl ud(&parent, 1022, {60, 10, 16, 21}, e, 2, 1600);
    showNumber(e, 1599);
    ud.upButton()->click();
    EXPECT_EQ(e->text(), u("1600")); // plain digits, no separator
    ud.step(1);
    EXPECT_EQ(e->text(), u("1600"));
    e->setText(u("1"));
    ud.step(-1);
    EXPECT_EQ(e->text(), u("2")); // the arrows stop at 2
    e->setText(u("x"));
    ud.downButton()->click();
    EXPECT_EQ(e->text(), u("2")); // no number: steps from the last value
    EXPECT_EQ(e->cursorPosition(), 1);

    // Only digits can be typed into a digits-only edit; a minus sign where allowed.
    QTest::keyClicks(e, u("a-9"));
    EXPECT_EQ(e->text(), u("29"));
    QLineEdit* level = addNumberEdit(&parent, 1024, {10, 40, 56, 21}, EditChars::DigitsAndMinus);
    QTest::keyClicks(level, u("-12345"));
    EXPECT_EQ(level->text(), u("-123")); // at most 4 characters
}

TEST(NewGradationWindow, OpensWithTheDocumentAndRefusesBadLengths) {
    auto s = test::makeToolState();
    s->doc.length = 700;
    s->doc.loop = 1;
    s->doc.direction = 2;
    test::RecordedBoxes boxes;
    NewGradationWindow w(nullptr, *s);
    w.setMessageBox(boxes.fn());
    w.show();
    QLineEdit* e = edit(&w, 1008);
    EXPECT_EQ(e->text(), u("700")); // the current length, not 512
    EXPECT_TRUE(e->hasFocus() || QApplication::focusWidget() == nullptr);
    EXPECT_EQ(w.focusWidget(), e);
    EXPECT_FALSE(e->hasSelectedText());
    EXPECT_EQ(e->cursorPosition(), 3);
    EXPECT_TRUE(control<QCheckBox>(&w, 1000)->isChecked());
    EXPECT_EQ(w.workingDirection(), 2);

    for (const char* bad : {"1", "0", "1601", "", "abc"}) {
        SCOPED_TRACE(bad);
        const std::size_t before = boxes.shown.size();
        control<QCheckBox>(&w, 1000)->setChecked(false);
        typeAndOk(&w, 1008, bad);
        ASSERT_EQ(boxes.shown.size(), before + 1);
        EXPECT_EQ(boxes.shown.back().title, u("グラデーションの長さ設定が不正です。"));
        EXPECT_EQ(boxes.shown.back().text,
                  u("グラデーションの長さは2～1600の間でセットして下さい。"));
        EXPECT_EQ(boxes.shown.back().icon, QMessageBox::NoIcon);
        EXPECT_EQ(boxes.shown.back().buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
        EXPECT_TRUE(w.isVisible());
        EXPECT_EQ(w.focusWidget(), e);
        EXPECT_EQ(e->selectedText(), e->text());
        EXPECT_EQ(s->doc.length, 700);
        EXPECT_EQ(s->doc.loop, 1);
    }
    click(&w, 1003); // 2 -> 1
    typeAndOk(&w, 1008, "1600");
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(w.resultCode(), kToolOk);
    EXPECT_EQ(s->doc.length, 1600);
    EXPECT_EQ(s->doc.loop, 0);
    EXPECT_EQ(s->doc.direction, 1);

    NewGradationWindow low(nullptr, *s);
    low.show();
    typeAndOk(&low, 1008, "2");
    EXPECT_EQ(s->doc.length, 2);
}

TEST(NewGradationWindow, ResetThenCancelChangesNothingAndFourTurnsRestoreThePicture) {
    auto s = test::makeToolState();
    s->doc.length = 900;
    s->doc.direction = 0;
    s->doc.loop = 1;
    test::RecordedBoxes boxes;
    NewGradationWindow w(nullptr, *s);
    w.setMessageBox(boxes.fn());
    w.show();
    const Surface& canvas = s->buffers.previewCanvas;
    const QImage first = surfaceImage(canvas).copy();
    click(&w, 1003);
    EXPECT_EQ(w.workingDirection(), 3);
    EXPECT_NE(surfaceImage(canvas), first);
    for (int i = 0; i < 3; ++i) {
        click(&w, 1003);
    }
    EXPECT_EQ(w.workingDirection(), 0);
    EXPECT_EQ(surfaceImage(canvas), first);

    click(&w, 1007); // answered No
    ASSERT_EQ(boxes.shown.size(), 1u);
    EXPECT_EQ(boxes.shown[0].title, u("確認"));
    EXPECT_EQ(boxes.shown[0].text, u("全ての項目をリセットしますか？"));
    EXPECT_EQ(boxes.shown[0].icon, QMessageBox::Warning);
    EXPECT_EQ(boxes.shown[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(edit(&w, 1008)->text(), u("900"));
    boxes.answers.push_back(QMessageBox::Yes);
    click(&w, 1007);
    EXPECT_EQ(edit(&w, 1008)->text(), u("512"));
    EXPECT_FALSE(control<QCheckBox>(&w, 1000)->isChecked());
    EXPECT_EQ(w.workingDirection(), 1);
    click(&w, 2);
    EXPECT_EQ(w.resultCode(), kToolCancel);
    EXPECT_EQ(s->doc.length, 900);
    EXPECT_EQ(s->doc.direction, 0);
    EXPECT_EQ(s->doc.loop, 1);
}

TEST(ToolWindowKeys, EnterConfirmsEscapeCancelsTheCloseBoxReturnsZero) {
    auto s = test::makeToolState();
    s->doc.length = 300;
    const int enter = test::runAndAct([&] { return RunToolWindow(nullptr, "Shinki_Wnd", *s); },
                                      [](QWidget* w) {
                                          QLineEdit* e = edit(w, 1008);
                                          e->setText(u("444"));
                                          QTest::keyClick(e, Qt::Key_Return);
                                      });
    EXPECT_EQ(enter, kToolOk);
    EXPECT_EQ(s->doc.length, 444);
    const int escape =
        test::runAndAct([&] { return RunToolWindow(nullptr, "SettingLengthWnd", *s); },
                        [](QWidget* w) {
                            edit(w, 1008)->setText(u("999"));
                            QTest::keyClick(edit(w, 1008), Qt::Key_Escape);
                        });
    EXPECT_EQ(escape, kToolCancel);
    EXPECT_EQ(s->doc.length, 444);
    const int closed = test::runAndAct([&] { return RunToolWindow(nullptr, "UseCMY_Wnd", *s); },
                                       [](QWidget* w) {
                                           click(w, 1000);
                                           w->close();
                                       });
    EXPECT_EQ(closed, kToolClosed);
    EXPECT_EQ(s->doc.cmy, 0);

    // The owner is disabled while the window runs and enabled again afterwards.
    QWidget owner;
    owner.show();
    bool ownerEnabledDuring = true;
    const int ok = test::runAndAct([&] { return RunToolWindow(&owner, "SettingWnd", *s); },
                                   [&](QWidget* w) {
                                       ownerEnabledDuring = owner.isEnabled();
                                       EXPECT_TRUE(w->isEnabled());
                                       click(w, 1);
                                   });
    EXPECT_EQ(ok, kToolOk);
    EXPECT_FALSE(ownerEnabledDuring);
    EXPECT_TRUE(owner.isEnabled());
}

TEST(LengthWindow, MethodLengthAndResetCancel) {
    auto s = test::makeToolState();
    s->doc.length = 640;
    s->settings.lengthChangeMethod = 2;
    test::RecordedBoxes boxes;
    LengthWindow w(nullptr, *s);
    w.setMessageBox(boxes.fn());
    w.show();
    EXPECT_TRUE(control<QRadioButton>(&w, 1011)->isChecked());
    boxes.answers.push_back(QMessageBox::Yes);
    click(&w, 1005);
    EXPECT_EQ(boxes.shown.back().text, u("全ての項目をリセットしますか？"));
    EXPECT_EQ(edit(&w, 1008)->text(), u("512"));
    EXPECT_EQ(control<QLabel>(&w, 1019)->text(), u("640")); // keeps the current length
    int checkedCount = 0;
    for (int id : {1009, 1010, 1011, 1012}) {
        checkedCount += control<QRadioButton>(&w, id)->isChecked() ? 1 : 0;
    }
    EXPECT_EQ(checkedCount, 1);
    EXPECT_TRUE(control<QRadioButton>(&w, 1009)->isChecked());
    click(&w, 2);
    EXPECT_EQ(s->doc.length, 640);
    EXPECT_EQ(s->settings.lengthChangeMethod, 2);

    LengthWindow again(nullptr, *s);
    again.setMessageBox(boxes.fn());
    again.show();
    typeAndOk(&again, 1008, "1601");
    EXPECT_TRUE(again.isVisible());
    EXPECT_EQ(boxes.shown.back().title, u("グラデーションの長さ設定が不正です。"));
    control<QRadioButton>(&again, 1012)->click();
    EXPECT_FALSE(control<QRadioButton>(&again, 1011)->isChecked());
    typeAndOk(&again, 1008, "640"); // unchanged length still confirms
    EXPECT_EQ(again.resultCode(), kToolOk);
    EXPECT_EQ(s->settings.lengthChangeMethod, 3);
    EXPECT_EQ(s->doc.length, 640);
}

TEST(SaveBitmapWindow, WidthsWindowWidthAndRefusals) {
    auto s = test::makeToolState();
    s->settings.saveWidth = 77;
    s->doc.thickness = 252;
    test::RecordedBoxes boxes;
    {
        SaveBitmapWindow w(nullptr, *s);
        w.setMessageBox(boxes.fn());
        w.show();
        EXPECT_EQ(edit(&w, 1008)->text(), u("77"));
        for (const char* bad : {"0", "1201", "", "x1"}) {
            SCOPED_TRACE(bad);
            typeAndOk(&w, 1008, bad);
            EXPECT_TRUE(w.isVisible());
            EXPECT_EQ(boxes.shown.back().title, u("幅の設定が不正です。"));
            EXPECT_EQ(boxes.shown.back().text,
                      u("グラデーションの幅は1～1200の間でセットして下さい。"));
            EXPECT_EQ(edit(&w, 1008)->selectedText(), edit(&w, 1008)->text());
            EXPECT_EQ(s->settings.saveWidth, 77);
        }
        // A refused width still stores the check box.
        click(&w, 1000);
        EXPECT_EQ(edit(&w, 1008)->text(), u("252"));
        typeAndOk(&w, 1008, "0");
        EXPECT_EQ(s->settings.useWindowWidth, 1);
        // Unchecking leaves the edit alone.
        click(&w, 1000);
        EXPECT_EQ(edit(&w, 1008)->text(), u("0"));
        typeAndOk(&w, 1008, "1"); // below the arrows' range, still accepted
        EXPECT_EQ(w.resultCode(), kToolOk);
        EXPECT_EQ(s->settings.saveWidth, 1);
        EXPECT_EQ(s->settings.useWindowWidth, 0);
    }
    {
        s->settings.useWindowWidth = 1;
        SaveBitmapWindow w(nullptr, *s);
        w.setMessageBox(boxes.fn());
        w.show();
        EXPECT_EQ(edit(&w, 1008)->text(), u("252"));
        boxes.answers.push_back(QMessageBox::Yes);
        click(&w, 1005);
        EXPECT_EQ(edit(&w, 1008)->text(), u("32"));
        EXPECT_FALSE(control<QCheckBox>(&w, 1000)->isChecked());
        typeAndOk(&w, 1008, "1200");
        EXPECT_EQ(s->settings.saveWidth, 1200);
    }
}

TEST(DirectionWindow, TurnsResetsToTopToBottomAndStoresOnOk) {
    auto s = test::makeToolState();
    s->doc.direction = 3;
    test::RecordedBoxes boxes;
    DirectionWindow w(nullptr, *s);
    w.setMessageBox(boxes.fn());
    w.show();
    const QImage first = surfaceImage(s->buffers.previewCanvas).copy();
    std::vector<int> seen;
    for (int i = 0; i < 4; ++i) {
        click(&w, 1003);
        seen.push_back(w.workingDirection());
    }
    EXPECT_EQ(seen, (std::vector<int>{2, 1, 0, 3}));
    EXPECT_EQ(surfaceImage(s->buffers.previewCanvas), first);
    boxes.answers.push_back(QMessageBox::Yes);
    click(&w, 1007);
    EXPECT_EQ(boxes.shown.back().text, u("リセットしますか？"));
    EXPECT_EQ(w.workingDirection(), 1);
    EXPECT_EQ(s->doc.direction, 3);
    click(&w, 1003);
    click(&w, 1);
    EXPECT_EQ(s->doc.direction, 0);
}

TEST(LoopWindow, TextsDescribeTheStateAtOpening) {
    auto s = test::makeToolState();
    s->doc.loop = 0;
    LoopWindow off(nullptr, *s);
    EXPECT_FALSE(control<QCheckBox>(&off, 1000)->isChecked());
    const char* offTexts[] = {"　現在編集中のグラデーションにはループは設定されて",
                              "いません。",
                              "　ループ無しで編集中のグラデーションに後からループを",
                              "設定する場合、端と端で結果的に近接した状態なってしま",
                              "う両端点の存在が曲線のガタつきの原因になります。",
                              "　ループ設定後には、端点を削除するなどして調整を",
                              "行って下さい。"};
    const char* onTexts[] = {"　現在編集中のグラデーションにはループが設定されて",
                             "います。　チェックを外すとループは解除されます。",
                             "　ループの解除にあたってプログラムは自動的に各曲線に",
                             "両端点を作成してセットします。",
                             "　これら端点の作成により、曲線の形が影響されて変化",
                             "してしまう可能性があります。",
                             "　ループ解除後には調整を行って下さい。"};
    const int ids[] = {1017, 1018, 1019, 1020, 1021, 1032, 1026};
    click(&off, 1000); // toggling does not change the texts
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(control<QLabel>(&off, ids[k])->text(), u(offTexts[k])) << ids[k];
    }
    click(&off, 1);
    EXPECT_EQ(s->doc.loop, 1);

    LoopWindow on(nullptr, *s);
    test::RecordedBoxes boxes;
    on.setMessageBox(boxes.fn());
    EXPECT_TRUE(control<QCheckBox>(&on, 1000)->isChecked());
    for (int k = 0; k < 7; ++k) {
        EXPECT_EQ(control<QLabel>(&on, ids[k])->text(), u(onTexts[k])) << ids[k];
    }
    boxes.answers.push_back(QMessageBox::Yes);
    click(&on, 1005);
    EXPECT_EQ(boxes.shown.back().text, u("リセットしますか？"));
    EXPECT_FALSE(control<QCheckBox>(&on, 1000)->isChecked());
    EXPECT_EQ(control<QLabel>(&on, 1017)->text(), u(onTexts[0]));
    click(&on, 2);
    EXPECT_EQ(s->doc.loop, 1);
}

TEST(CmyWindow, StoresTheBoxOnOkOnly) {
    auto s = test::makeToolState();
    CmyWindow w(nullptr, *s);
    click(&w, 1000);
    click(&w, 2);
    EXPECT_EQ(s->doc.cmy, 0);
    CmyWindow again(nullptr, *s);
    click(&again, 1000);
    click(&again, 1);
    EXPECT_EQ(s->doc.cmy, 1);
    CmyWindow third(nullptr, *s);
    EXPECT_TRUE(control<QCheckBox>(&third, 1000)->isChecked());
}

TEST(SynchroWindow, LabelsFollowModeAndCurrentChannelAndDisabledBoxesKeepTheirChecks) {
    auto s = test::makeToolState();
    s->doc.cmy = 1;
    s->doc.currentChannel = 2;
    s->doc.synchro = 0;
    s->doc.synchroChannels = {1, 0, 1};
    test::RecordedBoxes boxes;
    SynchroWindow w(nullptr, *s);
    w.setMessageBox(boxes.fn());
    EXPECT_EQ(control<QCheckBox>(&w, 1001)->text(), u("C ( シアン )"));
    EXPECT_EQ(control<QCheckBox>(&w, 1002)->text(), u("M ( マゼンタ )"));
    EXPECT_EQ(control<QCheckBox>(&w, 1033)->text(), u("Y ( イエロー ) ←[ 現在使用中の色 ]"));
    for (int id : {1001, 1002, 1033}) {
        EXPECT_FALSE(control<QCheckBox>(&w, id)->isEnabled());
    }
    EXPECT_TRUE(control<QCheckBox>(&w, 1001)->isChecked());
    click(&w, 1000);
    EXPECT_TRUE(control<QCheckBox>(&w, 1002)->isEnabled());
    click(&w, 1002);
    click(&w, 1001);
    click(&w, 1000); // off again: the boxes keep their checks
    EXPECT_FALSE(control<QCheckBox>(&w, 1002)->isEnabled());
    EXPECT_TRUE(control<QCheckBox>(&w, 1002)->isChecked());
    click(&w, 1003);
    EXPECT_EQ(w.resultCode(), kToolOk);
    EXPECT_EQ(s->doc.synchro, 0);
    EXPECT_EQ(s->doc.synchroChannels, (std::array<bool, 3>{false, true, true}));

    s->doc.cmy = 0;
    s->doc.currentChannel = 1;
    s->doc.synchro = 1;
    SynchroWindow rgb(nullptr, *s);
    rgb.setMessageBox(boxes.fn());
    EXPECT_EQ(control<QCheckBox>(&rgb, 1001)->text(), u("R ( 赤 )"));
    EXPECT_EQ(control<QCheckBox>(&rgb, 1002)->text(), u("G ( 緑 ) ←[現在使用中の色]"));
    EXPECT_TRUE(control<QCheckBox>(&rgb, 1033)->isEnabled());
    boxes.answers.push_back(QMessageBox::Yes);
    click(&rgb, 1005);
    EXPECT_FALSE(control<QCheckBox>(&rgb, 1000)->isChecked());
    EXPECT_FALSE(control<QCheckBox>(&rgb, 1033)->isChecked());
    EXPECT_FALSE(control<QCheckBox>(&rgb, 1033)->isEnabled());
    rgb.show();
    QTest::keyClick(&rgb, Qt::Key_Escape);
    EXPECT_EQ(rgb.resultCode(), kToolCancel);
    EXPECT_EQ(s->doc.synchro, 1);
}

TEST(PositionWindow, EndPointsKeepTheirDotAndTypedValuesPassUnchecked) {
    auto s = test::makeToolState();
    GradationDocument& doc = s->doc;
    doc.length = 1200;
    doc.loop = 0;
    doc.currentChannel = 1;
    ChannelCurve& c = doc.channels[1];
    c.pointCount = 3;
    c.anchorPoints[0] = {56.0, 300.5};
    c.anchorPoints[1] = {700.9, 100.2};
    c.anchorPoints[2] = {1255.0, 351.0};
    const PositionRequest first = positionRequestFor(doc, 0);
    EXPECT_EQ(first.dot, 0);
    EXPECT_EQ(first.level, 19);
    EXPECT_TRUE(first.fixedDot);
    EXPECT_EQ(first.length, 1200);
    EXPECT_EQ(positionRequestFor(doc, 2).level, -31); // rounded down
    EXPECT_TRUE(positionRequestFor(doc, 2).fixedDot);
    const PositionRequest middle = positionRequestFor(doc, 1);
    EXPECT_EQ(middle.dot, 644);
    EXPECT_FALSE(middle.fixedDot);
    doc.loop = 1;
    EXPECT_FALSE(positionRequestFor(doc, 0).fixedDot); // every x of a loop is editable

    PositionRequest r = first;
    r.workArea = {0, 0, 1920, 1080};
    PositionResult result{-99, -99};
    int code = test::runAndAct([&] { return RunPositionSetWindow(nullptr, *s, r, result); },
                               [](QWidget* w) {
                                   EXPECT_FALSE(edit(w, 1008)->isEnabled());
                                   EXPECT_EQ(w->focusWidget(), edit(w, 1024));
                                   edit(w, 1024)->setText(u("-32"));
                                   QTest::keyClick(edit(w, 1024), Qt::Key_Return);
                               });
    EXPECT_EQ(code, kToolOk);
    EXPECT_EQ(result.dot, 0);
    EXPECT_EQ(result.level, -32);

    r = middle;
    r.workArea = {0, 0, 1920, 1080};
    code = test::runAndAct([&] { return RunPositionSetWindow(nullptr, *s, r, result); },
                           [](QWidget* w) {
                               EXPECT_TRUE(edit(w, 1008)->isEnabled());
                               EXPECT_EQ(w->focusWidget(), edit(w, 1008));
                               edit(w, 1008)->setText(u("1234")); // four digits, read in full
                               edit(w, 1024)->setText(u("300"));  // out of range: passed on
                               click(w, 1);
                           });
    EXPECT_EQ(result.dot, 1234);
    EXPECT_EQ(result.level, 300);
    // An edit left without a number keeps that axis.
    code = test::runAndAct([&] { return RunPositionSetWindow(nullptr, *s, r, result); },
                           [](QWidget* w) {
                               edit(w, 1024)->setText(u("-"));
                               click(w, 1);
                           });
    EXPECT_EQ(result.dot, 644);
    EXPECT_EQ(result.level, middle.level);
    result = {5, 5};
    code = test::runAndAct([&] { return RunPositionSetWindow(nullptr, *s, r, result); },
                           [](QWidget* w) { click(w, 2); });
    EXPECT_EQ(code, kToolCancel);
    EXPECT_EQ(result.dot, 5);
}

TEST(PositionWindow, OpensBesideThePointInsideTheWorkArea) {
    const QRect work(0, 0, 1024, 768);
    const QSize outer(180, 191);
    EXPECT_EQ(placeBesidePoint({100, 200}, outer, work), QPoint(116, 216));
    EXPECT_EQ(placeBesidePoint({900, 700}, outer, work), QPoint(900 - 196, 700 - 207));
    EXPECT_EQ(placeBesidePoint({827, 560}, outer, work), QPoint(827 + 16, 560 + 16)); // 1023 < 1024
    EXPECT_EQ(placeBesidePoint({828, 561}, outer, work), QPoint(828 - 196, 561 - 207));
    EXPECT_EQ(placeBesidePoint({100, 200}, QSize(2000, 191), work), QPoint(0, 216));

    PositionRequest r;
    r.screenPoint = {900, 700};
    r.workArea = work;
    PositionResult result;
    PositionWindow w(nullptr, r, result);
    EXPECT_EQ(w.pos(), QPoint(704, 493));
}

TEST(TitleWindow, CentredOnTheMainWindowClosesOnlyWithZero) {
    auto s = test::makeToolState();
    QWidget main;
    main.setGeometry(100, 50, 901, 601);
    main.show();
    s->mainWindow = &main;
    QRect placed;
    bool escapeClosed = true;
    bool okFocused = false;
    const int code = test::runAndAct([&] { return RunToolWindow(&main, "TitleWnd", *s); },
                                     [&](QWidget* w) {
                                         placed = w->frameGeometry();
                                         QTest::keyClick(w, Qt::Key_Escape);
                                         escapeClosed = !w->isVisible();
                                         okFocused = w->focusWidget() == control(w, 1);
                                         QTest::keyClick(w, Qt::Key_Return);
                                     });
    EXPECT_EQ(code, kToolClosed);
    EXPECT_FALSE(escapeClosed);
    EXPECT_TRUE(okFocused);
    const QRect m = main.frameGeometry();
    EXPECT_EQ(placed.x(), m.left() + (m.width() - placed.width()) / 2);
    EXPECT_EQ(placed.y(), m.top() + (m.height() - placed.height()) / 2);

    const int closed = test::runAndAct([&] { return RunToolWindow(&main, "TitleWnd", *s); },
                                       [](QWidget* w) { click(w, 1); });
    EXPECT_EQ(closed, kToolClosed);
}

} // namespace
} // namespace spectrane
