// Synchro mode: the checked channels hold identical curves; a change of one is passed on to
// the others, their layers and the composed inactive curves.
#pragma once

#include "editing/editor_context.h"

#include <array>

namespace spectrane {

// What one pass of PropagateSynchro copies and redraws.
struct SynchroPropagation {
    GradationSettings settings; // synchro and its channels, length, loop and CMY of the pass
    ChannelIndex current = 0;   // the document's current channel
    ChannelIndex source = 0;    // the channel the others copy
    int firstDot = 0;           // ColorLine dots to copy and colour bars to repaint, inclusive
    int lastDot = 0;
    int pointIndex = 0; // the moved control point, when not whole
    bool whole = false; // copy every point (and the point count) rather than one point's effect
    int spanLeft = 0;   // canvas columns of the layers to redraw, inclusive
    int spanRight = 0;
};

// The channel the checked ones are made equal to: the current one if checked, else the lowest
// checked one.
ChannelIndex SynchroSource(const GradationDocument& doc);

// Copies the source channel's change to every other checked channel: points, ColorLine dots,
// their colour bars and layer columns; then rebuilds InactiveComposite in those columns.
// Does nothing unless synchro is on and the source is checked.
void PropagateSynchro(GradationDocument& doc, GraphBuffers& buffers, const ChannelColors& colors,
                      const SynchroPropagation& p);

// Makes every checked channel equal to the source channel and redraws the plot and the
// gradation picture (UI thread, worker idle). False, and nothing done, when synchro is off or
// fewer than two channels are checked.
bool ResyncSynchro(EditorContext& ctx);

} // namespace spectrane
