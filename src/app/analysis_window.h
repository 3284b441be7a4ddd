// The analysis window: the gradation's lightness, colour-difference steps and deficiency
// previews, aligned dot for dot with the main plot and scrolled with it. It follows every
// change live: the main window marks it changed, and it analyses at most 30 times a second on
// the UI thread, from a copy of the levels taken under the buffer lock, so the drag worker's
// step never waits for an analysis.
#pragma once

#include "analysis/analyzer.h"
#include "analysis/gradation_analysis.h"
#include "model/gradation_document.h"
#include "raster/surface.h"

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <memory>

namespace spectrane {

struct AppState;
class TextRenderer;

class AnalysisWindow : public QWidget {
    Q_OBJECT
public:
    // `closed` runs when the user closes the window (its close box).
    AnalysisWindow(AppState& state, std::function<void()> closed);
    ~AnalysisWindow() override;

    // The document or the main window's scroll position changed: analysed and drawn again
    // within a 30th of a second.
    void changed();
    // Analyses and draws now (also when hidden; tests and the first show).
    void refresh();
    // Width of the client for a main-window client `mainClientWidth` wide: as wide, but no
    // wider than the picture.
    void fitWidth(int mainClientWidth);

    const GradationAnalysis& analysis() const { return *analysis_; }
    const Surface& picture() const { return picture_; }
    // Updates made so far (a test watches it follow a drag).
    int refreshCount() const { return refreshCount_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    AppState& state_;
    std::function<void()> closed_;
    Analyzer analyzer_;
    std::unique_ptr<TextRenderer> text_; // its own: the worker draws with the program's
    std::unique_ptr<ColorLine> levels_;  // the copy taken under the lock
    std::unique_ptr<GradationAnalysis> analysis_;
    Surface picture_;
    QTimer timer_;
    QElapsedTimer sinceRefresh_;
    int refreshCount_ = 0;
};

} // namespace spectrane
