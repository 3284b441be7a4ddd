// The document-wide refresh that ends every command replacing the whole document.
#pragma once

namespace spectrane {

struct AppState;

enum class RefreshMode { Generating, Evaluating };

// Redraws the plot's background and frame and the gradation window's frame; makes new random
// curves (Generating) or keeps the control points (Evaluating); derives anchors and levels of
// all channels; rebuilds the channel layers, colour bars, gradation picture and composed plot;
// clears the hover state. Windows are not invalidated: the caller does that. Runs on the UI
// thread with the drag worker idle.
void RefreshDocument(AppState& state, RefreshMode mode);

// After a switch of the CMY flag: the colour-bar labels, the colour sets, the layers, the bars,
// the gradation picture and the composed plot; the points do not change.
void RefreshColors(AppState& state);

} // namespace spectrane
