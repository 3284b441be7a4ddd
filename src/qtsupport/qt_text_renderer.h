// TextRenderer on Qt: QPainter on a QImage view of the surface, fonts by face name through the
// registered substitutes. Usable from any thread once the QGuiApplication exists.
#pragma once

#include "raster/text_renderer.h"

#include <QFont>

#include <map>
#include <string>
#include <utility>

namespace spectrane {

class QtTextRenderer final : public TextRenderer {
public:
    QtTextRenderer();

    void drawText(Surface& surface, int x, int y, std::string_view text,
                  const TextStyle& style) override;
    TextExtent measureText(std::string_view text, const TextStyle& style) override;

private:
    // Callers hold the process-wide text lock.
    const QFont& fontFor(const TextStyle& style);

    std::map<std::pair<std::string, int>, QFont> fonts_;
};

} // namespace spectrane
