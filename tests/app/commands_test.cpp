// The command handlers run on the program's state alone: no main window, the tool window
// answered by the test and the windows around the plot stood in for.
#include "app/app_state.h"
#include "app/commands.h"
#include "app/dialog_runner.h"
#include "app/gradation_window_controller.h"
#include "app/refresh_document.h"
#include "model/curve_rebuild.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace spectrane {
namespace {

struct CountingShell : CommandShell {
    int invalidated = 0;
    int hidden = 0;
    QWidget* mainWidget() override { return nullptr; }
    void hideWindows() override { ++hidden; }
    void showWindows() override {}
    void layoutMain() override {}
    void makeNewDocument() override {}
    void invalidate() override { ++invalidated; }
    void updateSynchroBoxes(bool) override {}
    void resyncSynchro() override {}
    void toggleAnalysisWindow() override {}
    void togglePointTable() override {}
};

// Confirmed, the loop is applied and the plot drawn again; cancelled, nothing is redrawn.
TEST(Commands, LoopRunsWithoutAMainWindow) {
    for (const bool confirmed : {true, false}) {
        AppState state;
        state.text = std::make_unique<test::FakeTextRenderer>();
        RefreshDocument(state, RefreshMode::Generating);
        std::vector<ToolWindowKind> asked;
        UiServices ui;
        ui.runToolWindow = [&](QWidget*, ToolWindowKind kind) {
            asked.push_back(kind);
            state.doc.loop = confirmed; // the window writes its choice only when confirmed
            return confirmed ? kToolOk : kToolCancel;
        };
        GradationWindowController gradation(nullptr, state, {});
        DialogRunner dialogs(nullptr, gradation, state.paths, ui);
        CountingShell shell;
        Commands commands({state, dialogs, gradation, ui, shell});
        commands.commandLoop();
        EXPECT_EQ(asked, std::vector{ToolWindowKind::Loop});
        auto expected = std::make_unique<GradationDocument>(state.doc);
        rebuildAllCurves(*expected); // the same control points evaluated as the loop chosen
        EXPECT_EQ(state.doc.colorLine.channels, expected->colorLine.channels);
        EXPECT_EQ(shell.invalidated, confirmed ? 1 : 0);
        EXPECT_EQ(shell.hidden, 0);
    }
}

} // namespace
} // namespace spectrane
