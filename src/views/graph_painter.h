// Painting of the main window's plot: the empty graph, the colour-bar frames and labels, one
// layer per channel, their composition with the current curve and its point markers, and the
// switch to the next channel. Everything is drawn into GraphBuffers; nothing touches a widget.
#pragma once

#include "model/gradation_document.h"
#include "raster/surface.h"
#include "raster/text_renderer.h"
#include "views/channel_colors.h"
#include "views/graph_buffers.h"

#include <array>

namespace spectrane {

inline constexpr Color kBackgroundColor = rgb(0, 0, 0);
inline constexpr Color kGridColor = rgb(96, 96, 96);
inline constexpr Color kLevelLineColor = rgb(224, 192, 128);
inline constexpr Color kFrameColor = rgb(160, 160, 160);
inline constexpr Color kLabelColor = rgb(200, 200, 200);

// Plot area (grid and frame), both ends inclusive: x 56..L+55, y 32..352.
inline constexpr int kPlotTop = 32;
inline constexpr int kPlotBottom = 352;
inline constexpr int kGridStep = 16;

// Content-coordinate place of a synchro check box (before scrolling).
struct CheckBoxPlace {
    int x = 0;
    int y = 0;
    int width = 15;
    int height = 15;
    friend bool operator==(const CheckBoxPlace&, const CheckBoxPlace&) = default;
};
using SynchroBoxPlaces = std::array<CheckBoxPlace, kChannelCount>;

// Check box of channel k beside the colour bar of that channel: x 18, y 394 / 418 / 442.
SynchroBoxPlaces SynchroCheckBoxPlaces();

// Copies canvas columns left..left+width-1 of the plot panel's rows (30..353) from one buffer
// to the same place of another.
void CopyPanelColumns(Surface& to, const Surface& from, int left, int width);
// The whole plot panel of a gradation of `length` dots.
void CopyPanel(Surface& to, const Surface& from, int length);

// Draws the empty plot panel for a gradation of `length` dots (2..1600) into GraphBackground.
void DrawGraphBackground(GraphBuffers& buffers, int length);

// Clears MainBuffer's content area and draws the bevels and labels of the four colour bars
// ("RGB", "R", "G", "B"; in CMY mode "CMY", "C", "M", "Y"; in OKLCh "LCh", "L", "C", "h").
void DrawMainFrame(GraphBuffers& buffers, int length, ColorMode mode, TextRenderer& text);

// Polyline through the ColorLine points of dots firstDot..lastDot of channel ch, cut to
// 0..length-1; the last point is not drawn.
void DrawCurve(Surface& surface, const GradationDocument& doc, ChannelIndex ch, int firstDot,
               int lastDot, Color color);

// In OKLCh mode, for the chroma channel (drawn as the current one): a dot at the chroma shown
// for each of dots firstDot..lastDot whose colour the gamut mapping brought into sRGB.
void DrawShownChroma(Surface& surface, const GradationDocument& doc, ChannelIndex ch, int firstDot,
                     int lastDot);

// Every channel's layer: the empty panel with that channel's curve in its inactive colour.
void RebuildChannelLayers(GraphBuffers& buffers, const GradationDocument& doc,
                          const ChannelColors& colors);

// InactiveComposite columns left..left+width-1 (rows of the panel) from the layers of the two
// channels other than cur: the lower one copied, the higher one ORed over it.
void ComposeInactiveColumns(GraphBuffers& buffers, ChannelIndex cur, int left, int width);

// The visible plot in MainBuffer with channel cur drawn in its active colour over the other
// two, and cur's point markers.
void ComposeGraph(GraphBuffers& buffers, const GradationDocument& doc, const ChannelColors& colors,
                  ChannelIndex cur);

// Markers (4 x 4 circles) on the current channel's anchors in MainBuffer; none if it has no
// points.
void DrawPointMarkers(GraphBuffers& buffers, const GradationDocument& doc,
                      const ChannelColors& colors);

// Stores the current curve in its layer as it is now, makes the next channel (0 -> 1 -> 2 ->
// 0) current and recomposes the plot.
void SwitchToNextChannel(GraphBuffers& buffers, GradationDocument& doc,
                         const ChannelColors& colors);

} // namespace spectrane
