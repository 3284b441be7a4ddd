// What the tool windows work with, filled in by the program: the document and settings they
// edit on OK, the preview pictures and the text renderer, the main window, and how they show
// message boxes. Each window is handed only the fields it edits.
#pragma once

#include "files/settings_file.h"
#include "model/gradation_document.h"
#include "qtsupport/message_box.h"
#include "raster/surface.h"
#include "raster/text_renderer.h"
#include "views/previews.h"

class QWidget;

namespace spectrane {

// The buffers the direction, length, save-bitmap and new-gradation windows draw their
// pictures with.
struct PreviewBuffers {
    const Surface& sheet; // drawn once at start-up
    Surface& canvas;      // the picture being shown
    TextRenderer& text;
    DimensionLabels labels; // as the interface's language has them
};

struct ToolWindowContext {
    GradationDocument& doc;
    Settings& settings;
    PreviewBuffers previews;
    QWidget* mainWindow = nullptr; // the title window centres on it
    MessageBoxFn messageBox;       // empty = the real QMessageBox
};

} // namespace spectrane
