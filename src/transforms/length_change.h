// Length change: moves, drops or adds control points so that the curves follow a new gradation
// length, by one of four methods.
#pragma once

#include "model/gradation_document.h"

namespace spectrane {

// Length-change methods, as stored in the settings record.
enum LengthChangeMethod : int {
    kLengthScale = 0,     // stretch or shrink the whole
    kLengthBothEnds = 1,  // extend or cut both ends
    kLengthStartEnd = 2,  // extend or cut the left end (dot 0)
    kLengthFinishEnd = 3, // extend or cut the right end (the last dot)
};

// Changes the gradation from oldLength to newLength dots (both 2..1600) by `method` (0..3) for
// curves of the given loop flag. Reads the anchors and the ColorLine, which must still describe
// the curves at oldLength; writes the counts and control points of all three channels and sets
// doc.length to newLength. Anchors and levels are left for the caller's rebuild
// (rebuildAllCurves). Equal lengths change nothing. Returns false, changing nothing, when a
// length or the method is out of range.
bool ChangeLength(GradationDocument& doc, int newLength, int oldLength, int method, int loop);

} // namespace spectrane
