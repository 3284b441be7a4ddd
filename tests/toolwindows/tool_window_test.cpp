#include "toolwindows/tool_window.h"

#include "app/app_state.h"

#include <QCoreApplication>
#include <QKeyEvent>
#include <QPushButton>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace spectrane {
namespace {

// Runs `window` modally and, once it is up, does `act` to it.
int runAndAct(ToolWindow& window, std::function<void(ToolWindow&)> act) {
    QTimer::singleShot(0, &window, [&window, act] { act(window); });
    return runModal(nullptr, window);
}

TEST(ToolWindow, TableSizesAndResultCodes) {
    const ToolWindowSpec* spec = findToolWindow("Shinki_Wnd");
    ASSERT_NE(spec, nullptr);
    EXPECT_EQ(QString::fromUtf8(spec->title), QString::fromUtf8("新規作成"));
    EXPECT_EQ(spec->clientWidth(), 374);
    EXPECT_EQ(spec->clientHeight(), 498);
    EXPECT_EQ(findToolWindow("shinki_wnd"), nullptr); // exact, case-sensitive
    EXPECT_EQ(findToolWindow("TitleWnd")->clientHeight(), 335);

    ToolWindow ok(nullptr, *spec);
    EXPECT_EQ(ok.windowTitle(), QString::fromUtf8("新規作成"));
    EXPECT_EQ(ok.size(), QSize(374, 498));
    EXPECT_EQ(runAndAct(ok, [](ToolWindow& w) { w.closeWith(kToolOk); }), kToolOk);

    ToolWindow escape(nullptr, *spec);
    EXPECT_EQ(runAndAct(escape,
                        [](ToolWindow& w) {
                            QKeyEvent press(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
                            QCoreApplication::sendEvent(&w, &press);
                        }),
              kToolCancel);

    ToolWindow closed(nullptr, *spec);
    EXPECT_EQ(runAndAct(closed, [](ToolWindow& w) { w.close(); }), kToolClosed);

    // Enter presses the default button.
    ToolWindow enter(nullptr, *spec);
    auto* button = new QPushButton(QStringLiteral("OK"), &enter);
    button->setDefault(true);
    QObject::connect(button, &QPushButton::clicked, &enter, [&enter] { enter.closeWith(kToolOk); });
    EXPECT_EQ(runAndAct(enter,
                        [](ToolWindow& w) {
                            QKeyEvent press(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier);
                            QCoreApplication::sendEvent(&w, &press);
                        }),
              kToolOk);

    // An unknown name shows nothing, disables nothing and returns 0.
    AppState state;
    QWidget owner;
    EXPECT_EQ(RunToolWindow(&owner, "NoSuchWnd", state), kToolClosed);
    EXPECT_TRUE(owner.isEnabled());
}

} // namespace
} // namespace spectrane
