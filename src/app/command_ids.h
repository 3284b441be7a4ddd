// Command identifiers of the main menu, the gradation window's popup menu and the synchro check
// boxes; every command is routed by its id.
#pragma once

namespace spectrane {

enum CommandId : int {
    kCmdNew = 1034,
    kCmdOpen = 1035,
    kCmdSave = 1036,
    kCmdSaveBitmap = 1037,
    kCmdExit = 1038,
    kCmdLength = 1039,
    kCmdDirection = 1040,
    kCmdTitleWindow = 1041,
    kCmdBitmapWindow = 1042,
    kCmdTopmost = 1043,
    kCmdPointPositions = 1044,
    kCmdLoop = 1045,
    kCmdCmy = 1046,
    kCmdSynchro = 1047,
    kCmdAbout = 1048,
    kCmdUndo = 1049,
    kCmdRedo = 1050,
    kCmdExport = 1051,
    kCmdImport = 1052,
    kCmdAnalysisWindow = 1053,
    kCmdPointTable = 1054,
    kCmdKeyboardHelp = 1055,
    kCmdOklch = 1056,
    kCmdEqualize = 1057,
};

// The gradation window's popup menu.
enum BitmapPopupId : int {
    kPopupSaveBitmap = 1000,
    kPopupLength = 1002,
    kPopupDirection = 1003,
    kPopupTopmost = 1005,
    kPopupCancel = 1007,
};

} // namespace spectrane
