#include "editing/synchro.h"

#include "editing/point_commands.h"
#include "support/editor_fixture.h"

#include <gtest/gtest.h>

namespace spectrane {
namespace {

using test::EditorFixture;

// Three different channels.
std::unique_ptr<GradationDocument> threeCurves() {
    auto doc = test::openDocumentFromAnchors(400, {{56, 200}, {150, 150}, {300, 120}, {455, 250}});
    doc->channels[1].pointCount = 3;
    doc->channels[1].controlPoints[1] = {250, 80};
    doc->channels[1].controlPoints[2] = {455, 300};
    doc->channels[2].controlPoints[2].y = 330;
    return doc;
}

void expectSameChannel(const GradationDocument& doc, ChannelIndex a, ChannelIndex b) {
    EXPECT_EQ(test::controlsOf(doc, a), test::controlsOf(doc, b));
    EXPECT_TRUE(doc.channels[a].anchorPoints == doc.channels[b].anchorPoints);
    EXPECT_TRUE(doc.colorLine[a] == doc.colorLine[b]);
}

// The source is the current channel if checked, else the lowest checked one; every checked
// channel becomes a copy of it, and the picture is what a full refresh shows.
TEST(Synchro, ResyncCopiesTheSourceToEveryCheckedChannel) {
    struct Row {
        std::array<bool, 3> flags;
        ChannelIndex current, source;
    };
    for (const Row& r :
         {Row{{1, 1, 0}, 0, 0}, {{0, 1, 1}, 0, 1}, {{1, 1, 1}, 2, 2}, {{1, 0, 1}, 1, 0}}) {
        EditorFixture f(threeCurves());
        f.doc.synchro = true;
        f.doc.currentChannel = r.current;
        f.refresh();
        f.doc.synchroChannels = r.flags;
        EXPECT_EQ(SynchroSource(f.doc), r.source);
        const GradationDocument before = f.doc;
        auto ctx = f.context();
        ASSERT_TRUE(ResyncSynchro(ctx));
        for (ChannelIndex t = 0; t < 3; ++t) {
            EXPECT_EQ(test::controlsOf(f.doc, t),
                      test::controlsOf(before, r.flags[t] ? r.source : t));
            if (r.flags[t]) {
                expectSameChannel(f.doc, t, r.source);
            }
        }
        auto ref = std::make_unique<GraphBuffers>();
        GradationDocument copy = f.doc;
        test::renderFromScratch(copy, *ref, f.colors, f.text, f.layout);
        EXPECT_EQ(test::countDifferences(f.buffers->mainBuffer, ref->mainBuffer, {0, 0, 512, 490}),
                  0);
    }
    // Off, or fewer than two checked: nothing.
    EditorFixture f(threeCurves());
    f.refresh();
    auto ctx = f.context();
    f.doc.synchroChannels = {1, 1, 1};
    EXPECT_FALSE(ResyncSynchro(ctx));
    f.doc.synchro = true;
    f.doc.synchroChannels = {0, 1, 0};
    EXPECT_FALSE(ResyncSynchro(ctx));
    EXPECT_NE(f.doc.channels[0].pointCount, f.doc.channels[1].pointCount);
}

// Inserting and deleting through the popup keep the checked channels identical and leave the
// others alone.
TEST(Synchro, PointCommandsKeepCheckedChannelsIdentical) {
    EditorFixture f(threeCurves());
    f.doc.synchro = true;
    f.doc.synchroChannels = {1, 0, 1};
    f.doc.channels[2] = f.doc.channels[0];
    f.refresh();
    auto ctx = f.context();
    const auto unchecked = test::controlsOf(f.doc, 1);
    f.edit.hoveredPoint = 2;
    RunPopupCommand(ctx, kPopupInsertPoint);
    EXPECT_EQ(f.doc.channels[0].pointCount, 5);
    expectSameChannel(f.doc, 0, 2);
    f.edit.hoveredPoint = 3;
    RunPopupCommand(ctx, kPopupDeletePoint);
    EXPECT_EQ(f.doc.channels[0].pointCount, 4);
    expectSameChannel(f.doc, 0, 2);
    EXPECT_EQ(test::controlsOf(f.doc, 1), unchecked);
}

} // namespace
} // namespace spectrane
