// The whole-document curve rebuild that follows any replacement of the control points (new
// gradation, file read, length or loop change).
#pragma once

#include "model/gradation_document.h"

namespace spectrane {

// Derives the anchors of all three channels and then evaluates every dot of 0..length-1.
void rebuildAllCurves(GradationDocument& doc);

} // namespace spectrane
