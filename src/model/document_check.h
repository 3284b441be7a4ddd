// What a document must be for the program to save it and read it back as it is: the limits the
// line data reader enforces, checked in one place for the reader, the writer and the transforms.
#pragma once

#include "model/gradation_document.h"

#include <string>

namespace spectrane {

// Control point coordinates beyond this are refused. Editing a document within it stays within
// it (a drag keeps its control point inside, the transforms refuse a result beyond it), and it
// is far beyond anything a curve on the canvas needs.
inline constexpr double kCoordinateBound = 1e9;

// A finite coordinate pair within the bound.
bool withinBound(const CurvePoint& p);

// What keeps `doc` from being written and read back bit for bit (a length outside 2..1600, a
// direction outside 0..3, a point count the curve form cannot have, a coordinate that is not
// finite or beyond the bound), in plain words; empty when there is nothing.
std::string documentFault(const GradationDocument& doc);

} // namespace spectrane
