// "PositionSetWnd": the exact dot and level of the highlighted anchor, typed in by the user,
// in a small window placed beside the point.
#pragma once

#include "toolwindows/tool_window.h"

#include <QPoint>
#include <QRect>

class QLineEdit;

namespace spectrane {

struct GradationDocument;

// What the window shows and where.
struct PositionRequest {
    int dot = 0;           // floor(anchor x - 56)
    int level = 0;         // floor(320 - anchor y)
    bool fixedDot = false; // an end point of an open curve: its dot cannot be typed
    int length = 512;      // L: the dot arrows run 0..L-1
    QPoint screenPoint;    // the point on the screen; the window opens beside it
    QRect workArea;        // where the window must fit; empty = the screen under the point
};

// The typed dot and level, passed on unchecked (the caller clamps them).
struct PositionResult {
    int dot = 0;
    int level = 0;
};

// Dot, level, end-point flag and length for anchor `point` (0..count-1) of the current
// channel; the screen point and work area are left for the caller.
PositionRequest positionRequestFor(const GradationDocument& doc, int point);

// Top-left corner of a window of outer size `outer` beside `point`: 16 pixels right of and
// below it, or left of and above it where it would not fit in `workArea`, never past the work
// area's left or top edge.
QPoint placeBesidePoint(QPoint point, QSize outer, QRect workArea);

class PositionWindow : public ToolWindow {
    Q_OBJECT
public:
    PositionWindow(QWidget* owner, const PositionRequest& request, PositionResult& result);

private:
    void confirm();

    PositionRequest request_;
    PositionResult& result_;
    QLineEdit* dotEdit_;
    QLineEdit* levelEdit_;
};

// Runs the window owned by `owner` (the main window); returns 1 with `result` filled on OK,
// 2 for Cancel, 0 for the close box (result untouched). An edit left without a number keeps
// the point's value for that axis.
int RunPositionSetWindow(QWidget* owner, const PositionRequest& request, PositionResult& result,
                         const MessageBoxFn& messageBox = {});

} // namespace spectrane
