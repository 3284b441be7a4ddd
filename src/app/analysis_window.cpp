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
constexpr int kMinWidth = 200;

} // namespace

AnalysisWindow::AnalysisWindow(AppState& state, std::function<void()> closed)
    : QWidget(nullptr, Qt::Window), state_(state), closed_(std::move(closed)),
      text_(std::make_unique<QtTextRenderer>()), levels_(std::make_unique<ColorLine>()),
      analysis_(std::make_unique<GradationAnalysis>()),
      picture_(kAnalysisPictureMaxWidth, kAnalysisPictureHeight) {
    setObjectName(QStringLiteral("AnalysisWindow"));
    setWindowTitle(QStringLiteral("Gradation Analysis - Spectrane"));
    setAttribute(Qt::WA_OpaquePaintEvent);
    setMinimumSize(kMinWidth, kAnalysisPictureHeight);
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
    bool cmy = false;
    bool loop = false;
    {
        // The drag worker changes the levels only while it holds this lock.
        std::lock_guard lock(state_.bufferMutex);
        *levels_ = state_.doc.colorLine;
        length = state_.doc.length;
        cmy = state_.doc.cmy;
        loop = state_.doc.loop;
    }
    analyzer_.analyze(*levels_, length, cmy, loop, *analysis_);
    picture_.fill(0);
    DrawAnalysisPicture(picture_, *analysis_, *text_);
    setMaximumWidth(analysisPictureWidth(length));
    sinceRefresh_.restart();
    ++refreshCount_;
    update();
}

void AnalysisWindow::fitWidth(int mainClientWidth) {
    const int most = analysisPictureWidth(state_.doc.length);
    setMaximumWidth(most);
    resize(std::clamp(mainClientWidth, kMinWidth, most), kAnalysisPictureHeight);
}

void AnalysisWindow::paintEvent(QPaintEvent* event) {
    // Scrolled with the main plot, so dot j sits right below the plot's dot j.
    QPainter painter(this);
    const QRect dirty = event->rect();
    painter.fillRect(dirty, Qt::black);
    painter.drawImage(dirty.topLeft(), surfaceImage(picture_),
                      dirty.translated(state_.mainLayout.horizontal.pos, 0));
}

void AnalysisWindow::closeEvent(QCloseEvent* event) {
    event->accept();
    if (closed_) {
        closed_();
    }
}

} // namespace spectrane
