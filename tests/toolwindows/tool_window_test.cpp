// What the tool windows do: opening values, OK and its refusals, Reset, Cancel, the keys and the
// close box, the rotations, the state texts and labels, the point position and title windows.
#include "tool_window_fixture.h"

#include "qtsupport/surface_image.h"
#include "toolwindows/numeric_edit.h"
#include "toolwindows/position_window.h"

#include <QLabel>
#include <QTest>
#include <QToolButton>
#include <QWheelEvent>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <tuple>

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
    const std::pair<const char*, int> good[] = {
        {"512", 512}, {"12.9", 12}, {"-3.7", -3}, {" 7 ", 7}, {".5", 0}};
    for (const auto& [text, value] : good) {
        EXPECT_EQ(parseEditNumber(u(text)), value) << text;
    }
    for (const char* bad : {"", "-", "abc", "12ab", "1e3"}) {
        EXPECT_EQ(parseEditNumber(u(bad)), std::nullopt) << bad;
    }
    QWidget parent;
    QLineEdit* e = addNumberEdit(&parent, 1008, {10, 10, 56, 21}, EditChars::Digits);
    UpDownControl ud(&parent, 1022, {60, 10, 16, 21}, e, 2, 1600);
    e->setText(u("1"));
    ud.upButton()->click();
    EXPECT_EQ(e->text(), u("2"));
    e->setText(u("x"));
    ud.downButton()->click();
    EXPECT_EQ(e->text(), u("2")); // no number: steps from the last value
    QTest::keyClicks(e, u("a-9"));
    EXPECT_EQ(e->text(), u("29"));
    QLineEdit* level = addNumberEdit(&parent, 1024, {10, 40, 56, 21}, EditChars::DigitsAndMinus);
    QTest::keyClicks(level, u("-12345"));
    EXPECT_EQ(level->text(), u("-123"));

    showNumber(e, 10);
    for (Qt::Key key : {Qt::Key_Up, Qt::Key_Up, Qt::Key_Down}) {
        QTest::keyClick(e, key);
    }
    EXPECT_EQ(e->text(), u("11"));
    for (int angle : {120, 120, -120, 60, 60}) { // two half notches make one step
        QWheelEvent wheel(QPointF(5, 5), e->mapToGlobal(QPointF(5, 5)), {}, {0, angle},
                          Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(e, &wheel);
    }
    EXPECT_EQ(e->text(), u("13"));
}

// OK accepts both ends and refuses one past each (and no number), keeping the window open, the
// text selected and the document as it was; the arrows stop at their own ends.
TEST(ToolWindows, NumericFieldsHoldTheirBounds) {
    struct OkRow {
        Kind kind;
        int low;
        int high;
    };
    for (const OkRow& row : {OkRow{Kind::NewGradation, 2, 1600}, OkRow{Kind::Length, 2, 1600},
                             OkRow{Kind::SaveBitmap, 1, 1200}}) {
        test::ToolFixture f;
        f.doc.length = 640;
        int& stored = row.kind == Kind::SaveBitmap ? f.settings.saveWidth : f.doc.length;
        const int before = stored;
        const std::string low = std::to_string(row.low - 1);
        const std::string high = std::to_string(row.high + 1);
        for (const char* bad : {low.c_str(), high.c_str(), "", "abc"}) {
            auto w = f.open(row.kind);
            setText(w.get(), 1008, bad);
            click(w.get(), 1);
            ASSERT_FALSE(f.boxes.shown.empty()) << bad;
            EXPECT_TRUE(w->isVisible()) << bad;
            EXPECT_EQ(w->focusWidget(), edit(w.get(), 1008));
            EXPECT_EQ(edit(w.get(), 1008)->selectedText(), u(bad));
            EXPECT_EQ(stored, before);
        }
        for (int value : {row.low, row.high}) {
            auto w = f.open(row.kind);
            setText(w.get(), 1008, std::to_string(value).c_str());
            click(w.get(), 1);
            EXPECT_EQ(w->resultCode(), kToolOk) << value;
            EXPECT_EQ(stored, value);
        }
    }

    PositionRequest request;
    request.length = 640;
    request.dot = 100;
    request.workArea = {0, 0, 1920, 1080};
    PositionResult result;
    test::ToolFixture f;
    const auto position = std::make_unique<PositionWindow>(nullptr, request, result);
    const std::unique_ptr<ToolWindow> windows[] = {f.open(Kind::NewGradation), f.open(Kind::Length),
                                                   f.open(Kind::SaveBitmap)};
    struct ArrowRow {
        QWidget* window;
        int edit;
        int arrows;
        int low;
        int high;
    };
    const ArrowRow arrows[] = {{windows[0].get(), 1008, 1022, 2, 1600},
                               {windows[1].get(), 1008, 1022, 2, 1600},
                               {windows[2].get(), 1008, 1022, 2, 1200},
                               {position.get(), 1008, 1022, 0, 639},
                               {position.get(), 1024, 1025, -32, 288}};
    for (const ArrowRow& row : arrows) {
        auto* ud = control<UpDownControl>(row.window, row.arrows);
        QLineEdit* e = edit(row.window, row.edit);
        // From one inside each end a step reaches it, and a further step stays there.
        for (const auto& [start, delta, end] :
             {std::tuple(row.low + 1, -1, row.low), std::tuple(row.high - 1, 1, row.high)}) {
            showNumber(e, start);
            ud->step(delta);
            EXPECT_EQ(readEditNumber(e), end) << row.arrows;
            ud->step(delta);
            EXPECT_EQ(readEditNumber(e), end) << row.arrows;
        }
    }
}

// Reset asks first; answered No nothing changes, answered Yes the defaults go into the
// controls only, and Cancel afterwards leaves the document as it was.
TEST(ToolWindows, ResetPutsDefaultsIntoTheControlsOnly) {
    test::ToolFixture f;
    f.doc.length = 900;
    f.settings.lengthChangeMethod = 2;
    const GradationDocument before = f.doc;
    const Settings settingsBefore = f.settings;
    auto w = f.open(Kind::Length);
    click(w.get(), 1005); // answered No
    ASSERT_EQ(f.boxes.shown.size(), 1u);
    EXPECT_EQ(f.boxes.shown[0].buttons, QMessageBox::Yes | QMessageBox::No);
    EXPECT_EQ(edit(w.get(), 1008)->text(), u("900"));
    f.boxes.answers.push_back(QMessageBox::Yes);
    click(w.get(), 1005);
    EXPECT_EQ(edit(w.get(), 1008)->text(), u("512"));
    EXPECT_EQ(control(w.get(), 1019)->property("text").toString(), u("900"));
    EXPECT_TRUE(checked(w.get(), 1009));
    click(w.get(), 2);
    EXPECT_EQ(w->resultCode(), kToolCancel);
    EXPECT_EQ(f.doc.settings(), before.settings());
    EXPECT_EQ(f.settings, settingsBefore);
}

TEST(ToolWindows, OkStoresWhatTheControlsShow) {
    test::ToolFixture f;
    f.doc.direction = 3;
    f.doc.thickness = 252;
    auto direction = f.open(Kind::Direction);
    const QImage first = surfaceImage(f.canvas).copy();
    for (int i = 0; i < 5; ++i) { // 3 -> 2 -> 1 -> 0 -> 3 -> 2, the picture turning along
        click(direction.get(), 1003);
        EXPECT_EQ(surfaceImage(f.canvas) == first, i == 3) << i;
    }
    click(direction.get(), 1);
    EXPECT_EQ(f.doc.direction, 2);

    auto fresh = f.open(Kind::NewGradation);              // its length and loop: MainWindow's tests
    EXPECT_EQ(edit(fresh.get(), 1008)->text(), u("512")); // the current length
    EXPECT_EQ(edit(fresh.get(), 1008)->cursorPosition(), 3);
    click(fresh.get(), 1003); // 2 -> 1
    click(fresh.get(), 1);
    EXPECT_EQ(f.doc.direction, 1);

    auto length = f.open(Kind::Length);
    click(length.get(), 1012);
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
    EXPECT_EQ(std::pair(f.settings.saveWidth, f.settings.useWindowWidth), std::pair(40, false));

    auto cmy = f.open(Kind::Cmy);
    click(cmy.get(), 1000);
    click(cmy.get(), 1);
    EXPECT_TRUE(f.doc.cmy());
    EXPECT_TRUE(checked(f.open(Kind::Cmy).get(), 1000));
}

TEST(SynchroWindow, LabelsFollowModeAndChannelDisabledBoxesKeepTheirChecksEnterConfirms) {
    test::ToolFixture f;
    f.doc.mode = ColorMode::Cmy;
    f.doc.currentChannel = 2;
    f.doc.synchroChannels = {true, false, true};
    auto w = f.open(Kind::Synchro);
    EXPECT_EQ(control<QAbstractButton>(w.get(), 1001)->text(), u("C ( シアン )"));
    EXPECT_EQ(control<QAbstractButton>(w.get(), 1033)->text(),
              u("Y ( イエロー ) ←[ 現在使用中の色 ]"));
    EXPECT_FALSE(control(w.get(), 1001)->isEnabled());
    click(w.get(), 1000);
    EXPECT_TRUE(control(w.get(), 1002)->isEnabled());
    click(w.get(), 1002);
    click(w.get(), 1001);
    click(w.get(), 1000); // off again: the boxes keep their checks
    EXPECT_FALSE(control(w.get(), 1002)->isEnabled());
    control(w.get(), 1000)->setFocus(); // Enter confirms whatever has the focus
    QTest::keyClick(control(w.get(), 1000), Qt::Key_Return);
    EXPECT_EQ(w->resultCode(), kToolOk);
    EXPECT_FALSE(f.doc.synchro);
    EXPECT_EQ(f.doc.synchroChannels, (std::array<bool, 3>{false, true, true}));
}

TEST(PositionWindow, EndPointsKeepTheirDotAndTypedValuesPassUnchecked) {
    auto doc = std::make_unique<GradationDocument>();
    doc->currentChannel = 1;
    doc->channels[1].pointCount = 3;
    doc->channels[1].anchorPoints = {{{56.0, 300.5}, {700.9, 100.2}, {1255.0, 351.0}}};
    const PositionRequest first = positionRequestFor(*doc, 0);
    const PositionRequest middle = positionRequestFor(*doc, 1);
    EXPECT_EQ(std::tuple(first.dot, first.level, first.fixedDot), std::tuple(0, 19, true));
    EXPECT_EQ(std::tuple(middle.dot, middle.level, middle.fixedDot), std::tuple(644, 219, false));
    EXPECT_EQ(positionRequestFor(*doc, 2).level, -31); // rounded down
    doc->loop = true;
    EXPECT_FALSE(positionRequestFor(*doc, 0).fixedDot); // every x of a loop is editable

    // The typed texts, then Enter in the level edit (button 0) or a click.
    struct Row {
        PositionRequest request;
        const char* dot;
        const char* level;
        int button;
        int code;
        PositionResult expected;
    };
    const Row rows[] = {
        {first, "100", "-32", 0, kToolOk, {0, -32}},        // the disabled dot edit does not count
        {middle, "1234", "300", 1, kToolOk, {1234, 300}},   // out of range: passed on
        {middle, "", "-", 1, kToolOk, {644, middle.level}}, // no number: that axis stays
        {middle, "1", "1", 2, kToolCancel, {5, 5}},
    };
    for (const Row& row : rows) {
        PositionRequest r = row.request;
        r.workArea = {0, 0, 1920, 1080};
        PositionResult result{5, 5};
        const auto act = [&](QWidget* w) {
            EXPECT_EQ(edit(w, 1008)->isEnabled(), !r.fixedDot);
            EXPECT_EQ(w->focusWidget(), edit(w, r.fixedDot ? 1024 : 1008));
            setText(w, 1008, row.dot);
            setText(w, 1024, row.level);
            row.button == 0 ? QTest::keyClick(edit(w, 1024), Qt::Key_Return) : click(w, row.button);
        };
        EXPECT_EQ(test::runAndAct([&] { return RunPositionSetWindow(nullptr, r, result); }, act),
                  row.code);
        EXPECT_EQ(std::pair(result.dot, result.level),
                  std::pair(row.expected.dot, row.expected.level));
    }

    const QRect work(0, 0, 1024, 768);
    const QSize outer(180, 191);
    EXPECT_EQ(placeBesidePoint({100, 200}, outer, work), QPoint(116, 216));
    EXPECT_EQ(placeBesidePoint({827, 560}, outer, work), QPoint(843, 576)); // ends at 1023
    EXPECT_EQ(placeBesidePoint({828, 561}, outer, work), QPoint(828 - 196, 561 - 207));
    EXPECT_EQ(placeBesidePoint({100, 200}, QSize(2000, 191), work), QPoint(0, 216));
}

// Escape does not close it, Enter does, with 0 (its place: tests/e2e, window_frames).
TEST(TitleWindow, ClosesOnlyWithZero) {
    test::ToolFixture f;
    bool escapeClosed = true;
    const int code = test::runAndAct([&] { return RunToolWindow(nullptr, Kind::Title, f.ctx); },
                                     [&](QWidget* w) {
                                         QTest::keyClick(w, Qt::Key_Escape);
                                         escapeClosed = !w->isVisible();
                                         QTest::keyClick(w, Qt::Key_Return);
                                     });
    EXPECT_EQ(code, kToolClosed);
    EXPECT_FALSE(escapeClosed);
}

} // namespace
} // namespace spectrane
