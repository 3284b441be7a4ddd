// Everything the program keeps for the whole run, owned by the main window: the document, the
// settings record, the drawing buffers and colours, the window layouts and the folders.
#pragma once

#include "editing/edit_state.h"
#include "files/program_folders.h"
#include "files/settings_file.h"
#include "history/history.h"
#include "model/gradation_document.h"
#include "model/random_curves.h"
#include "raster/text_renderer.h"
#include "views/bitmap_window_layout.h"
#include "views/channel_colors.h"
#include "views/graph_buffers.h"
#include "views/main_layout.h"

#include <memory>
#include <mutex>

namespace spectrane {

struct AppState {
    GradationDocument doc;
    Settings settings; // the view settings, length-change method and save width; the document
                       // fields of the record live in `doc` while the program runs
    ProgramPaths paths;
    RandomGenerator rng;
    GraphBuffers buffers;
    ChannelColors colors;
    std::unique_ptr<TextRenderer> text;
    MainLayout mainLayout;
    BitmapWindowLayout bitmapLayout;
    EditState edit;  // hover, drag and the order flags, shared with the drag worker
    History history; // the document's states for undo and redo

    // Held by the drag worker while it draws one step, and by the paint handlers of the main
    // and gradation windows while they copy MainBuffer or GradationBuffer to the screen, so that
    // a step never shows half drawn. Drawing on the UI thread takes no lock: it happens only
    // while the worker is idle (every command and handler waits for it or drops its input
    // first), and painting runs on that same thread.
    std::mutex bufferMutex;
};

} // namespace spectrane
