#include "app/scroll_bar_binding.h"

#include <QApplication>
#include <QSignalBlocker>

namespace spectrane {

void applyScrollAxis(QScrollBar* bar, const ScrollAxis& axis) {
    const QSignalBlocker block(bar);
    bar->setRange(0, axis.canScroll() ? axis.maxPos() : 0);
    bar->setPageStep(axis.page());
    bar->setSingleStep(kScrollLineStep);
    bar->setValue(axis.pos);
    bar->setEnabled(axis.canScroll());
}

int wheelLineSteps(int& pending, int angle) {
    constexpr int kNotch = 120;
    pending += angle;
    const int notches = pending / kNotch;
    pending -= notches * kNotch;
    return -notches * QApplication::wheelScrollLines();
}

void bindScrollBar(QScrollBar* bar, const std::function<int(ScrollRequest, int)>& scrolled) {
    QObject::connect(bar, &QAbstractSlider::actionTriggered, bar, [bar, scrolled](int action) {
        ScrollRequest request = ScrollRequest::Other;
        switch (action) {
        case QAbstractSlider::SliderSingleStepSub:
            request = ScrollRequest::LineBack;
            break;
        case QAbstractSlider::SliderSingleStepAdd:
            request = ScrollRequest::LineForward;
            break;
        case QAbstractSlider::SliderPageStepSub:
            request = ScrollRequest::PageBack;
            break;
        case QAbstractSlider::SliderPageStepAdd:
            request = ScrollRequest::PageForward;
            break;
        case QAbstractSlider::SliderMove:
            request = ScrollRequest::Track;
            break;
        default:
            break;
        }
        // The slider has already moved by its own rules; put it where the axis says.
        bar->setSliderPosition(scrolled(request, bar->sliderPosition()));
    });
    // Wheel and keyboard changes that bypass the actions still go through the axis.
    QObject::connect(bar, &QAbstractSlider::valueChanged, bar, [bar, scrolled](int value) {
        const int pos = scrolled(ScrollRequest::Track, value);
        if (pos != value) {
            const QSignalBlocker block(bar);
            bar->setValue(pos);
        }
    });
}

} // namespace spectrane
