#include "editing/synchro.h"

#include "editing/drag_start.h"
#include "editing/drag_step.h"
#include "editing/hit_test.h"
#include "editing_fixture.h"

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
    ASSERT_EQ(doc.channels[a].pointCount, doc.channels[b].pointCount);
    for (int i = 0; i < doc.channels[a].pointCount; ++i) {
        ASSERT_EQ(doc.channels[a].controlPoints[i], doc.channels[b].controlPoints[i]) << i;
        ASSERT_EQ(doc.channels[a].anchorPoints[i], doc.channels[b].anchorPoints[i]) << i;
    }
    for (int j = 0; j < doc.length; ++j) {
        ASSERT_EQ(doc.colorLine[a][j], doc.colorLine[b][j]) << j;
    }
}

TEST(Synchro, SourceChoiceAndResync) {
    struct Case {
        std::array<bool, 3> flags;
        ChannelIndex current;
        ChannelIndex source;
    };
    for (const Case& k : {Case{{1, 1, 0}, 0, 0}, Case{{0, 1, 1}, 0, 1}, Case{{1, 1, 1}, 2, 2},
                          Case{{1, 0, 1}, 1, 0}}) {
        EditorFixture f(threeCurves());
        f.doc.synchro = 1;
        f.doc.currentChannel = k.current;
        f.refresh();
        f.doc.synchroChannels = k.flags;
        EXPECT_EQ(SynchroSource(f.doc), k.source);
        const GradationDocument before = f.doc;
        auto ctx = f.context();
        ASSERT_TRUE(ResyncSynchro(ctx));
        for (ChannelIndex t = 0; t < 3; ++t) {
            if (k.flags[t] != 0) {
                expectSameChannel(f.doc, t, k.source);
                EXPECT_EQ(f.doc.channels[t].controlPoints, before.channels[k.source].controlPoints);
            } else {
                EXPECT_EQ(f.doc.channels[t].controlPoints, before.channels[t].controlPoints);
            }
        }
        // The picture is what a full refresh of the synchronised document shows.
        auto ref = std::make_unique<GraphBuffers>();
        GradationDocument copy = f.doc;
        test::renderFromScratch(copy, *ref, f.colors, f.text, f.layout);
        const Surface& main = f.buffers->mainBuffer;
        EXPECT_EQ(test::countDifferences(main, ref->mainBuffer, {0, 0, 512, 490}), 0);
    }
    // Off, or fewer than two checked: nothing.
    EditorFixture f(threeCurves());
    f.refresh();
    auto ctx = f.context();
    f.doc.synchroChannels = {1, 1, 1};
    EXPECT_FALSE(ResyncSynchro(ctx));
    f.doc.synchro = 1;
    f.doc.synchroChannels = {0, 1, 0};
    EXPECT_FALSE(ResyncSynchro(ctx));
    EXPECT_NE(f.doc.channels[0].pointCount, f.doc.channels[1].pointCount);
}

TEST(Synchro, DragsKeepCheckedChannelsIdenticalAndLeaveOthersAlone) {
    for (int loop = 0; loop <= 1; ++loop) {
        EditorFixture f(threeCurves());
        f.doc.loop = loop;
        f.doc.synchro = 1;
        f.doc.synchroChannels = {1, 0, 1};
        f.refresh();
        auto ctx = f.context();
        ASSERT_TRUE(ResyncSynchro(ctx));
        const ChannelCurve unchecked = f.doc.channels[1];
        for (int i : {1, 2, 0}) {
            const CurvePoint a = f.doc.channels[0].anchorPoints[i];
            ASSERT_TRUE(StartDrag(ctx, static_cast<int>(a.x), static_cast<int>(a.y)));
            for (int step = 1; step <= 5; ++step) {
                DragStep(ctx, static_cast<int>(a.x) + 7 * step, static_cast<int>(a.y) - 9 * step);
                expectSameChannel(f.doc, 0, 2);
            }
            EndDrag(f.edit);
        }
        EXPECT_EQ(f.doc.channels[1].controlPoints, unchecked.controlPoints);

        // Dragging the unchecked channel changes that channel only.
        f.doc.currentChannel = 1;
        f.refresh();
        const ChannelCurve r = f.doc.channels[0];
        const CurvePoint a = f.doc.channels[1].anchorPoints[1];
        ASSERT_TRUE(StartDrag(ctx, static_cast<int>(a.x), static_cast<int>(a.y)));
        DragStep(ctx, static_cast<int>(a.x) + 5, static_cast<int>(a.y) + 20);
        EXPECT_EQ(f.doc.channels[0].controlPoints, r.controlPoints);
        EXPECT_NE(f.doc.channels[1].controlPoints, unchecked.controlPoints);
        expectSameChannel(f.doc, 0, 2);
    }
}

} // namespace
} // namespace spectrane
