// What the tool windows do: opening values, OK and its refusals, Reset, Cancel, the keys and the
// close box, the rotations, the state texts and labels, the point position and title windows.
#include "tool_window_fixture.h"

#include "qtsupport/surface_image.h"
#include "toolwindows/numeric_edit.h"
#include "toolwindows/position_window.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include <gtest/gtest.h>

namespace spectrane {
namespace {

using test::click;
using test::control;
using test::setText;
using test::u;
using Kind = ToolWindowKind;

QLineEdit* edit(QWidget* w, int id) {
    return control<QLineEdit>(w, id);
}
bool checked(QWidget* w, int id) {
    return control<QAbstractButton>(w, id)->isChecked();
}

TEST(NumericEdit, ReadsWholeNumbersAndStepsWithinTheArrowsRange) {
    const std::pair<const char*, std::optional<int>> rows[] = {{"512", 512},
                                                               {"12.9", 12},
                                                               {"-3.7", -3},
                                                               {" 7 ", 7},
                                                               {".5", 0},
                                                               {"", std::nullopt},
                                                               {"-", std::nullopt},
                                                               {"abc", std::nullopt},
                                                               {"12ab", std::nullopt},
                                                               {"1e3", std::nullopt}};
    for (const auto& [text, value] : rows) {
        EXPECT_EQ(parseEditNumber(u(text)), value) << text;
    }
    QWidget parent;
    QLineEdit* e = addNumberEdit(&parent, 1008, {10, 10, 56, 21}, EditChars::Digits);
    UpDownControl ud(&parent, 1022, {60, 10, 16, 21}, e, 2, 1600);
    showNumber(e, 1599);
    ud.upButton()->click();
    ud.step(1);
    EXPECT_EQ(e->text(), u("1600")); // plain digits, stopped at the top
    e->setText(u("1"));
    ud.step(-1);
    EXPECT_EQ(e->text(), u("2")); // the arrows stop at 2
    e->setText(u("x"));
    ud.downButton()->click();
    EXPECT_EQ(e->text(), u("2")); // no number: steps from the last value
    QTest::keyClicks(e, u("a-9"));
    EXPECT_EQ(e->text(), u("29")); // digits only
    QLineEdit* level = addNumberEdit(&parent, 1024, {10, 40, 56, 21}, EditChars::DigitsAndMinus);
    QTest::keyClicks(level, u("-12345"));
    EXPECT_EQ(level->text(), u("-123")); // a minus sign, at most 4 characters

    // The Up and Down keys and the wheel over the edit step it as the arrows do.
    showNumber(e, 10);
    QTest::keyClick(e, Qt::Key_Up);
    QTest::keyClick(e, Qt::Key_Up);
    QTest::keyClick(e, Qt::Key_Down);
    EXPECT_EQ(e->text(), u("11"));
    for (int angle : {120, 120, -120, 60, 60}) { // two half notches make one step
        QWheelEvent wheel(QPointF(5, 5), e->mapToGlobal(QPointF(5, 5)), {}, {0, angle},
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(e, &wheel);
    }
    EXPECT_EQ(e->text(), u("13"));
}

TEST(ToolWindowFramework, ResultCodesKeysAndTheDisabledOwner) {
    test::ToolFixture f;
    f.doc.length = 300;
    QWidget owner;
    owner.show();
    bool ownerEnabledDuring = true;
    const auto run = [&](const char* name, const std::function<void(QWidget*)>& act) {
        return test::runAndAct([&] { return RunToolWindow(&owner, name, f.ctx); },
                               [&](QWidget* w) {
                                   ownerEnabledDuring = owner.isEnabled();
                                   act(w);
                               });
    };
    EXPECT_EQ(run("Shinki_Wnd",
                  [](QWidget* w) {
                      setText(w, 1008, "444");
                      QTest::keyClick(edit(w, 1008), Qt::Key_Return);
                  }),
              kToolOk);
    EXPECT_EQ(f.doc.length, 444);
    EXPECT_FALSE(ownerEnabledDuring);
    EXPECT_TRUE(owner.isEnabled());
    EXPECT_EQ(run("SettingLengthWnd",
                  [](QWidget* w) {
                      setText(w, 1008, "999");
                      QTest::keyClick(edit(w, 1008), Qt::Key_Escape);
                  }),
              kToolCancel);
    EXPECT_EQ(run("UseCMY_Wnd",
                  [](QWidget* w) {
                      click(w, 1000);
                      w->close();
                  }),
              kToolClosed);
    EXPECT_EQ(f.doc.length, 444);
    EXPECT_FALSE(f.doc.cmy);
    // A name not in the table (exact, case-sensitive) shows nothing and disables nothing.
    EXPECT_EQ(RunToolWindow(&owner, "shinki_wnd", f.ctx), kToolClosed);
    EXPECT_TRUE(owner.isEnabled());
}

// Enter confirms whatever control has the focus (the title window closes with 0), Escape
// cancels, Space presses the focused button.
TEST(ToolWindows, EnterConfirmsWhateverHasTheFocus) {
    for (int k = 0; k <= static_cast<int>(Kind::Loop); ++k) {
        const auto kind = static_cast<Kind>(k);
        if (kind == Kind::PositionSet) {
            continue; // its keys are checked with its point below
        }
        SCOPED_TRACE(toolWindowSpec(kind).name);
        test::ToolFixture probe;
        const auto probed = probe.open(kind);
        std::vector<QString> focusable;
        for (QWidget* w : probed->findChildren<QWidget*>()) {
            if (w->property("controlId").isValid() && (w->focusPolicy() & Qt::TabFocus) != 0) {
                focusable.push_back(w->objectName());
            }
        }
        ASSERT_FALSE(focusable.empty());
        for (const QString& name : focusable) {
            test::ToolFixture f;
            auto w = f.open(kind);
            auto* target = w->findChild<QWidget*>(name);
            target->setFocus();
            QTest::keyClick(target, Qt::Key_Return);
            EXPECT_EQ(w->resultCode(), kind == Kind::Title ? kToolClosed : kToolOk)
                << name.toStdString();
            EXPECT_FALSE(w->isVisible()) << name.toStdString();
        }
    }
    test::ToolFixture f;
    auto loop = f.open(Kind::Loop);
    control(loop.get(), 2)->setFocus();
    QTest::keyClick(control(loop.get(), 2), Qt::Key_Space);
    EXPECT_EQ(loop->resultCode(), kToolCancel);
}

// A window that refuses what is typed keeps itself open, the edit focused with its text
// selected, and the document as it was.
TEST(ToolWindows, RefuseBadNumbersAndAcceptTheBounds) {
    struct Row {
        Kind kind;
        std::vector<const char*> bad;
        std::vector<std::pair<const char*, int>> good; // typed -> stored
        const char* title;
        const char* text;
    };
    const Row rows[] = {
        {Kind::NewGradation,
         {"1", "0", "1601", "", "abc"},
         {{"2", 2}, {"1600", 1600}},
         "グラデーションの長さ設定が不正です。",
         "グラデーションの長さは2～1600の間でセットして下さい。"},
        {Kind::Length,
         {"1601", "1"},
         {{"640", 640}},
         "グラデーションの長さ設定が不正です。",
         "グラデーションの長さは2～1600の間でセットして下さい。"},
        {Kind::SaveBitmap,
         {"0", "1201", "", "x1"},
         {{"1", 1}, {"1200", 1200}},
         "幅の設定が不正です。",
         "グラデーションの幅は1～1200の間でセットして下さい。"},
    };
    for (const Row& row : rows) {
        test::ToolFixture f;
        f.doc.length = 640;
        f.settings.saveWidth = 77;
        int& stored = row.kind == Kind::SaveBitmap ? f.settings.saveWidth : f.doc.length;
        const int before = stored;
        for (const char* bad : row.bad) {
            SCOPED_TRACE(bad);
            auto w = f.open(row.kind);
            setText(w.get(), 1008, bad);
            click(w.get(), 1);
            ASSERT_FALSE(f.boxes.shown.empty());
            const auto& box = f.boxes.shown.back();
            EXPECT_EQ(box.title, u(row.title));
            EXPECT_EQ(box.text, u(row.text));
            EXPECT_EQ(box.icon, QMessageBox::NoIcon);
            EXPECT_EQ(box.buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
            EXPECT_TRUE(w->isVisible());
            EXPECT_EQ(w->focusWidget(), edit(w.get(), 1008));
            EXPECT_EQ(edit(w.get(), 1008)->selectedText(), edit(w.get(), 1008)->text());
            EXPECT_EQ(stored, before);
        }
        for (const auto& [typed, value] : row.good) {
            auto w = f.open(row.kind);
            setText(w.get(), 1008, typed);
            click(w.get(), 1);
            EXPECT_EQ(w->resultCode(), kToolOk) << typed;
            EXPECT_EQ(stored, value);
        }
    }
}

// Reset asks first; answered No nothing changes, answered Yes the defaults go into the
// controls only; Cancel afterwards leaves the document as it was.
TEST(ToolWindows, ResetPutsDefaultsIntoTheControlsOnly) {
    struct Row {
        Kind kind;
        int resetId;
        const char* question;
        std::function<void(QWidget*)> expectDefaults;
    };
    const Row rows[] = {
        {Kind::NewGradation, 1007, "全ての項目をリセットしますか？",
         [](QWidget* w) {
             EXPECT_EQ(edit(w, 1008)->text(), u("512"));
             EXPECT_FALSE(checked(w, 1000));
         }},
        {Kind::Length, 1005, "全ての項目をリセットしますか？",
         [](QWidget* w) {
             EXPECT_EQ(edit(w, 1008)->text(), u("512"));
             EXPECT_EQ(control<QLabel>(w, 1019)->text(), u("900")); // the current length stays
             EXPECT_TRUE(checked(w, 1009));
         }},
        {Kind::SaveBitmap, 1005, "全ての項目をリセットしますか？",
         [](QWidget* w) {
             EXPECT_EQ(edit(w, 1008)->text(), u("32"));
             EXPECT_FALSE(checked(w, 1000));
         }},
        {Kind::Direction, 1007, "リセットしますか？", [](QWidget*) {}},
        {Kind::Loop, 1005, "リセットしますか？",
         [](QWidget* w) { EXPECT_FALSE(checked(w, 1000)); }},
        {Kind::Cmy, 1005, "リセットしますか？", [](QWidget* w) { EXPECT_FALSE(checked(w, 1000)); }},
        {Kind::Synchro, 1005, "リセットしますか？",
         [](QWidget* w) {
             for (int id : {1000, 1001, 1002, 1033}) {
                 EXPECT_FALSE(checked(w, id)) << id;
             }
             EXPECT_FALSE(control(w, 1033)->isEnabled());
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(toolWindowSpec(row.kind).name);
        test::ToolFixture f;
        f.doc.length = 900;
        f.doc.direction = 0;
        f.doc.loop = f.doc.cmy = f.doc.synchro = true;
        f.doc.synchroChannels = {true, true, true};
        f.settings.lengthChangeMethod = 2;
        f.settings.saveWidth = 77;
        f.settings.useWindowWidth = true;
        const GradationDocument before = f.doc;
        const Settings settingsBefore = f.settings;
        auto w = f.open(row.kind);
        const QImage picture = surfaceImage(f.canvas).copy();
        click(w.get(), row.resetId); // answered No
        ASSERT_EQ(f.boxes.shown.size(), 1u);
        EXPECT_EQ(f.boxes.shown[0].title, u("確認"));
        EXPECT_EQ(f.boxes.shown[0].text, u(row.question));
        EXPECT_EQ(f.boxes.shown[0].icon, QMessageBox::Warning);
        EXPECT_EQ(f.boxes.shown[0].buttons, QMessageBox::Yes | QMessageBox::No);
        EXPECT_EQ(surfaceImage(f.canvas), picture);
        f.boxes.answers.push_back(QMessageBox::Yes);
        click(w.get(), row.resetId);
        row.expectDefaults(w.get());
        if (row.kind == Kind::Direction || row.kind == Kind::NewGradation) {
            // Top to bottom: the picture of direction 1 (drawn by the preview from the sheet).
            EXPECT_NE(surfaceImage(f.canvas), picture);
        }
        click(w.get(), row.kind == Kind::Synchro ? 1004 : 2);
        EXPECT_EQ(w->resultCode(), kToolCancel);
        EXPECT_EQ(f.doc.settings(), before.settings());
        EXPECT_EQ(f.settings, settingsBefore);
    }
}

TEST(ToolWindows, OkStoresWhatTheControlsShow) {
    test::ToolFixture f;
    f.doc.direction = 3;
    f.doc.thickness = 252;
    auto direction = f.open(Kind::Direction);
    const QImage first = surfaceImage(f.canvas).copy();
    std::vector<QImage> pictures;
    for (int i = 0; i < 4; ++i) { // 3 -> 2 -> 1 -> 0 -> 3, a quarter anticlockwise each
        click(direction.get(), 1003);
        pictures.push_back(surfaceImage(f.canvas).copy());
    }
    EXPECT_EQ(pictures[3], first);
    EXPECT_NE(pictures[0], first);
    click(direction.get(), 1003);
    click(direction.get(), 1);
    EXPECT_EQ(f.doc.direction, 2);

    auto fresh = f.open(Kind::NewGradation);
    EXPECT_EQ(edit(fresh.get(), 1008)->text(), u("512")); // the current length
    EXPECT_EQ(edit(fresh.get(), 1008)->cursorPosition(), 3);
    EXPECT_FALSE(edit(fresh.get(), 1008)->hasSelectedText());
    click(fresh.get(), 1003); // 2 -> 1
    click(fresh.get(), 1000);
    setText(fresh.get(), 1008, "700");
    click(fresh.get(), 1);
    EXPECT_EQ(f.doc.length, 700);
    EXPECT_EQ(f.doc.direction, 1);
    EXPECT_TRUE(f.doc.loop);

    auto length = f.open(Kind::Length);
    control<QRadioButton>(length.get(), 1012)->click();
    EXPECT_FALSE(checked(length.get(), 1009)); // one group: one checked
    click(length.get(), 1);                    // the unchanged length still confirms
    EXPECT_EQ(length->resultCode(), kToolOk);
    EXPECT_EQ(f.settings.lengthChangeMethod, 3);

    auto save = f.open(Kind::SaveBitmap);
    EXPECT_EQ(edit(save.get(), 1008)->text(), u("32"));
    click(save.get(), 1000); // takes the window's thickness
    EXPECT_EQ(edit(save.get(), 1008)->text(), u("252"));
    setText(save.get(), 1008, "0");
    click(save.get(), 1); // refused, but the box is stored
    EXPECT_TRUE(f.settings.useWindowWidth);
    click(save.get(), 1000); // unchecking leaves the edit alone
    EXPECT_EQ(edit(save.get(), 1008)->text(), u("0"));
    setText(save.get(), 1008, "40");
    click(save.get(), 1);
    EXPECT_EQ(f.settings.saveWidth, 40);
    EXPECT_FALSE(f.settings.useWindowWidth);
    f.settings.useWindowWidth = true;
    EXPECT_EQ(edit(f.open(Kind::SaveBitmap).get(), 1008)->text(), u("252"));

    auto cmy = f.open(Kind::Cmy);
    click(cmy.get(), 1000);
    click(cmy.get(), 1);
    EXPECT_TRUE(f.doc.cmy);
    EXPECT_TRUE(checked(f.open(Kind::Cmy).get(), 1000));
}

TEST(LoopWindow, TextsDescribeTheStateAtOpening) {
    const int ids[] = {1017, 1018, 1019, 1020, 1021, 1032, 1026};
    const char* off[] = {"　現在編集中のグラデーションにはループは設定されて",
                         "いません。",
                         "　ループ無しで編集中のグラデーションに後からループを",
                         "設定する場合、端と端で結果的に近接した状態なってしま",
                         "う両端点の存在が曲線のガタつきの原因になります。",
                         "　ループ設定後には、端点を削除するなどして調整を",
                         "行って下さい。"};
    const char* on[] = {"　現在編集中のグラデーションにはループが設定されて",
                        "います。　チェックを外すとループは解除されます。",
                        "　ループの解除にあたってプログラムは自動的に各曲線に",
                        "両端点を作成してセットします。",
                        "　これら端点の作成により、曲線の形が影響されて変化",
                        "してしまう可能性があります。",
                        "　ループ解除後には調整を行って下さい。"};
    test::ToolFixture f;
    for (bool looped : {false, true}) {
        f.doc.loop = looped;
        auto w = f.open(Kind::Loop);
        EXPECT_EQ(checked(w.get(), 1000), looped);
        click(w.get(), 1000); // toggling does not change the texts
        for (int k = 0; k < 7; ++k) {
            EXPECT_EQ(control<QLabel>(w.get(), ids[k])->text(), u(looped ? on[k] : off[k]));
        }
        click(w.get(), 1);
        EXPECT_EQ(f.doc.loop, !looped);
    }
}

TEST(SynchroWindow, LabelsFollowModeAndCurrentChannelAndDisabledBoxesKeepTheirChecks) {
    test::ToolFixture f;
    f.doc.cmy = true;
    f.doc.currentChannel = 2;
    f.doc.synchroChannels = {true, false, true};
    auto w = f.open(Kind::Synchro);
    EXPECT_EQ(control<QCheckBox>(w.get(), 1001)->text(), u("C ( シアン )"));
    EXPECT_EQ(control<QCheckBox>(w.get(), 1002)->text(), u("M ( マゼンタ )"));
    EXPECT_EQ(control<QCheckBox>(w.get(), 1033)->text(), u("Y ( イエロー ) ←[ 現在使用中の色 ]"));
    EXPECT_FALSE(control(w.get(), 1001)->isEnabled());
    click(w.get(), 1000);
    EXPECT_TRUE(control(w.get(), 1002)->isEnabled());
    click(w.get(), 1002);
    click(w.get(), 1001);
    click(w.get(), 1000); // off again: the boxes keep their checks
    EXPECT_FALSE(control(w.get(), 1002)->isEnabled());
    QTest::keyClick(w.get(), Qt::Key_Return);
    EXPECT_EQ(w->resultCode(), kToolOk);
    EXPECT_FALSE(f.doc.synchro);
    EXPECT_EQ(f.doc.synchroChannels, (std::array<bool, 3>{false, true, true}));

    f.doc.cmy = false;
    f.doc.currentChannel = 1;
    auto rgb = f.open(Kind::Synchro);
    EXPECT_EQ(control<QCheckBox>(rgb.get(), 1001)->text(), u("R ( 赤 )"));
    EXPECT_EQ(control<QCheckBox>(rgb.get(), 1002)->text(), u("G ( 緑 ) ←[現在使用中の色]"));
}

TEST(PositionWindow, EndPointsKeepTheirDotAndTypedValuesPassUnchecked) {
    auto doc = std::make_unique<GradationDocument>();
    doc->length = 1200;
    doc->currentChannel = 1;
    ChannelCurve& c = doc->channels[1];
    c.pointCount = 3;
    c.anchorPoints[0] = {56.0, 300.5};
    c.anchorPoints[1] = {700.9, 100.2};
    c.anchorPoints[2] = {1255.0, 351.0};
    const PositionRequest first = positionRequestFor(*doc, 0);
    EXPECT_EQ(first.dot, 0);
    EXPECT_EQ(first.level, 19);
    EXPECT_TRUE(first.fixedDot);
    EXPECT_EQ(positionRequestFor(*doc, 2).level, -31); // rounded down
    const PositionRequest middle = positionRequestFor(*doc, 1);
    EXPECT_EQ(middle.dot, 644);
    EXPECT_FALSE(middle.fixedDot);
    doc->loop = true;
    EXPECT_FALSE(positionRequestFor(*doc, 0).fixedDot); // every x of a loop is editable

    struct Row {
        PositionRequest request;
        std::function<void(QWidget*)> act;
        int code;
        PositionResult expected;
    };
    const Row rows[] = {
        {first,
         [](QWidget* w) {
             EXPECT_FALSE(edit(w, 1008)->isEnabled());
             EXPECT_EQ(w->focusWidget(), edit(w, 1024));
             setText(w, 1008, "100"); // the disabled edit does not count
             setText(w, 1024, "-32");
             QTest::keyClick(edit(w, 1024), Qt::Key_Return);
         },
         kToolOk,
         {0, -32}},
        {middle,
         [](QWidget* w) {
             EXPECT_EQ(w->focusWidget(), edit(w, 1008));
             setText(w, 1008, "1234"); // four digits, read in full
             setText(w, 1024, "300");  // out of range: passed on
             click(w, 1);
         },
         kToolOk,
         {1234, 300}},
        {middle,
         [](QWidget* w) { // no number: that axis stays
             setText(w, 1024, "-");
             click(w, 1);
         },
         kToolOk,
         {644, middle.level}},
        {middle, [](QWidget* w) { click(w, 2); }, kToolCancel, {5, 5}},
    };
    for (const Row& row : rows) {
        PositionRequest r = row.request;
        r.workArea = {0, 0, 1920, 1080};
        PositionResult result{5, 5};
        EXPECT_EQ(
            test::runAndAct([&] { return RunPositionSetWindow(nullptr, r, result); }, row.act),
            row.code);
        EXPECT_EQ(result.dot, row.expected.dot);
        EXPECT_EQ(result.level, row.expected.level);
    }

    const QRect work(0, 0, 1024, 768);
    const QSize outer(180, 191);
    EXPECT_EQ(placeBesidePoint({100, 200}, outer, work), QPoint(116, 216));
    EXPECT_EQ(placeBesidePoint({827, 560}, outer, work), QPoint(843, 576)); // ends at 1023
    EXPECT_EQ(placeBesidePoint({828, 561}, outer, work), QPoint(828 - 196, 561 - 207));
    EXPECT_EQ(placeBesidePoint({100, 200}, QSize(2000, 191), work), QPoint(0, 216));
}

TEST(TitleWindow, CentredOnTheMainWindowClosesOnlyWithZero) {
    test::ToolFixture f;
    QWidget main;
    main.setGeometry(100, 50, 901, 601);
    main.show();
    f.ctx.mainWindow = &main;
    QRect placed;
    bool escapeClosed = true;
    bool okFocused = false;
    const int code = test::runAndAct([&] { return RunToolWindow(&main, Kind::Title, f.ctx); },
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
}

} // namespace
} // namespace spectrane
