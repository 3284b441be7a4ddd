#include "qtsupport/message_box.h"

#include "support/qt_test_support.h"

#include <gtest/gtest.h>

namespace spectrane {
namespace {

// A short text under a long title: the box is still wide enough for the whole title beside a
// title bar's buttons (100 pixels).
TEST(MessageBox, IsWideEnoughForItsTitle) {
    const char* title = "The length of the gradation is invalid.";
    int width = 0;
    int needed = 0;
    test::runAndAct(
        [&] { return showMessageBox(nullptr, QMessageBox::NoIcon, title, "OK", QMessageBox::Ok); },
        [&](QWidget* box) {
            width = box->width();
            needed = box->fontMetrics().horizontalAdvance(title) + 100;
            box->close();
        });
    EXPECT_GE(width, needed);
}

} // namespace
} // namespace spectrane
