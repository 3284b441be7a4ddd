// Every tool window in either language: its size, its controls placed inside it, not overlapping
// and their texts fitting them.
#include "tool_window_fixture.h"

#include "qtsupport/language.h"
#include "toolwindows/numeric_edit.h"
#include "toolwindows/position_window.h"
#include "toolwindows/tool_controls.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <gtest/gtest.h>

namespace spectrane {
namespace {

std::unique_ptr<ToolWindow> openAny(test::ToolFixture& f, ToolWindowKind kind,
                                    PositionResult& result) {
    if (kind != ToolWindowKind::PositionSet) {
        return f.open(kind);
    }
    const PositionRequest widest{1599, -32, false, 1600, {}, {0, 0, 1920, 1080}};
    auto window = std::make_unique<PositionWindow>(nullptr, widest, result);
    window->show();
    return window;
}

// The pixels a control's text needs, beyond which its ink would be cut off.
QSize textNeeds(QWidget* w) {
    const QFontMetrics fm(w->font());
    const auto ink = [&](const QString& text) {
        return QSize(fm.horizontalAdvance(text), fm.boundingRect(text).height());
    };
    if (auto* label = qobject_cast<QLabel*>(w)) {
        return label->wordWrap() ? QSize(0, label->heightForWidth(label->width()))
                                 : QSize(ink(label->text()).width(), fm.height());
    }
    if (auto* box = qobject_cast<QGroupBox*>(w)) {
        return {GroupFrame::kCaptionLeft + 4 + ink(box->title()).width(), 0};
    }
    auto* button = qobject_cast<QAbstractButton*>(w);
    if (button == nullptr) {
        return {};
    }
    QString text = button->text();
    text.remove(QLatin1Char('&'));
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = text;
    const QStyle::SubElement contents = qobject_cast<QCheckBox*>(w) != nullptr
                                            ? QStyle::SE_CheckBoxContents
                                            : QStyle::SE_RadioButtonContents;
    const int textLeft = qobject_cast<QPushButton*>(w) != nullptr // 4: a push button's frame
                             ? 4
                             : button->style()->subElementRect(contents, &option, button).left();
    if (qobject_cast<MultiLineCheckBox*>(w) != nullptr) {
        const QRect wrapped =
            fm.boundingRect(QRect(0, 0, w->width() - textLeft, 1000), Qt::TextWordWrap, text);
        return {0, wrapped.height()};
    }
    return {textLeft + ink(text).width() + (qobject_cast<QPushButton*>(w) != nullptr ? 4 : 0),
            ink(text).height()};
}

// A group box holding the other control, or an up-down on its edit.
bool nested(QWidget* outer, QWidget* inner) {
    const auto* upDown = qobject_cast<UpDownControl*>(outer);
    return (upDown != nullptr && upDown->buddy() == inner) ||
           (qobject_cast<QGroupBox*>(outer) != nullptr &&
            outer->geometry().contains(inner->geometry()));
}

TEST(ToolWindowLayout, EveryWindowHoldsItsControlsAndTheirTexts) {
    test::ToolFixture f;
    f.doc.length = 1600;         // the widest numbers
    f.doc.mode = ColorMode::Cmy; // the longer channel labels
    for (const Language language : {Language::English, Language::Japanese}) {
        ASSERT_TRUE(installTranslations(language) || language == Language::Japanese);
        for (int k = 0; k <= static_cast<int>(ToolWindowKind::Loop); ++k) {
            const auto kind = static_cast<ToolWindowKind>(k);
            const ToolWindowSpec& spec = toolWindowSpec(kind);
            SCOPED_TRACE(std::string(spec.name) + (language == Language::English ? " (en)" : ""));
            PositionResult result;
            const std::unique_ptr<ToolWindow> window = openAny(f, kind, result);
            const QSize client = kind == ToolWindowKind::Title
                                     ? QSize(420, 256)
                                     : QSize(spec.clientWidth(), spec.clientHeight());
            EXPECT_EQ(window->size(), client);
            EXPECT_EQ(window->minimumSize(), window->maximumSize());
            std::vector<QWidget*> controls;
            for (QWidget* w : window->findChildren<QWidget*>()) {
                if (w->property("controlId").isValid() && w->parentWidget() == window.get()) {
                    controls.push_back(w);
                }
            }
            for (QWidget* w : controls) {
                const std::string name = w->objectName().toStdString();
                EXPECT_TRUE(QRect(QPoint(0, 0), client).contains(w->geometry())) << name;
                // A wider text may only widen a control away from its neighbour.
                const QRect described = w->property("layoutRect").toRect();
                if (qobject_cast<UpDownControl*>(w) == nullptr) {
                    EXPECT_EQ(w->y(), described.y()) << name;
                    EXPECT_TRUE(w->x() == described.x() ||
                                w->geometry().right() == described.right())
                        << name;
                }
                EXPECT_TRUE(w->size().expandedTo(textNeeds(w)) == w->size()) << name << " cut off";
                if (auto* edit = qobject_cast<QLineEdit*>(w)) {
                    EXPECT_LE(edit->maxLength(), 4) << name;
                    EXPECT_TRUE(edit->alignment() & Qt::AlignRight) << name;
                }
                for (QWidget* other : controls) {
                    if (other == w || !w->geometry().intersects(other->geometry()) ||
                        described.intersects(other->property("layoutRect").toRect())) {
                        continue; // overlaps that the described places already have are meant
                    }
                    EXPECT_TRUE(nested(w, other) || nested(other, w))
                        << name << " overlaps " << other->objectName().toStdString();
                }
            }
            auto* ok = test::control<QPushButton>(window.get(),
                                                  kind == ToolWindowKind::Synchro ? 1003 : 1);
            ASSERT_NE(ok, nullptr);
            EXPECT_TRUE(ok->isDefault());
        }
    }
}

} // namespace
} // namespace spectrane
