#include "toolwindows/position_window.h"

#include "model/gradation_document.h"
#include "model/whole_numbers.h"
#include "toolwindows/numeric_edit.h"
#include "toolwindows/tool_controls.h"

#include <QGuiApplication>
#include <QScreen>

#include <algorithm>

namespace spectrane {

PositionRequest positionRequestFor(const GradationDocument& doc, int point) {
    const ChannelCurve& curve = doc.channels[static_cast<std::size_t>(doc.currentChannel)];
    const CurvePoint& a = curve.anchorPoints[static_cast<std::size_t>(point)];
    PositionRequest r;
    r.dot = shownFloor(a.x - CanvasGeometry::kDotX0);
    r.level = shownFloor(CanvasGeometry::kLevelY0 - a.y);
    r.fixedDot = doc.loop == 0 && (point == 0 || point == curve.pointCount - 1);
    r.length = doc.length;
    return r;
}

QPoint placeBesidePoint(QPoint point, QSize outer, QRect workArea) {
    const auto along = [](int p, int size, int low, int highExclusive) {
        if (p + 16 + size < highExclusive) {
            return p + 16;
        }
        return std::max(low, p - (size + 16));
    };
    return {along(point.x(), outer.width(), workArea.left(), workArea.right() + 1),
            along(point.y(), outer.height(), workArea.top(), workArea.bottom() + 1)};
}

PositionWindow::PositionWindow(QWidget* owner, const PositionRequest& request,
                               PositionResult& result)
    : ToolWindow(owner, ToolWindowKind::PositionSet), request_(request), result_(result) {
    setRaisesOwnerWhenDone(false);
    addStatic(this, 1014, tr("※端点の場合はx座標はセットできません。"), {19, 12, 136, 26});
    addStaticBefore(this, 1015, tr("x = %1 →").arg(request.dot), {26, 52, 60, 12});
    dotEdit_ = addNumberEdit(this, 1008, {90, 48, 56, 21}, EditChars::Digits);
    showNumber(dotEdit_, request.dot);
    new UpDownControl(this, 1022, {138, 47, 16, 21}, dotEdit_, 0, std::max(0, request.length - 1));
    addStaticBefore(this, 1016, tr("y = %1 →").arg(request.level), {26, 84, 60, 12});
    levelEdit_ = addNumberEdit(this, 1024, {90, 80, 56, 21}, EditChars::DigitsAndMinus);
    showNumber(levelEdit_, request.level);
    new UpDownControl(this, 1025, {142, 83, 16, 21}, levelEdit_, -32, 288);
    QPushButton* ok = addPushButton(this, 1003, kToolOk, "OK", {14, 124, 72, 21});
    QPushButton* cancel =
        addPushButton(this, 1004, kToolCancel, ToolWindow::tr("キャンセル"), {87, 124, 72, 21});
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &PositionWindow::confirm);
    connect(cancel, &QPushButton::clicked, this, [this] { closeWith(kToolCancel); });

    if (request.fixedDot) {
        dotEdit_->setEnabled(false);
        levelEdit_->setFocus(Qt::OtherFocusReason);
    } else {
        dotEdit_->setFocus(Qt::OtherFocusReason);
    }

    QRect work = request.workArea;
    if (work.isEmpty()) {
        QScreen* screen = QGuiApplication::screenAt(request.screenPoint);
        if (screen == nullptr) {
            screen = QGuiApplication::primaryScreen();
        }
        work = screen != nullptr ? screen->availableGeometry() : QRect(0, 0, 1024, 768);
    }
    const ToolWindowSpec& spec = toolWindowSpec(ToolWindowKind::PositionSet);
    move(placeBesidePoint(request.screenPoint, {spec.width, spec.height}, work));
}

void PositionWindow::confirm() {
    // Text that is no number leaves that axis where it was rather than sending the point to 0.
    result_.dot =
        request_.fixedDot ? request_.dot : readEditNumber(dotEdit_).value_or(request_.dot);
    result_.level = readEditNumber(levelEdit_).value_or(request_.level);
    closeWith(kToolOk);
}

int RunPositionSetWindow(QWidget* owner, const PositionRequest& request, PositionResult& result,
                         const MessageBoxFn& messageBox) {
    PositionResult typed;
    PositionWindow window(owner, request, typed);
    window.setMessageBox(messageBox);
    const int code = execToolWindow(owner, window);
    if (code == kToolOk) {
        result = typed;
    }
    return code;
}

} // namespace spectrane
