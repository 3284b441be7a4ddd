#include "history/history.h"

#include "model/random_curves.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace spectrane {
namespace {

// One random change of any kind the program makes: a dragged point, an inserted or deleted
// one, a direction, CMY or synchro switch, a new length, loop and curves.
void randomChange(GradationDocument& doc, RandomGenerator& rng) {
    ChannelCurve& curve = doc.channels[rng.next() % 3];
    switch (rng.next() % 5) {
    case 0:
        curve.controlPoints[rng.next() % curve.pointCount].y += 1.0 + rng.next() % 50;
        break;
    case 1:
        curve.pointCount = std::clamp(curve.pointCount + (rng.next() % 2 ? 1 : -1), 2, kMaxPoints);
        break;
    case 2:
        doc.direction = rng.next() % 4;
        doc.mode = doc.cmy() ? ColorMode::Rgb : ColorMode::Cmy;
        break;
    case 3:
        doc.synchro = !doc.synchro;
        doc.synchroChannels[rng.next() % 3] ^= true;
        doc.currentChannel = rng.next() % 3;
        break;
    default: // New, Open, or a length or loop change
        doc.length = kMinDots + rng.next() % (kMaxDots - 1);
        doc.loop = rng.next() % 2 == 0;
        newGradationCurves(doc, rng);
        break;
    }
}

// The history against a plain list of states and a cursor, over random interleavings of
// changes, undo, redo and changes that take the last step on (some of them back to where the
// step began); undoing everything gives the first document bit for bit.
TEST(History, UndoAndRedoFollowAListOfStates) {
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        RandomGenerator rng;
        rng.seed(seed);
        auto doc = std::make_unique<GradationDocument>();
        newGradationCurves(*doc, rng);
        const std::size_t capacity = seed % 2 == 0 ? 1000 : 7; // a small one drops the oldest
        History history(capacity);
        history.reset(*doc);
        std::vector<DocumentSnapshot> states{takeSnapshot(*doc)};
        std::size_t at = 0;
        std::size_t oldest = 0; // the first state still kept
        for (int op = 0; op < 150; ++op) {
            const int what = rng.next() % 5;
            if (what == 0) {
                EXPECT_EQ(history.undo(*doc), at > oldest);
                at -= at > oldest ? 1 : 0;
            } else if (what == 1) {
                EXPECT_EQ(history.redo(*doc), at + 1 < states.size());
                at += at + 1 < states.size() ? 1 : 0;
            } else if (what == 4) {
                if (at > oldest && rng.next() % 3 == 0) {
                    restoreSnapshot(states[at - 1], *doc);
                } else {
                    randomChange(*doc, rng);
                }
                const DocumentSnapshot now = takeSnapshot(*doc);
                const bool back = at > oldest && now == states[at - 1];
                EXPECT_EQ(history.amend(*doc), at > oldest && !back);
                if (at == oldest) {
                    restoreSnapshot(states[at], *doc); // nothing to take on: the change is undone
                } else {
                    states.resize(at + 1);
                    states[at] = now;
                    if (back) {
                        states.pop_back();
                        --at;
                    }
                }
            } else {
                randomChange(*doc, rng);
                const DocumentSnapshot now = takeSnapshot(*doc);
                EXPECT_EQ(history.record("change", *doc), now != states[at]);
                if (now != states[at]) {
                    states.resize(at + 1);
                    states.push_back(now);
                    at = states.size() - 1;
                    oldest = std::max(oldest, at - std::min(at, capacity));
                }
            }
            ASSERT_EQ(takeSnapshot(*doc), states[at]) << "seed " << seed << " op " << op;
            EXPECT_EQ(history.canUndo(), at > oldest);
            EXPECT_EQ(history.canRedo(), at + 1 < states.size());
        }
        if (seed % 2 == 0) {
            while (history.undo(*doc)) {
            }
            EXPECT_EQ(takeSnapshot(*doc), states.front());
            while (history.redo(*doc)) {
            }
            EXPECT_EQ(takeSnapshot(*doc), states.back());
        }
    }
}

// A history of capacity c keeps exactly the last c steps: after more changes than that, undo
// goes back exactly c times, to the state c steps ago, and redo comes forward c times again.
TEST(History, KeepsExactlyItsCapacity) {
    for (const std::size_t capacity :
         {std::size_t{1}, std::size_t{2}, std::size_t{7}, History::kDefaultCapacity}) {
        auto doc = std::make_unique<GradationDocument>();
        RandomGenerator rng;
        rng.seed(5);
        newGradationCurves(*doc, rng);
        History history(capacity);
        history.reset(*doc);
        std::vector<DocumentSnapshot> states{takeSnapshot(*doc)};
        for (std::size_t k = 0; k < capacity + 3; ++k) {
            doc->channels[0].controlPoints[0].y = static_cast<double>(k + 1);
            ASSERT_TRUE(history.record("change", *doc));
            states.push_back(takeSnapshot(*doc));
        }
        std::size_t undone = 0;
        while (history.undo(*doc)) {
            ++undone;
        }
        EXPECT_EQ(undone, capacity);
        EXPECT_EQ(takeSnapshot(*doc), states[states.size() - 1 - capacity]) << capacity;
        std::size_t redone = 0;
        while (history.redo(*doc)) {
            ++redone;
        }
        EXPECT_EQ(redone, capacity);
        EXPECT_EQ(takeSnapshot(*doc), states.back());
    }
    EXPECT_EQ(History::kDefaultCapacity, 1000u);
}

} // namespace
} // namespace spectrane
