#include "app/point_table_window.h"

#include "app/app_state.h"
#include "model/color_mode.h"

#include <QCloseEvent>
#include <QHeaderView>
#include <QTableWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <mutex>

namespace spectrane {

namespace {

constexpr int kUpdateIntervalMs = 33; // at most 30 updates a second
constexpr int kWidth = 260;

QTableWidgetItem* numberItem(int value, bool editable) {
    auto* item = new QTableWidgetItem(QString::number(value));
    item->setTextAlignment(Qt::AlignRight | Qt::AlignVCenter);
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (editable) {
        flags |= Qt::ItemIsEditable;
    }
    item->setFlags(flags);
    return item;
}

} // namespace

PointTableWindow::PointTableWindow(AppState& state, Hooks hooks)
    : QWidget(nullptr, Qt::Window), state_(state), hooks_(std::move(hooks)),
      table_(new QTableWidget(0, 3, this)) {
    setObjectName(QStringLiteral("PointTableWindow"));
    table_->setObjectName(QStringLiteral("pointTable"));
    table_->setHorizontalHeaderLabels({tr("番号"), tr("ドット"), tr("レベル")});
    table_->verticalHeader()->hide();
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                            QAbstractItemView::AnyKeyPressed);
    // Sorted by index only: the other columns' headers do nothing.
    QHeaderView* header = table_->horizontalHeader();
    header->setSectionResizeMode(QHeaderView::Stretch);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(kIndexColumn, Qt::AscendingOrder);
    header->setSectionsClickable(true);
    connect(header, &QHeaderView::sectionClicked, this, [this](int column) {
        if (column == kIndexColumn) {
            descending_ = !descending_;
        }
        table_->horizontalHeader()->setSortIndicator(
            kIndexColumn, descending_ ? Qt::DescendingOrder : Qt::AscendingOrder);
        refresh();
    });
    connect(table_, &QTableWidget::itemChanged, this, &PointTableWindow::cellEdited);
    connect(table_, &QTableWidget::itemSelectionChanged, this, &PointTableWindow::rowChosen);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(table_);
    resize(kWidth, 480);
    timer_.setSingleShot(true);
    connect(&timer_, &QTimer::timeout, this, [this] { refresh(); });
}

void PointTableWindow::changed() {
    if (isVisible() && !timer_.isActive()) {
        timer_.start(kUpdateIntervalMs);
    }
}

void PointTableWindow::refresh() {
    timer_.stop();
    Shown now;
    {
        // The drag worker moves anchors and switches channels only while it holds this lock.
        std::lock_guard lock(state_.bufferMutex);
        const GradationDocument& doc = state_.doc;
        now.channel = doc.currentChannel;
        now.mode = doc.mode;
        now.fixedEnds = !doc.loop;
        const int n = doc.channels[now.channel].pointCount;
        for (int i = 0; i < n; ++i) {
            now.points.push_back(ShownPosition(doc, now.channel, i));
        }
        now.highlighted = state_.edit.hoveredPoint;
    }
    now.descending = descending_;
    if (now == shown_) {
        return; // a cell being typed in stays as it is
    }
    shown_ = std::move(now);
    fill();
}

void PointTableWindow::fill() {
    setWindowTitle(
        tr("ポイント表 - %1").arg(QLatin1String(channelName(shown_.mode, shown_.channel))));
    filling_ = true;
    const int n = static_cast<int>(shown_.points.size());
    table_->setRowCount(n);
    for (int row = 0; row < n; ++row) {
        const int i = pointOfRow(row);
        const bool fixedDot = shown_.fixedEnds && (i == 0 || i == n - 1);
        table_->setItem(row, kIndexColumn, numberItem(i, false));
        table_->setItem(row, kDotColumn, numberItem(shown_.points[i].dot, !fixedDot));
        table_->setItem(row, kLevelColumn, numberItem(shown_.points[i].level, true));
    }
    const int row = rowOfPoint(shown_.highlighted);
    if (row >= 0) {
        table_->selectRow(row);
        table_->scrollToItem(table_->item(row, kIndexColumn));
    } else {
        table_->clearSelection();
    }
    filling_ = false;
}

int PointTableWindow::pointOfRow(int row) const {
    return descending_ ? static_cast<int>(shown_.points.size()) - 1 - row : row;
}

int PointTableWindow::rowOfPoint(int i) const {
    const int n = static_cast<int>(shown_.points.size());
    if (i < 0 || i >= n) {
        return -1;
    }
    return descending_ ? n - 1 - i : i;
}

void PointTableWindow::rowChosen() {
    if (filling_) {
        return;
    }
    const QList<QTableWidgetItem*> chosen = table_->selectedItems();
    if (!chosen.isEmpty() && hooks_.selectPoint) {
        hooks_.selectPoint(pointOfRow(chosen.front()->row()));
    }
}

void PointTableWindow::cellEdited(QTableWidgetItem* item) {
    if (filling_ || item->column() == kIndexColumn) {
        return;
    }
    const int i = pointOfRow(item->row());
    if (i < 0 || i >= static_cast<int>(shown_.points.size())) {
        return;
    }
    DotLevel typed = shown_.points[i];
    // As the position window reads its edits: a number, its fraction dropped; anything else
    // keeps the point's value. Beyond four digits no position is reachable anyway.
    bool ok = false;
    const double value = item->text().trimmed().toDouble(&ok);
    if (ok && std::isfinite(value)) {
        const int whole = static_cast<int>(std::trunc(std::clamp(value, -99999.0, 99999.0)));
        (item->column() == kDotColumn ? typed.dot : typed.level) = whole;
    }
    // After the edit has ended: the point command may show a refusal, and the rows are filled
    // again, which replaces the item being committed now.
    QMetaObject::invokeMethod(
        this,
        [this, i, typed, changed = typed != shown_.points[i]] {
            if (changed && hooks_.setPosition) {
                hooks_.setPosition(i, typed.dot, typed.level);
            }
            shown_ = {}; // the cells show the points' values again, whatever was typed
            refresh();
        },
        Qt::QueuedConnection);
}

void PointTableWindow::placeBeside(const QRect& mainFrame, const QRect& workArea) {
    const QRect frame = frameGeometry();
    const int extraW = frame.width() - width();
    const int extraH = frame.height() - height();
    const int h = std::min(mainFrame.height(), workArea.height()) - extraH;
    resize(kWidth, std::max(h, 120));
    const int outerW = kWidth + extraW;
    int x = mainFrame.right() + 1;
    if (x + outerW > workArea.right() + 1) {
        x = mainFrame.left() - outerW;
    }
    x = std::clamp(x, workArea.left(), std::max(workArea.left(), workArea.right() + 1 - outerW));
    const int y = std::clamp(mainFrame.top(), workArea.top(),
                             std::max(workArea.top(), workArea.bottom() + 1 - height() - extraH));
    move(x, y);
}

void PointTableWindow::closeEvent(QCloseEvent* event) {
    QWidget::closeEvent(event);
    if (hooks_.closed) {
        hooks_.closed();
    }
}

} // namespace spectrane
