#include "history/history.h"

#include "model/random_curves.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
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

// The history against a plain list of states and a cursor, over random changes, undo, redo and
// amends of the last step (some back to where it began); a small capacity drops the oldest.
TEST(History, UndoAndRedoFollowAListOfStates) {
    for (std::uint32_t seed = 1; seed <= 20; ++seed) {
        RandomGenerator rng;
        rng.seed(seed);
        auto doc = std::make_unique<GradationDocument>();
        newGradationCurves(*doc, rng);
        const std::size_t capacity =
            std::array{std::size_t{1}, std::size_t{7}, History::kDefaultCapacity}[seed % 3];
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
        while (history.undo(*doc)) {
        }
        EXPECT_EQ(takeSnapshot(*doc), states[oldest]);
        while (history.redo(*doc)) {
        }
        EXPECT_EQ(takeSnapshot(*doc), states.back());
    }
    EXPECT_EQ(History::kDefaultCapacity, 1000u);
}

} // namespace
} // namespace spectrane
