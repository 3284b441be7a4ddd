#include "qtsupport/message_box.h"

#include "support/qt_test_support.h"

#include <gtest/gtest.h>

namespace spectrane {
namespace {

// A box is wide enough for its whole title beside a title bar's buttons (100 pixels), however
// short its text.
TEST(MessageBox, IsWideEnoughForItsTitle) {
    const std::pair<const char*, const char*> rows[] = {
        {"Version Info.", "Spectrane\nversion 3.02"},
        {"The length of the gradation is invalid.", "2 to 1600."},
        {"Message", "OK"},
    };
    for (const auto& [title, text] : rows) {
        int width = 0;
        int needed = 0;
        test::runAndAct(
            [&] {
                return showMessageBox(nullptr, QMessageBox::NoIcon, title, text, QMessageBox::Ok);
            },
            [&](QWidget* box) {
                width = box->width();
                needed = box->fontMetrics().horizontalAdvance(title) + 100;
                box->close();
            });
        EXPECT_GE(width, needed) << title;
    }
}

} // namespace
} // namespace spectrane
