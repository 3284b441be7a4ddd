// Length change: moves, drops or adds control points so that the curves follow a new gradation
// length, by one of four methods.
#pragma once

#include "model/shown_text.h"

#include "model/gradation_document.h"

namespace spectrane {

// Length-change methods, as stored in the settings record.
enum LengthChangeMethod : int {
    kLengthScale = 0,     // stretch or shrink the whole
    kLengthBothEnds = 1,  // extend or cut both ends
    kLengthStartEnd = 2,  // extend or cut the left end (dot 0)
    kLengthFinishEnd = 3, // extend or cut the right end (the last dot)
};

// A length change as the user asks for it: from oldLength to newLength dots by `method`.
struct LengthChange {
    int newLength = 0; // 2..1600
    int oldLength = 0; // 2..1600, the document's length before the change
    LengthChangeMethod method = kLengthScale;
};

// Changes the document from change.oldLength to change.newLength dots, for curves of the
// document's loop flag. Reads the anchors and the ColorLine, which must still describe the
// curves at oldLength; writes the counts and control points of all three channels and sets
// doc.length. Anchors and levels are left for the caller's rebuild (rebuildAllCurves). Equal
// lengths change nothing but the length. Returns false, changing nothing, when a length or the
// method is out of range, or when the result could not be saved and read back (a point pushed
// beyond the coordinate bound by repeated stretching: documentFault).
[[nodiscard]] bool ChangeLength(GradationDocument& doc, const LengthChange& change);

// The message the program shows when a length change is refused.
inline constexpr const char* kLengthChangeFailedMessage =
    QT_TRANSLATE_NOOP("Messages", "グラデーションの長さの変更に失敗しました。");

} // namespace spectrane
