#include "qtsupport/qt_text_renderer.h"

#include "qtsupport/fonts.h"
#include "qtsupport/surface_image.h"

#include <QColor>
#include <QFontMetrics>
#include <QPainter>
#include <QRect>
#include <QString>

#include <algorithm>
#include <cstdint>
#include <mutex>

namespace spectrane {

namespace {

// Qt's font engines and glyph caches are shared by every renderer in the process; one lock
// keeps the UI thread and the drag worker from using them at the same time.
std::mutex& textLock() {
    static std::mutex lock;
    return lock;
}

QString fromUtf8(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

QtTextRenderer::QtTextRenderer() {
    registerFontSubstitutes();
}

const QFont& QtTextRenderer::fontFor(const TextStyle& style) {
    const auto key = std::make_pair(style.face, style.pixelHeight);
    auto it = fonts_.find(key);
    if (it == fonts_.end()) {
        it = fonts_.emplace(key, programFont(style.face, style.pixelHeight)).first;
    }
    return it->second;
}

void QtTextRenderer::drawText(Surface& surface, int x, int y, std::string_view text,
                              const TextStyle& style) {
    if (text.empty() || surface.width() == 0 || surface.height() == 0) {
        return;
    }
    std::lock_guard<std::mutex> hold(textLock());
    const QFont& font = fontFor(style);
    const QFontMetrics metrics(font);
    const QString str = fromUtf8(text);
    const std::int64_t advance = metrics.horizontalAdvance(str);
    const std::int64_t ascent = metrics.ascent();
    const std::int64_t cellHeight = metrics.ascent() + metrics.descent();

    // Everything the text may touch: its cell and its glyphs' ink, one pixel to spare, in 64
    // bits so that far-off positions cannot overflow before they are found to miss.
    const QRect ink = metrics.boundingRect(str);
    const std::int64_t left = std::min<std::int64_t>(x, std::int64_t{x} + ink.left()) - 1;
    const std::int64_t top = std::min<std::int64_t>(y, std::int64_t{y} + ascent + ink.top()) - 1;
    const std::int64_t right =
        std::max<std::int64_t>(x + advance, std::int64_t{x} + ink.right() + 1) + 1;
    const std::int64_t bottom =
        std::max<std::int64_t>(y + cellHeight, y + ascent + ink.bottom() + 1) + 1;
    const Rect area{static_cast<int>(std::clamp<std::int64_t>(left, 0, surface.width())),
                    static_cast<int>(std::clamp<std::int64_t>(top, 0, surface.height())),
                    static_cast<int>(std::clamp<std::int64_t>(right, 0, surface.width())),
                    static_cast<int>(std::clamp<std::int64_t>(bottom, 0, surface.height()))};
    if (area.right <= area.left || area.bottom <= area.top) {
        return;
    }
    if (style.opaque) {
        fillRectWide(surface, x, y, x + advance, y + cellHeight, style.background);
    }
    {
        QImage image = surfaceImage(surface);
        QPainter painter(&image);
        painter.setClipRect(
            QRect(area.left, area.top, area.right - area.left, area.bottom - area.top));
        painter.setFont(font);
        painter.setPen(QColor(redOf(style.color), greenOf(style.color), blueOf(style.color)));
        // The text reaches the surface, so x and the baseline are within a few text widths of
        // it and fit in int.
        painter.drawText(QPoint(x, static_cast<int>(y + ascent)), str);
    }
    clearAlphaByte(surface, area);
}

TextExtent QtTextRenderer::measureText(std::string_view text, const TextStyle& style) {
    std::lock_guard<std::mutex> hold(textLock());
    const QFontMetrics metrics(fontFor(style));
    return {metrics.horizontalAdvance(fromUtf8(text)), metrics.ascent() + metrics.descent()};
}

} // namespace spectrane
