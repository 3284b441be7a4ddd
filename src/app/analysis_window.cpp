#include "app/analysis_window.h"

#include "app/app_state.h"
#include "qtsupport/qt_text_renderer.h"
#include "qtsupport/surface_image.h"
#include "views/analysis_picture.h"

#include <QCloseEvent>
#include <QPaintEvent>
#include <QPainter>

#include <algorithm>
#include <mutex>

namespace spectrane {

namespace {

constexpr int kMinUpdateIntervalMs = 33; // at most 30 analyses a second
constexpr int kMinWidth = 100;

AnalysisWords translatedWords() {
    AnalysisWords words;
    words.lightness = AnalysisWindow::tr("L*  最小 %1  最大 %2  反転 %3").toStdString();
    words.steps =
        AnalysisWindow::tr("ΔE00  平均 %1  最大 %2 @%3  ジャンプ %4  バンド %5  均一度 %6")
            .toStdString();
    words.gamut = AnalysisWindow::tr("  色域外 %1 ドット").toStdString();
    words.seam = AnalysisWindow::tr("継ぎ目 (最後のドット → ドット 0)  ΔE00 %1").toStdString();
    words.seamJump = AnalysisWindow::tr("  ジャンプ").toStdString();
    return words;
}

} // namespace

AnalysisWindow::AnalysisWindow(QWidget* owner, AppState& state, std::function<void()> closed)
    : QWidget(owner, Qt::Tool), state_(state), closed_(std::move(closed)),
      text_(std::make_unique<QtTextRenderer>()), levels_(std::make_unique<ColorLine>()),
      analysis_(std::make_unique<GradationAnalysis>()),
      picture_(kAnalysisPictureMaxWidth, kAnalysisPictureHeight), words_(translatedWords()) {
    setObjectName(QStringLiteral("AnalysisWindow"));
    setWindowTitle(QStringLiteral("Gradation Analysis - Spectrane"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(kMinWidth, kAnalysisCompactPictureHeight);
    setMaximumHeight(kAnalysisPictureHeight);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] { refresh(); });
    sinceRefresh_.start();
}

AnalysisWindow::~AnalysisWindow() = default;

void AnalysisWindow::changed() {
    if (!isVisible() || timer_.isActive()) {
        return; // showing it analyses afresh; a pending update will see this change too
    }
    const auto waited = static_cast<int>(sinceRefresh_.elapsed());
    timer_.start(std::max(0, kMinUpdateIntervalMs - waited));
}

void AnalysisWindow::refresh() {
    timer_.stop();
    int length = 0;
    ColorModel model;
    bool loop = false;
    {
        // The drag worker changes the levels only while it holds this lock.
        std::lock_guard lock(state_.bufferMutex);
        *levels_ = state_.doc.colorLine;
        length = state_.doc.length;
        model = state_.doc.colorModel();
        loop = state_.doc.loop;
    }
    analyzer_.analyze(*levels_, length, model, loop, *analysis_);
    sinceRefresh_.restart();
    ++refreshCount_;
    drawPicture();
}

void AnalysisWindow::drawPicture() {
    picture_.fill(0);
    DrawAnalysisPicture(picture_, *analysis_, *text_, layout_, words_);
    update();
}

void AnalysisWindow::placeClient(const QRect& client) {
    setMaximumWidth(QWIDGETSIZE_MAX);
    setMinimumHeight(std::min(kAnalysisCompactPictureHeight, client.height()));
    setGeometry(client);
    // As wide as the plot's view: a wider window would show what the plot does not.
    setMaximumWidth(client.width());
}

void AnalysisWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    const AnalysisLayout layout = analysisLayoutFor(height());
    if (layout != layout_) {
        layout_ = layout;
        drawPicture();
    }
}

void AnalysisWindow::paintEvent(QPaintEvent* event) {
    // Scrolled with the main plot, so dot j sits right below the plot's dot j; the headings,
    // the seam text and the labels left of dot 0 stay where they are.
    QPainter painter(this);
    const QRect dirty = event->rect();
    const QImage image = surfaceImage(picture_);
    const int scroll = state_.mainLayout.horizontal.pos;
    painter.fillRect(dirty, Qt::black);
    painter.drawImage(dirty.topLeft(), image, dirty.translated(scroll, 0));
    if (scroll == 0) {
        return;
    }
    const auto still = [&](const QRect& r) {
        const QRect part = r.intersected(dirty);
        if (!part.isEmpty()) {
            painter.fillRect(part, Qt::black);
            painter.drawImage(part.topLeft(), image, part);
        }
    };
    still(QRect(0, 0, kAnalysisLeftX, layout_.height));
    for (int y = 0; y < layout_.height;) {
        int end = y;
        while (end < layout_.height && !analysisScrollsAt(layout_, kAnalysisLeftX, end)) {
            ++end;
        }
        still(QRect(0, y, width(), end - y));
        y = end + 1;
    }
}

void AnalysisWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (closed_) {
        closed_();
    }
}

} // namespace spectrane
