// The one path every change of the document ends on, and the analysis window's place beside
// the plot, which moves whenever the main window or its plot does.
#include "app/main_window.h"

#include "app/analysis_window.h"
#include "app/canvas_widget.h"
#include "qtsupport/window_frame.h"
#include "views/analysis_picture.h"
#include "views/analysis_window_place.h"

#include <QMoveEvent>

namespace spectrane {

void MainWindow::documentChanged() {
    if (analysis_ == nullptr || !analysis_->isVisible()) {
        return; // showing it analyses afresh
    }
    // A command has ended: the worker is idle, so the analysis can be made now rather than on
    // the next timer tick.
    analysis_->refresh();
    placeAnalysisWindow();
    // Commands show the gradation window again, which would then cover the headings.
    analysis_->raise();
}

void MainWindow::placeAnalysisWindow() {
    if (analysis_ == nullptr || !analysis_->isVisible()) {
        return;
    }
    const QSize work = options_.workArea();
    const QRect main = frameGeometry();
    const QMargins frame = windowFrameOf(analysis_.get(), this);
    AnalysisPlaceInput in;
    in.workArea = {0, 0, work.width(), work.height()};
    in.mainOuter = {main.x(), main.y(), main.width(), main.height()};
    in.plotLeft = canvas_->mapToGlobal(QPoint(0, 0)).x();
    in.plotWidth = canvas_->width();
    in.pictureWidth = analysisPictureWidth(state_->doc.length);
    in.frameLeft = frame.left();
    in.frameTop = frame.top();
    in.frameRight = frame.right();
    in.frameBottom = frame.bottom();
    const ScreenRect c = spectrane::placeAnalysisWindow(in);
    analysis_->placeClient(QRect(c.x, c.y, c.width, c.height));
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QMainWindow::moveEvent(event);
    placeAnalysisWindow();
}

} // namespace spectrane
