// The commands of the main menu and of the gradation window's popup menu, one handler per item,
// on the program's state and the services through which they talk to the user. The main window
// runs them from its menu table and records the change each makes to the document.
#pragma once

#include "model/gradation_settings.h"

#include <memory>

class QWidget;

namespace spectrane {

class Analyzer;
class DialogRunner;
class GradationWindowController;
struct AppState;
struct GradationDocument;
struct GradationSettings;

struct UiServices;

// What the commands need of the windows around the plot. The main window is one; a test can
// stand in for it.
class CommandShell {
public:
    virtual ~CommandShell() = default;
    // The main window: it owns the Exit question and is disabled around the dialogs of the
    // gradation window's popup.
    virtual QWidget* mainWidget() = 0;
    // The main and gradation windows hidden, and shown again in their places.
    virtual void hideWindows() = 0;
    virtual void showWindows() = 0;
    // The main window laid out for the document's length.
    virtual void layoutMain() = 0;
    // New and start-up: thickness, layouts, channel 0, fresh random curves.
    virtual void makeNewDocument() = 0;
    // The plot is drawn again (and the analysis follows).
    virtual void invalidate() = 0;
    // The synchro boxes shown or hidden and checked; `previous` is the synchro flag before.
    virtual void updateSynchroBoxes(bool previous) = 0;
    // The curves brought to the synchro state (the hover ring dropped first).
    virtual void resyncSynchro() = 0;
    virtual void toggleAnalysisWindow() = 0;
    virtual void togglePointTable() = 0;
};

class Commands {
public:
    struct Services {
        AppState& state;
        DialogRunner& dialogs;
        GradationWindowController& gradation;
        const UiServices& ui;
        CommandShell& shell;
    };

    explicit Commands(Services services);
    ~Commands();

    // The main menu, one per item.
    void commandNew();
    void commandOpen();
    void commandSave();
    void commandSaveBitmap();
    void commandExport();
    void commandImport();
    void commandExit();
    void commandLength();
    void commandDirection();
    void commandTitleWindow();
    void commandBitmapWindow();
    void commandAnalysisWindow();
    void commandTopmost();
    void commandPointPositions();
    void commandLoop();
    void commandCmy();
    void commandOklch();
    void commandEqualize();
    void commandSynchro();
    void commandAbout();
    void commandKeyboardHelp();
    void commandPointTable();
    void commandUndo();
    void commandRedo();
    // The gradation window's popup (its topmost item is commandTopmost).
    void popupSaveBitmap();
    void popupLength();
    void popupDirection();

private:
    // Open and Import: the document read from a file replaces the current one, laid out and
    // drawn again.
    void showReadDocument(const GradationDocument& read);
    // After undo or redo: everything laid out and drawn again for the restored document.
    void showRestoredDocument(const GradationSettings& previous);
    // The bitmap save of the menu (owner nullptr) or of the gradation window's popup.
    void saveBitmapOwnedBy(QWidget* popupOwner);
    void applyLengthChange(int oldLength);
    void applyDirectionChange();
    // OKLCh on or off: the gradation refitted in `target` and drawn again, the user told when
    // colours moved by more than a level.
    void switchColorMode(ColorMode target);

    Services s_;
    std::unique_ptr<Analyzer> analyzer_; // built when first needed: it costs a few ms
};

} // namespace spectrane
