#include "qtsupport/window_frame.h"

#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <memory>

namespace spectrane {

namespace {

QMargins ownFrame(const QWidget* window) {
    if (window == nullptr || window->windowHandle() == nullptr) {
        return {};
    }
    return window->windowHandle()->frameMargins();
}

} // namespace

QMargins windowFrameOf(const QWidget* window, const QWidget* fallback) {
    const QMargins own = ownFrame(window);
    return own.isNull() ? ownFrame(fallback) : own;
}

void placeTopLevel(QWidget* window, const QRect& outer, const QMargins& frame) {
    window->move(outer.topLeft()); // a top-level window's position includes its frame
    window->resize(outer.size().shrunkBy(frame));
}

void whenFramed(QWidget* window, std::function<void()> placed) {
    constexpr int kTries = 50;
    constexpr int kIntervalMs = 20;
    auto* timer = new QTimer(window);
    timer->setInterval(kIntervalMs);
    auto tries = std::make_shared<int>(0);
    QObject::connect(timer, &QTimer::timeout, window,
                     [timer, window, tries, placed = std::move(placed)] {
                         if (!ownFrame(window).isNull() && window->windowHandle()->isExposed()) {
                             timer->stop();
                             timer->deleteLater();
                             placed();
                         } else if (++*tries >= kTries) {
                             timer->stop();
                             timer->deleteLater();
                         }
                     });
    timer->start();
}

} // namespace spectrane
