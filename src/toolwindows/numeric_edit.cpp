#include "toolwindows/numeric_edit.h"

#include "toolwindows/tool_controls.h"

#include <QKeyEvent>
#include <QRegularExpressionValidator>
#include <QToolButton>
#include <QWheelEvent>

#include <algorithm>

namespace spectrane {

QLineEdit* addNumberEdit(QWidget* parent, int id, QRect geometry, EditChars chars) {
    auto* edit = new QLineEdit(parent);
    placeControl(edit, id, geometry);
    edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    edit->setMaxLength(4);
    switch (chars) {
    case EditChars::Digits:
        edit->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
        break;
    case EditChars::DigitsAndMinus:
        edit->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?[0-9]*")), edit));
        break;
    case EditChars::Any:
        break;
    }
    return edit;
}

void showNumber(QLineEdit* edit, int value) {
    edit->setText(QString::number(value));
    edit->setCursorPosition(static_cast<int>(edit->text().size()));
}

std::optional<int> parseEditNumber(const QString& text) {
    const QString t = text.trimmed();
    qsizetype i = 0;
    bool negative = false;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) {
        negative = t[i] == u'-';
        ++i;
    }
    long long whole = 0;
    int digits = 0;
    for (; i < t.size() && t[i] >= u'0' && t[i] <= u'9'; ++i, ++digits) {
        whole = std::min(whole * 10 + (t[i].unicode() - u'0'), 1'000'000'000LL);
    }
    if (i < t.size() && t[i] == u'.') {
        for (++i; i < t.size() && t[i] >= u'0' && t[i] <= u'9'; ++i) {
            ++digits; // the fraction is dropped
        }
    }
    if (digits == 0 || i != t.size()) {
        return std::nullopt;
    }
    return static_cast<int>(negative ? -whole : whole);
}

std::optional<int> readEditNumber(const QLineEdit* edit) {
    return parseEditNumber(edit->text().left(4));
}

UpDownControl::UpDownControl(QWidget* parent, int id, QRect geometry, QLineEdit* buddy, int minimum,
                             int maximum)
    : QWidget(parent), buddy_(buddy), minimum_(minimum), maximum_(maximum), position_(minimum) {
    placeControl(this, id, geometry);
    // Aligned to the buddy's right edge, inside its frame; the text stays clear of the arrows.
    const QRect e = buddy->geometry();
    const int w = geometry.width();
    setGeometry(e.right() - w, e.top() + 1, w, e.height() - 2);
    buddy->setTextMargins(0, 0, w, 0);
    up_ = new QToolButton(this);
    down_ = new QToolButton(this);
    const int half = height() / 2;
    up_->setGeometry(0, 0, w, half);
    down_->setGeometry(0, half, w, height() - half);
    for (QToolButton* b : {up_, down_}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
    }
    up_->setArrowType(Qt::UpArrow);
    down_->setArrowType(Qt::DownArrow);
    connect(up_, &QToolButton::clicked, this, [this] { step(1); });
    connect(down_, &QToolButton::clicked, this, [this] { step(-1); });
    raise();
    if (const std::optional<int> v = readEditNumber(buddy)) {
        position_ = std::clamp(*v, minimum_, maximum_);
    }
    buddy->installEventFilter(this);
}

bool UpDownControl::eventFilter(QObject* watched, QEvent* event) {
    if (watched != buddy_ || !buddy_->isEnabled()) {
        return false;
    }
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Up || key == Qt::Key_Down) {
            step(key == Qt::Key_Up ? 1 : -1);
            return true;
        }
    } else if (event->type() == QEvent::Wheel) {
        // One step per notch (120 eighths of a degree), however finely the wheel reports.
        wheelAngle_ += static_cast<QWheelEvent*>(event)->angleDelta().y();
        while (wheelAngle_ >= 120 || wheelAngle_ <= -120) {
            step(wheelAngle_ > 0 ? 1 : -1);
            wheelAngle_ -= wheelAngle_ > 0 ? 120 : -120;
        }
        return true;
    }
    return false;
}

void UpDownControl::step(int delta) {
    int value = position_;
    if (const std::optional<int> typed = readEditNumber(buddy_)) {
        value = *typed;
    }
    value = std::clamp(value + delta, minimum_, maximum_);
    position_ = value;
    showNumber(buddy_, value);
    buddy_->setFocus(Qt::OtherFocusReason);
}

} // namespace spectrane
