// "SyncroModeWnd": switches synchro mode and chooses the channels that move together.
#pragma once

#include "toolwindows/tool_window.h"

#include <QString>

#include <array>

class QCheckBox;

namespace spectrane {

// The label of channel `ch` (0..2) in the synchro window: R/G/B or C/M/Y, with the suffix that
// marks the current channel.
QString synchroChannelLabel(int ch, ColorMode mode, bool current);

// On OK the document's synchro flag and its three channel flags hold the check box states
// (channel boxes are stored as they are, even while disabled); the caller applies them.
class SynchroWindow : public ToolWindow {
    Q_OBJECT
public:
    // The labels name the channels of `mode` and mark `currentChannel`.
    SynchroWindow(QWidget* owner, bool& synchro, std::array<bool, 3>& channels, ColorMode mode,
                  int currentChannel);

private:
    void modeClicked();

    bool& synchro_;
    std::array<bool, 3>& channels_;
    QCheckBox* modeBox_;
    std::array<QCheckBox*, 3> channelBoxes_{};
};

} // namespace spectrane
