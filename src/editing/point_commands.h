// The editor's popup menu over a highlighted anchor: insert a point before it, delete it, or
// move it to a typed position, each followed by a full redraw of the current channel.
#pragma once

#include "model/shown_text.h"

#include "editing/editor_context.h"

#include <array>
#include <string_view>

namespace spectrane {

enum EditorPopupId : int {
    kPopupInsertPoint = 1000,
    kPopupDeletePoint = 1001,
    kPopupSetPosition = 1003,
    kPopupEditorCancel = 1005,
};

// The menu's items in order, id 1000 + place; an empty text is a separator.
struct EditorPopupItem {
    int id;
    std::string_view text;
};
inline constexpr std::array<EditorPopupItem, 6> kEditorPopupItems = {{
    {1000, QT_TRANSLATE_NOOP("Messages", "ポイントの挿入(&I)")},
    {1001, QT_TRANSLATE_NOOP("Messages", "ポイントの削除(&D)")},
    {1002, ""},
    {1003, QT_TRANSLATE_NOOP("Messages", "位置のセット(&P)")},
    {1004, ""},
    {1005, QT_TRANSLATE_NOOP("Messages", "キャンセル(&C)")},
}};

inline constexpr std::string_view kTooManyPointsMessage =
    QT_TRANSLATE_NOOP("Messages", "これ以上ポイントを増やすことは出来ません。(最大数=256)");
inline constexpr std::string_view kEndPointMessage =
    QT_TRANSLATE_NOOP("Messages", "端点を削除することは出来ません。");
inline constexpr std::string_view kLastPointMessage =
    QT_TRANSLATE_NOOP("Messages", "残り一点を削除することは出来ません。");
inline constexpr std::string_view kSetPositionFailedMessage =
    QT_TRANSLATE_NOOP("Messages", "ポイント位置のセットに失敗しました。");

// Inserts a control point halfway between the one before anchor i and anchor i's own (after
// the first when i = 0); a 1-point loop gets a copy. Refused with a message at 256 points.
// Returns true if the channel changed.
bool InsertPoint(EditorContext& ctx, ChannelIndex c, int i);

// Deletes control point i; refused with a message for an open curve's end points and a loop's
// last point. Returns true if the channel changed.
bool DeletePoint(EditorContext& ctx, ChannelIndex c, int i, bool loop);

// Moves anchor i to dot `dot` and level `level` (clamped to the anchor limits) by setting its
// control point; an axis whose shown value is unchanged is left as it is, and an open curve's
// end keeps its dot. Erases the hover ring first. Refused with a message, the point left where
// it was, when the control point would lie beyond the coordinate bound. Returns true if the
// point was set.
bool SetPointPosition(EditorContext& ctx, ChannelIndex c, int i, int dot, int level, bool loop);

// Carries out popup command `command` (0 = dismissed, 1000..1005) on the highlighted anchor,
// with the typed position for 1003; for any item, recomputes and redraws the current channel,
// resyncs synchro channels and clears the highlight; then invalidates the windows.
void RunPopupCommand(EditorContext& ctx, int command);

} // namespace spectrane
