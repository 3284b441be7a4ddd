// The point table: every point of the current channel with its index, dot and level, following
// each change live (at most 30 times a second, from a copy taken under the buffer lock), the
// highlighted point selected. Choosing a row highlights its point for the keys; typing a dot or
// level sets the point as the point menu's position command does.
#pragma once

#include "editing/key_moves.h"

#include <QTimer>
#include <QWidget>

#include <functional>
#include <vector>

class QTableWidget;
class QTableWidgetItem;

namespace spectrane {

struct AppState;

class PointTableWindow : public QWidget {
    Q_OBJECT
public:
    struct Hooks {
        std::function<void(int)> selectPoint;           // a row was chosen: its point
        std::function<void(int, int, int)> setPosition; // point, typed dot, typed level
        std::function<void()> closed;                   // the close box
    };
    enum Column { kIndexColumn, kDotColumn, kLevelColumn };

    PointTableWindow(AppState& state, Hooks hooks);

    // The document or the highlight changed: shown again shortly.
    void changed();
    // Shown again now (also when hidden).
    void refresh();
    // Beside `mainFrame` (right of it, else left of it), inside `workArea`.
    void placeBeside(const QRect& mainFrame, const QRect& workArea);

    QTableWidget* table() const { return table_; }
    // The table's row that shows point i; -1 for none.
    int rowOfPoint(int i) const;

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    struct Shown {
        ChannelIndex channel = -1;
        ColorMode mode = ColorMode::Rgb;
        bool fixedEnds = false; // an open curve: its ends' dots cannot be typed
        std::vector<DotLevel> points;
        int highlighted = -1;
        bool descending = false;

        friend bool operator==(const Shown&, const Shown&) = default;
    };
    void fill();
    void cellEdited(QTableWidgetItem* item);
    void rowChosen();
    int pointOfRow(int row) const;

    AppState& state_;
    Hooks hooks_;
    QTableWidget* table_;
    QTimer timer_;
    Shown shown_;
    bool descending_ = false; // rows by index, highest first
    bool filling_ = false;
};

} // namespace spectrane
