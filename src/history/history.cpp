#include "history/history.h"

#include <algorithm>

namespace spectrane {

namespace {

const std::string kNone;

} // namespace

History::History(std::size_t capacity) : capacity_(std::max<std::size_t>(capacity, 1)) {}

void History::reset(const GradationDocument& doc) {
    states_.clear();
    states_.push_back({{}, takeSnapshot(doc)});
    position_ = 0;
}

bool History::record(const std::string& label, const GradationDocument& doc) {
    DocumentSnapshot snapshot = takeSnapshot(doc);
    if (states_.empty()) {
        states_.push_back({{}, std::move(snapshot)});
        return false;
    }
    if (snapshot == states_[position_].snapshot) {
        return false;
    }
    states_.erase(states_.begin() + static_cast<std::ptrdiff_t>(position_) + 1, states_.end());
    states_.push_back({label, std::move(snapshot)});
    if (states_.size() > capacity_ + 1) {
        states_.pop_front();
        states_.front().label.clear();
    }
    position_ = states_.size() - 1;
    return true;
}

bool History::amend(const GradationDocument& doc) {
    if (!canUndo()) {
        return false;
    }
    states_.erase(states_.begin() + static_cast<std::ptrdiff_t>(position_) + 1, states_.end());
    DocumentSnapshot snapshot = takeSnapshot(doc);
    if (snapshot == states_[position_ - 1].snapshot) {
        states_.pop_back();
        --position_;
        return false;
    }
    states_[position_].snapshot = std::move(snapshot);
    return true;
}

const std::string& History::undoLabel() const {
    return canUndo() ? states_[position_].label : kNone;
}

const std::string& History::redoLabel() const {
    return canRedo() ? states_[position_ + 1].label : kNone;
}

bool History::undo(GradationDocument& doc) {
    if (!canUndo()) {
        return false;
    }
    moveTo(position_ - 1, doc);
    return true;
}

bool History::redo(GradationDocument& doc) {
    if (!canRedo()) {
        return false;
    }
    moveTo(position_ + 1, doc);
    return true;
}

void History::moveTo(std::size_t to, GradationDocument& doc) {
    const std::optional<ChannelIndex> changed =
        onlyChangedChannel(states_[position_].snapshot, states_[to].snapshot);
    position_ = to;
    restoreSnapshot(states_[position_].snapshot, doc);
    if (changed) {
        doc.currentChannel = *changed;
    }
}

std::size_t History::bytes() const {
    std::size_t total = 0;
    for (const State& s : states_) {
        total += snapshotBytes(s.snapshot) + s.label.capacity();
    }
    return total;
}

} // namespace spectrane
