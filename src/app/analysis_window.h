// The analysis window: the gradation's lightness, perceptual speed, jumps, bands and deficiency
// previews, aligned dot for dot with the main plot and scrolled with it, its headings and labels
// staying in view. Every change of the document reaches it through the main window's one path
// (refresh now); a drag's steps mark it changed, and it then analyses at most 30 times a second
// on the UI thread, from a copy of the levels taken under the buffer lock, so the drag worker's
// step never waits for an analysis. Its place and height are the main window's to set.
#pragma once

#include "analysis/analyzer.h"
#include "analysis/gradation_analysis.h"
#include "model/gradation_document.h"
#include "raster/surface.h"
#include "views/analysis_picture.h"

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
    // `closed` runs when the user closes the window (its close box). It stays above `owner`
    // (the main window), whose lower edge it covers where the screen is too low for both.
    AnalysisWindow(QWidget* owner, AppState& state, std::function<void()> closed);
    ~AnalysisWindow() override;

    // The document or the main window's scroll position changed: analysed and drawn again
    // within a 30th of a second.
    void changed();
    // Analyses and draws now (also when hidden; tests and the first show).
    void refresh();
    // Puts the client at `client` (screen coordinates); the picture is laid out for its height.
    void placeClient(const QRect& client);

    const GradationAnalysis& analysis() const { return *analysis_; }
    const Surface& picture() const { return picture_; }
    const AnalysisLayout& layout() const { return layout_; }
    // Updates made so far (a test watches it follow a drag).
    int refreshCount() const { return refreshCount_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void drawPicture();

    AppState& state_;
    std::function<void()> closed_;
    Analyzer analyzer_;
    std::unique_ptr<TextRenderer> text_; // its own: the worker draws with the program's
    std::unique_ptr<ColorLine> levels_;  // the copy taken under the lock
    std::unique_ptr<GradationAnalysis> analysis_;
    Surface picture_;
    AnalysisLayout layout_;
    AnalysisWords words_;
    QTimer timer_;
    QElapsedTimer sinceRefresh_;
    int refreshCount_ = 0;
};

} // namespace spectrane
