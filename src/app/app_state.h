// Everything the program keeps for the whole run, owned by the main window: the document, the
// settings record, the drawing buffers and colours, the window layouts and the folders.
#pragma once

#include "editing/edit_state.h"
#include "files/settings_file.h"
#include "model/gradation_document.h"
#include "model/random_curves.h"
#include "raster/text_renderer.h"
#include "views/bitmap_window_layout.h"
#include "views/channel_colors.h"
#include "views/graph_buffers.h"
#include "views/main_layout.h"

#include <filesystem>
#include <memory>
#include <mutex>

class QWidget;

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
    EditState edit;                // hover, drag and the order flags, shared with the drag worker
    QWidget* mainWindow = nullptr; // the main window, for windows placed or activated by it

    // Held by whoever draws into or copies out of the buffers, so that a picture is never
    // shown half drawn.
    std::mutex bufferMutex;

    // Where the next file dialog starts: the line data or bitmap folder until a dialog of that
    // kind has been confirmed, then the folder of the file chosen last in any dialog.
    std::filesystem::path lastChosenFolder;
    bool lineDataDialogConfirmed = false;
    bool bitmapDialogConfirmed = false;
};

} // namespace spectrane
