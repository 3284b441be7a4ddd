// Undo and redo of document changes: the states the document went through, each reached by a
// named step, and where the user stands among them. Pure: the program records a step where a
// change is committed and asks for undo and redo; nothing here knows a window.
#pragma once

#include "history/document_snapshot.h"

#include <cstddef>
#include <deque>
#include <string>

namespace spectrane {

class History {
public:
    // Keeps at most `capacity` steps (at least one); the oldest go first.
    explicit History(std::size_t capacity = kDefaultCapacity);

    static constexpr std::size_t kDefaultCapacity = 1000;

    // Starts anew at `doc`: nothing to undo or redo.
    void reset(const GradationDocument& doc);

    // A change named `label` has taken the document to `doc`. Discards what could be redone.
    // A document equal to the present state records nothing (a click that moved no point, a
    // window confirmed without a change). Returns true when a step was recorded.
    bool record(const std::string& label, const GradationDocument& doc);

    // Takes the last recorded step on to `doc`, keeping its name, so that a run of small changes
    // (key moves of one point) is one step. Discards what could be redone. A run that came back
    // to the state before the step takes the step away. Returns true while the step remains;
    // false, and nothing done, when there is no step to take on.
    bool amend(const GradationDocument& doc);

    bool canUndo() const { return position_ > 0; }
    bool canRedo() const { return position_ + 1 < states_.size(); }
    // The name of the step undo would take back, or redo would take again; empty for none.
    const std::string& undoLabel() const;
    const std::string& redoLabel() const;

    // Puts the state before the last step (after the next one) into `doc`; the anchors and
    // levels are left for the caller's rebuild. The channel whose curve the step changed becomes
    // current, so the user sees what was undone; a step that changed several or none leaves the
    // current channel. False, `doc` untouched, when there is none.
    bool undo(GradationDocument& doc);
    bool redo(GradationDocument& doc);

    // What the states hold, in bytes.
    std::size_t bytes() const;

private:
    // Moves to state `to` (next to the present one).
    void moveTo(std::size_t to, GradationDocument& doc);

    struct State {
        std::string label; // the step that led here; empty for the first state
        DocumentSnapshot snapshot;
    };

    std::size_t capacity_;
    std::deque<State> states_; // the first state, then one per step
    std::size_t position_ = 0; // the state the document is in
};

} // namespace spectrane
