// Every tool window's title, client size and controls: id, kind, caption and described place.
#include "tool_window_test_support.h"

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

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <gtest/gtest.h>

namespace spectrane {
namespace {

using test::control;

enum class Kind { Group, Static, Edit, UpDown, Push, Check, Radio };

struct Expected {
    int id;
    Kind kind;
    const char* text; // nullptr: not checked
    QRect rect;
};

QString captionOf(QWidget* w, Kind kind) {
    switch (kind) {
    case Kind::Group:
        return qobject_cast<QGroupBox*>(w)->title();
    case Kind::Static:
        return qobject_cast<QLabel*>(w)->text();
    case Kind::Edit:
        return qobject_cast<QLineEdit*>(w)->text();
    case Kind::Push:
    case Kind::Check:
    case Kind::Radio:
        return qobject_cast<QAbstractButton*>(w)->text();
    case Kind::UpDown:
        return {};
    }
    return {};
}

bool isKind(QWidget* w, Kind kind) {
    switch (kind) {
    case Kind::Group:
        return qobject_cast<QGroupBox*>(w) != nullptr;
    case Kind::Static:
        return qobject_cast<QLabel*>(w) != nullptr;
    case Kind::Edit:
        return qobject_cast<QLineEdit*>(w) != nullptr;
    case Kind::UpDown:
        return qobject_cast<UpDownControl*>(w) != nullptr;
    case Kind::Push:
        return qobject_cast<QPushButton*>(w) != nullptr;
    case Kind::Check:
        return qobject_cast<QCheckBox*>(w) != nullptr;
    case Kind::Radio:
        return qobject_cast<QRadioButton*>(w) != nullptr;
    }
    return false;
}

void expectWindow(QWidget& window, const char* title, QSize client,
                  std::initializer_list<Expected> controls) {
    EXPECT_EQ(window.windowTitle(), QString::fromUtf8(title));
    EXPECT_EQ(window.size(), client);
    EXPECT_EQ(window.minimumSize(), client); // fixed size
    EXPECT_EQ(window.maximumSize(), client);
    for (const Expected& e : controls) {
        QWidget* w = control(&window, e.id);
        ASSERT_NE(w, nullptr) << "id " << e.id;
        EXPECT_TRUE(isKind(w, e.kind)) << "id " << e.id;
        EXPECT_EQ(w->property("controlId").toInt(), e.id);
        EXPECT_EQ(w->property("describedRect").toRect(), e.rect) << "id " << e.id;
        if (e.kind != Kind::UpDown && e.kind != Kind::Static) {
            EXPECT_EQ(w->geometry(), e.rect) << "id " << e.id;
        }
        if (e.kind == Kind::Static) {
            // A substitute font may widen or lengthen a static, never move it.
            EXPECT_EQ(w->geometry().topLeft(), e.rect.topLeft()) << "id " << e.id;
            EXPECT_GE(w->width(), e.rect.width());
        }
        if (e.text != nullptr) {
            EXPECT_EQ(captionOf(w, e.kind), QString::fromUtf8(e.text)) << "id " << e.id;
        }
        if (e.kind == Kind::UpDown) {
            // Aligned to its edit's right edge, inside the frame.
            auto* ud = qobject_cast<UpDownControl*>(w);
            EXPECT_EQ(ud->geometry().right(), ud->buddy()->geometry().right() - 1);
            EXPECT_EQ(ud->width(), e.rect.width());
        }
        if (e.kind == Kind::Edit) {
            auto* edit = qobject_cast<QLineEdit*>(w);
            EXPECT_EQ(edit->maxLength(), 4);
            EXPECT_TRUE(edit->alignment() & Qt::AlignRight);
        }
    }
    // Every control with an id is in the table.
    int ided = 0;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        ided += w->property("controlId").isValid() ? 1 : 0;
    }
    EXPECT_EQ(ided, static_cast<int>(controls.size()));
}

// The OK and Cancel buttons were created with other ids and renumbered.
void expectRenumbered(QWidget& window, int okCreated, int cancelCreated) {
    EXPECT_EQ(control(&window, 1)->property("createdId").toInt(), okCreated);
    EXPECT_TRUE(control<QPushButton>(&window, 1)->isDefault());
    if (cancelCreated != 0) {
        EXPECT_EQ(control(&window, 2)->property("createdId").toInt(), cancelCreated);
    }
}

TEST(ToolWindowLayout, NewGradation) {
    auto s = test::makeToolState();
    s->doc.length = 700;
    NewGradationWindow w(nullptr, *s);
    expectWindow(
        w, "新規作成", {374, 498},
        {{1006, Kind::Group, "１．グラデーションの長さ(ドット数)", {16, 196, 342, 82}},
         {1008, Kind::Edit, "700", {64, 217, 56, 21}},
         {1022, Kind::UpDown, nullptr, {118, 217, 16, 21}},
         {1014, Kind::Static, "( 範囲 : 2 ～ 1600 )", {39, 245, 105, 12}},
         {1017, Kind::Static, "( 初期値 = 512 )", {47, 260, 89, 12}},
         {1015,
          Kind::Static,
          "※「幅」はビットマップ保存時にセットするので、ここでは設定の必要はありません。",
          {164, 224, 180, 36}},
         {1013, Kind::Group, "２．グラデーションの方向", {16, 288, 158, 60}},
         {1003, Kind::Push, "90°回転", {48, 309, 88, 25}},
         {1016,
          Kind::Static,
          "※これらの設定は一度ここで決めた後でも、「編集」メニューからいつでも変更が出来ます。",
          {190, 299, 158, 44}},
         {1023, Kind::Group, "３．グラデーションのループ", {16, 357, 342, 90}},
         {1000, Kind::Check, "グラデーションをループさせる", {40, 376, 172, 17}},
         {1018,
          Kind::Static,
          "※背景素材で繰り返しパターンを作りたい場合など、ここにチェックを入れれば両端がループし"
          "たグラデーションが作成できます。",
          {39, 401, 297, 40}},
         {1007, Kind::Push, "リセット(&R)", {24, 461, 88, 21}},
         {1, Kind::Push, "OK", {170, 461, 88, 21}},
         {2, Kind::Push, "キャンセル", {259, 461, 88, 21}}});
    expectRenumbered(w, 1004, 1005);
    EXPECT_EQ(w.findChild<QWidget*>(QStringLiteral("preview"))->geometry(),
              QRect(16, 12, 320, 192));
}

TEST(ToolWindowLayout, Length) {
    auto s = test::makeToolState();
    s->doc.length = 640;
    LengthWindow w(nullptr, *s);
    expectWindow(
        w, "グラデーションの長さの変更", {438, 375},
        {{1006, Kind::Group, "１．グラデーションの長さ(ドット数)", {16, 12, 218, 162}},
         {1019, Kind::Static, "640", {47, 46, 35, 12}},
         {1014, Kind::Static, "⇒", {97, 46, 12, 14}},
         {1008, Kind::Edit, "640", {121, 41, 56, 21}},
         {1022, Kind::UpDown, nullptr, {168, 39, 16, 21}},
         {1021, Kind::Static, "ドット", {190, 48, 27, 11}},
         {1015, Kind::Static, "現在の長さ", {41, 70, 62, 14}},
         {1016, Kind::Static, "変更後", {127, 70, 50, 12}},
         {1020, Kind::Static, "( 範囲 : 2 ～ 1600 )", {97, 90, 105, 14}},
         {1017,
          Kind::Static,
          "※グラデーションの「幅」はビットマップの保存時に設定するのでここではセットしません。",
          {35, 121, 191, 39}},
         {1013, Kind::Group, "２．延長/短縮の方法", {16, 186, 406, 137}},
         {1009, Kind::Radio, "全体をストレッチ/縮小", {38, 214, 133, 16}},
         {1010, Kind::Radio, "両端を延長/カット", {38, 238, 111, 15}},
         {1011, Kind::Radio, "左端を延長/カット", {38, 262, 111, 15}},
         {1012, Kind::Radio, "右端を延長/カット", {38, 283, 111, 20}},
         {1018,
          Kind::Static,
          "※長さの変更に伴うポイントの位置変化が付近のグラデーション曲線に影響を与えるのでハサミ"
          "で切ったように短縮(または延長)が行われるわけではありません。変更後には微調整をして下さ"
          "い。",
          {195, 228, 206, 80}},
         {1005, Kind::Push, "リセット(&R)", {24, 338, 88, 21}},
         {1, Kind::Push, "OK", {221, 338, 88, 21}},
         {2, Kind::Push, "キャンセル", {310, 338, 88, 21}}});
    expectRenumbered(w, 1003, 1004);
    EXPECT_TRUE(control<QLabel>(&w, 1019)->alignment() & Qt::AlignRight);
    EXPECT_EQ(w.findChild<QWidget*>(QStringLiteral("preview"))->geometry(),
              QRect(248, 12, 192, 192));
}

TEST(ToolWindowLayout, SaveBitmap) {
    auto s = test::makeToolState();
    SaveBitmapWindow w(nullptr, *s);
    expectWindow(
        w, "ビットマップ画像として保存", {455, 243},
        {{1006, Kind::Group, "ビットマップの幅のセット", {16, 12, 206, 182}},
         {1014, Kind::Static, "保存するビットマップの幅をセットして下さい。", {38, 39, 171, 23}},
         {1008, Kind::Edit, "32", {63, 76, 56, 21}},
         {1022, Kind::UpDown, nullptr, {121, 71, 16, 21}},
         {1016, Kind::Static, "ドット", {132, 82, 30, 12}},
         {1015, Kind::Static, "(範囲: 1 ～ 1200 / 初期値= 32)", {40, 110, 165, 15}},
         {1000,
          Kind::Check,
          "現在のビットマップ・ウインドウでの幅の大きさを適用する。",
          {34, 139, 177, 33}},
         {1005, Kind::Push, "リセット(&R)", {24, 208, 88, 21}},
         {1, Kind::Push, "OK", {245, 208, 88, 21}},
         {2, Kind::Push, "キャンセル", {334, 208, 88, 21}}});
    expectRenumbered(w, 1003, 1004);
    EXPECT_EQ(w.findChild<QWidget*>(QStringLiteral("preview"))->geometry(),
              QRect(240, 12, 192, 192));
}

TEST(ToolWindowLayout, Direction) {
    auto s = test::makeToolState();
    DirectionWindow w(nullptr, *s);
    expectWindow(w, "グラデーションの方向の変更", {376, 331},
                 {{1006, Kind::Group, "グラデーションの方向設定", {18, 211, 180, 74}},
                  {1003, Kind::Push, "90°回転", {59, 237, 73, 29}},
                  {1007, Kind::Push, "リセット(&R)", {24, 294, 88, 21}},
                  {1, Kind::Push, "OK", {165, 294, 88, 21}},
                  {2, Kind::Push, "キャンセル", {254, 294, 88, 21}}});
    expectRenumbered(w, 1004, 1005);
    EXPECT_EQ(w.findChild<QWidget*>(QStringLiteral("preview"))->geometry(),
              QRect(16, 12, 320, 192));
}

TEST(ToolWindowLayout, Loop) {
    auto s = test::makeToolState();
    LoopWindow w(nullptr, *s);
    expectWindow(w, "グラデーションのループ", {360, 365},
                 {{1006, Kind::Group, "ループの設定", {16, 12, 328, 310}},
                  {1000, Kind::Check, "グラデーションをループさせる", {48, 48, 171, 15}},
                  {1014,
                   Kind::Static,
                   "　背景素材で繰り返しパターンを作りたい場合などに、",
                   {36, 86, 280, 12}},
                  {1015,
                   Kind::Static,
                   "この設定をすれば両端がループしたグラデーションが",
                   {36, 106, 280, 12}},
                  {1016, Kind::Static, "作成できます。", {36, 126, 81, 12}},
                  {1017, Kind::Static, nullptr, {36, 160, 285, 12}},
                  {1018, Kind::Static, nullptr, {36, 180, 290, 12}},
                  {1019, Kind::Static, nullptr, {36, 210, 292, 12}},
                  {1020, Kind::Static, nullptr, {36, 230, 300, 12}},
                  {1021, Kind::Static, nullptr, {36, 250, 280, 12}},
                  {1032, Kind::Static, nullptr, {36, 270, 280, 12}},
                  {1026, Kind::Static, nullptr, {36, 290, 280, 12}},
                  {1005, Kind::Push, "リセット(&R)", {24, 330, 88, 21}},
                  {1, Kind::Push, "OK", {162, 330, 88, 21}},
                  {2, Kind::Push, "キャンセル", {250, 330, 88, 21}}});
    expectRenumbered(w, 1003, 1004);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
}

TEST(ToolWindowLayout, Cmy) {
    auto s = test::makeToolState();
    CmyWindow w(nullptr, *s);
    expectWindow(
        w, "CMYモード", {380, 391},
        {{1006, Kind::Group, "CMY (減法混合方式) 設定", {16, 12, 348, 336}},
         {1014,
          Kind::Static,
          "RGB (赤、緑、青の光の三原色による加法混合) 方式ではなく、",
          {36, 40, 329, 12}},
         {1015,
          Kind::Static,
          "　　シアン(Cyan)、マゼンタ(Magenta)、イエロー(Yellow)の",
          {37, 60, 300, 12}},
         {1016,
          Kind::Static,
          "「色の三原色」を用いたCMY減法混合方式に切り替えることが",
          {32, 80, 313, 12}},
         {1017, Kind::Static, "出来ます。", {32, 100, 60, 12}},
         {1000, Kind::Check, "CMY (減法混合) 方式を使用する。", {80, 120, 197, 15}},
         {1019,
          Kind::Static,
          "　CMY方式では色の成分が全て無くなると「白」になります。",
          {36, 150, 302, 12}},
         {1018,
          Kind::Static,
          "この白をベースに、紙の上に色を重ねるようにグラデーションを",
          {32, 170, 321, 12}},
         {1020, Kind::Static, "操作出来ます。", {32, 190, 84, 12}},
         {1021, Kind::Static, "　ただし、色の操作には少し癖があります。", {36, 216, 258, 12}},
         {1032, Kind::Static, "赤を出すには ⇒ マゼンタ(M) + イエロー(Y)", {60, 238, 225, 12}},
         {1026, Kind::Static, "緑を出すには ⇒ シアン(C) + イエロー(Y)", {60, 256, 214, 12}},
         {1027, Kind::Static, "青を出すには ⇒ シアン(C) + マゼンタ(M)", {60, 274, 215, 12}},
         {1028, Kind::Static, "などといった具合です。", {36, 296, 123, 12}},
         {1029,
          Kind::Static,
          "　CMYの各要素を調整しながら色を作っていって下さい。",
          {36, 318, 291, 12}},
         {1005, Kind::Push, "リセット(&R)", {24, 356, 88, 21}},
         {1, Kind::Push, "OK", {178, 356, 88, 21}},
         {2, Kind::Push, "キャンセル", {266, 356, 88, 21}}});
    expectRenumbered(w, 1003, 1004);
}

TEST(ToolWindowLayout, Synchro) {
    auto s = test::makeToolState();
    SynchroWindow w(nullptr, *s);
    expectWindow(
        w, "シンクロ・モード", {380, 419},
        {{1006, Kind::Group, "シンクロする色のチェック", {16, 12, 348, 364}},
         {1000, Kind::Check, "シンクロ・モードを使用する", {48, 40, 163, 15}},
         {1001, Kind::Check, "R ( 赤 ) ←[現在使用中の色]", {70, 64, 224, 15}},
         {1002, Kind::Check, "G ( 緑 )", {70, 86, 224, 15}},
         {1033, Kind::Check, "B ( 青 )", {70, 108, 224, 15}},
         {1014,
          Kind::Static,
          "　二つ以上の色にチェックを入れることにより、それらの色を",
          {36, 140, 302, 12}},
         {1015, Kind::Static, "シンクロ(同調)させて動かすことが出来ます。", {36, 160, 300, 12}},
         {1016,
          Kind::Static,
          "　現在使用中の色が関係している時は、使用中の色が優先",
          {36, 180, 302, 12}},
         {1017, Kind::Static, "されて、他の色にコピーされます。", {36, 200, 200, 12}},
         {1018,
          Kind::Static,
          "　現在使用中の色が関係していないチェックの場合は、",
          {36, 220, 281, 12}},
         {1019,
          Kind::Static,
          "上の三原色表記中の上段にあるものが優先されます。",
          {36, 240, 279, 12}},
         {1020,
          Kind::Static,
          "　また、「シンクロ・モードを使用する」にチェックを入れていると",
          {36, 266, 314, 12}},
         {1021,
          Kind::Static,
          "以降メインのウインドウの「R」,「G」,「B」　(または「C」,「M」,「Y」) ",
          {36, 286, 320, 12}},
         {1032,
          Kind::Static,
          "表示の左側に上と同様のチェックボックスが表示されるので",
          {36, 306, 307, 12}},
         {1026,
          Kind::Static,
          "再びこのウインドウを開かなくても、そこでシンクロの設定が",
          {36, 326, 319, 12}},
         {1027, Kind::Static, "直接行えます。", {36, 346, 148, 12}},
         {1005, Kind::Push, "リセット(&R)", {24, 384, 88, 21}},
         {1003, Kind::Push, "OK", {174, 384, 88, 21}},
         {1004, Kind::Push, "キャンセル", {262, 384, 88, 21}}});
    EXPECT_TRUE(control<QPushButton>(&w, 1003)->isDefault());
}

TEST(ToolWindowLayout, Position) {
    PositionRequest r;
    r.dot = 12;
    r.level = -3;
    r.screenPoint = {100, 100};
    r.workArea = {0, 0, 1920, 1080};
    PositionResult result;
    PositionWindow w(nullptr, r, result);
    expectWindow(w, "ポイント位置のセット", {174, 166},
                 {{1014, Kind::Static, "※端点の場合はx座標はセットできません。", {19, 12, 136, 26}},
                  {1015, Kind::Static, "x = 12 →", {26, 52, 60, 12}},
                  {1008, Kind::Edit, "12", {90, 48, 56, 21}},
                  {1022, Kind::UpDown, nullptr, {138, 47, 16, 21}},
                  {1016, Kind::Static, "y = -3 →", {26, 84, 60, 12}},
                  {1024, Kind::Edit, "-3", {90, 80, 56, 21}},
                  {1025, Kind::UpDown, nullptr, {142, 83, 16, 21}},
                  {1, Kind::Push, "OK", {14, 124, 72, 21}},
                  {2, Kind::Push, "キャンセル", {87, 124, 72, 21}}});
    expectRenumbered(w, 1003, 1004);
}

TEST(ToolWindowLayout, Title) {
    auto s = test::makeToolState();
    TitleWindow w(nullptr, *s);
    expectWindow(w, "Welcome", {420, 256},
                 {{1014, Kind::Static, "Spectrane", {59, 24, 349, 41}},
                  {1015, Kind::Static, "", {127, 71, 233, 43}},
                  {1016, Kind::Static, "Version 3.02", {152, 124, 115, 19}},
                  {1, Kind::Push, "OK", {169, 195, 88, 38}}});
    expectRenumbered(w, 1003, 0);
    EXPECT_FALSE(w.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_EQ(control(&w, 1014)->font().pixelSize(), 40);
    EXPECT_EQ(control(&w, 1014)->font().family(), QStringLiteral("Calisto MT"));
    EXPECT_EQ(control(&w, 1016)->font().family(), QStringLiteral("Courier New"));
    EXPECT_EQ(control(&w, 1016)->font().pixelSize(), 15);
}

TEST(ToolWindowLayout, ToolFontIsTwelvePixelGothic) {
    auto s = test::makeToolState();
    CmyWindow w(nullptr, *s);
    const QFont f = control(&w, 1014)->font();
    EXPECT_EQ(f.family(), QString::fromUtf8("ＭＳ Ｐゴシック"));
    EXPECT_EQ(f.pixelSize(), 12);
    EXPECT_EQ(f.weight(), QFont::Normal);
}

} // namespace
} // namespace spectrane
