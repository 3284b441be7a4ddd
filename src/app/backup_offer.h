// At start-up: the old content of files whose in-place save a crash cut short, offered back.
#pragma once

#include "qtsupport/message_box.h"

#include <filesystem>

class QWidget;

namespace spectrane {

// Asks, for each copy left in `folder`, whether its file should get its old content back: Yes
// writes it back (a failure is shown), No discards the copy.
void offerInPlaceBackups(QWidget* owner, const std::filesystem::path& folder,
                         const MessageBoxFn& messageBox);

} // namespace spectrane
