// The child controls of the tool windows, each placed at its client position with its control
// id kept as object name "id<id>" and as the property "controlId", and the preview view.
#pragma once

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QWidget>

namespace spectrane {

class Surface;

// Object name "id<id>", property "controlId" = id, geometry in client pixels (also kept as the
// property "layoutRect").
void placeControl(QWidget* control, int id, QRect geometry);

// A static text, top-aligned: a one-line box widens to the whole line (leftwards when it is
// right-aligned) and a box of several lines wraps and grows downwards, where the substitute font
// needs more room than its layout box.
QLabel* addStatic(QWidget* parent, int id, const QString& text, QRect geometry,
                  Qt::Alignment horizontal = Qt::AlignLeft);
// A static that labels the control right of it: a line wider than the box grows to the left.
QLabel* addStaticBefore(QWidget* parent, int id, const QString& text, QRect geometry);
// Fits a static again after a change of its text or font.
void fitStatic(QLabel* label);
// A check box or radio button widens to its caption where the substitute font needs more room
// than its layout box (the synchro labels change after creation: call it again).
void fitButton(QAbstractButton* button);
// A group box drawn as the dialogs of the described program draw it: an etched frame filling
// the described rectangle, its top line through the middle of the caption's line, the caption
// standing on that line near the left.
class GroupFrame : public QGroupBox {
    Q_OBJECT
public:
    using QGroupBox::QGroupBox;
    static constexpr int kCaptionLeft = 8; // the caption's left edge, from the frame's
    // The frame's top line, from the top of the box: half the caption's line height.
    int frameTop() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};
QGroupBox* addGroupBox(QWidget* parent, int id, const QString& text, QRect geometry);
// A push button created as `createdId` and known as `id` afterwards (OK = 1, Cancel = 2);
// the created id stays in the property "createdId".
QPushButton* addPushButton(QWidget* parent, int createdId, int id, const QString& text,
                           QRect geometry);
QCheckBox* addCheckBox(QWidget* parent, int id, const QString& text, QRect geometry);
QRadioButton* addRadioButton(QWidget* parent, int id, const QString& text, QRect geometry);

// A check box whose caption wraps within its box.
class MultiLineCheckBox : public QCheckBox {
    Q_OBJECT
public:
    using QCheckBox::QCheckBox;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool hitButton(const QPoint& pos) const override;
};
QCheckBox* addMultiLineCheckBox(QWidget* parent, int id, const QString& text, QRect geometry);

// Shows the part `source` of a preview surface (object name "preview"); the window draws into
// the surface and calls update().
class PreviewView : public QWidget {
    Q_OBJECT
public:
    PreviewView(QWidget* parent, const Surface& canvas, QRect source, QPoint at);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    const Surface& canvas_;
    QRect source_;
};

} // namespace spectrane
