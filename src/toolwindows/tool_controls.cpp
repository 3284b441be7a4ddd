#include "toolwindows/tool_controls.h"

#include "qtsupport/surface_image.h"
#include "raster/surface.h"

#include <QPainter>
#include <QStyleOptionButton>
#include <QStylePainter>

#include <algorithm>

namespace spectrane {

void placeControl(QWidget* control, int id, QRect geometry) {
    control->setObjectName(QStringLiteral("id%1").arg(id));
    control->setProperty("controlId", id);
    control->setProperty("layoutRect", geometry);
    control->setGeometry(geometry);
}

void fitStatic(QLabel* label) {
    const QRect laidOut = label->property("layoutRect").toRect();
    const QFontMetrics metrics(label->font());
    QRect r = laidOut;
    // A box at least one and a half lines of its font tall is a box of several lines.
    if (2 * laidOut.height() < 3 * label->font().pixelSize()) {
        // One line: a wider or taller substitute font grows the box instead of cutting the line;
        // a right-aligned line grows to the left, keeping its right edge by what follows it.
        label->setWordWrap(false);
        const int width = std::max(laidOut.width(), metrics.horizontalAdvance(label->text()) + 1);
        if ((label->alignment() & Qt::AlignRight) != 0 || label->property("growsLeft").toBool()) {
            r.setLeft(laidOut.right() + 1 - width);
        } else {
            r.setWidth(width);
        }
        r.setHeight(std::max(laidOut.height(), metrics.height()));
    } else {
        label->setWordWrap(true);
        r.setHeight(std::max(laidOut.height(), label->heightForWidth(laidOut.width())));
    }
    label->setGeometry(r);
}

QLabel* addStatic(QWidget* parent, int id, const QString& text, QRect geometry,
                  Qt::Alignment horizontal) {
    auto* label = new QLabel(text, parent);
    placeControl(label, id, geometry);
    label->setAlignment(horizontal | Qt::AlignTop);
    label->setTextFormat(Qt::PlainText);
    label->setContentsMargins(0, 0, 0, 0);
    label->setMargin(0);
    label->setIndent(0);
    fitStatic(label);
    return label;
}

QLabel* addStaticBefore(QWidget* parent, int id, const QString& text, QRect geometry) {
    QLabel* label = addStatic(parent, id, text, geometry);
    label->setProperty("growsLeft", true);
    fitStatic(label);
    return label;
}

int GroupFrame::frameTop() const {
    return QFontMetrics(font()).height() / 2;
}

void GroupFrame::paintEvent(QPaintEvent*) {
    QPainter p(this);
    const int top = frameTop();
    const int w = width();
    const int h = height();
    // Etched: a shadow line with a light line one pixel inside it.
    const QRect outer(0, top, w - 2, h - top - 2);
    p.setPen(palette().color(QPalette::Mid));
    p.drawRect(outer);
    p.setPen(palette().color(QPalette::Light));
    p.drawLine(1, top + 1, w - 3, top + 1);
    p.drawLine(1, top + 1, 1, h - 3);
    p.drawLine(0, h - 1, w - 1, h - 1);
    p.drawLine(w - 1, top, w - 1, h - 1);
    const QString caption = title();
    if (caption.isEmpty()) {
        return;
    }
    const QFontMetrics fm(font());
    const QRect text(kCaptionLeft, 0, fm.horizontalAdvance(caption) + 4, fm.height());
    p.fillRect(text, palette().color(QPalette::Window));
    p.setPen(palette().color(QPalette::WindowText));
    p.drawText(text.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignTop | Qt::TextShowMnemonic,
               caption);
}

QGroupBox* addGroupBox(QWidget* parent, int id, const QString& text, QRect geometry) {
    auto* box = new GroupFrame(text, parent);
    placeControl(box, id, geometry);
    box->lower(); // the controls inside are its siblings and lie above it
    return box;
}

QPushButton* addPushButton(QWidget* parent, int createdId, int id, const QString& text,
                           QRect geometry) {
    auto* button = new QPushButton(text, parent);
    placeControl(button, id, geometry);
    button->setProperty("createdId", createdId);
    // A focused button must not take Enter from OK: Enter confirms whatever has the focus, and
    // Space presses the focused button.
    button->setAutoDefault(false);
    return button;
}

void fitButton(QAbstractButton* button) {
    const QRect laidOut = button->property("layoutRect").toRect();
    button->setGeometry(
        QRect(laidOut.topLeft(),
              QSize(std::max(laidOut.width(), button->sizeHint().width()), laidOut.height())));
}

QCheckBox* addCheckBox(QWidget* parent, int id, const QString& text, QRect geometry) {
    auto* box = new QCheckBox(text, parent);
    placeControl(box, id, geometry);
    fitButton(box);
    return box;
}

QRadioButton* addRadioButton(QWidget* parent, int id, const QString& text, QRect geometry) {
    auto* radio = new QRadioButton(text, parent);
    placeControl(radio, id, geometry);
    fitButton(radio);
    return radio;
}

QCheckBox* addMultiLineCheckBox(QWidget* parent, int id, const QString& text, QRect geometry) {
    auto* box = new MultiLineCheckBox(text, parent);
    placeControl(box, id, geometry);
    return box;
}

void MultiLineCheckBox::paintEvent(QPaintEvent*) {
    QStylePainter p(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    const QString caption = option.text;
    option.text.clear();
    const QRect indicator = style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, this);
    option.rect = QRect(0, (height() - indicator.height()) / 2, indicator.width() + 2, height());
    p.drawControl(QStyle::CE_CheckBox, option);
    const QRect textArea = rect().adjusted(indicator.width() + 5, 0, 0, 0);
    p.drawText(textArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, caption);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect =
            p.boundingRect(textArea, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextWordWrap, caption);
        p.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

bool MultiLineCheckBox::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}

PreviewView::PreviewView(QWidget* parent, const Surface& canvas, QRect source, QPoint at)
    : QWidget(parent), canvas_(canvas), source_(source) {
    setObjectName(QStringLiteral("preview"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setGeometry(QRect(at, source.size()));
    lower(); // group box titles drawn over the preview's blank margin stay visible
}

void PreviewView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.drawImage(QPoint(0, 0), surfaceImage(canvas_), source_);
}

} // namespace spectrane
