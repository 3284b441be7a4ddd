// A fixed set of colour sequences for the curve fit, shared by its test and its benchmark: random
// documents, hard steps, staircases and palettes with sharp edges, a picture's row. The points
// the fit uses over this set measure its economy.
#pragma once

#include "exchange/gradient.h"

#include <string>
#include <vector>

namespace spectrane::test {

struct FitInput {
    std::string name;
    std::vector<Rgb8> colors;
    bool loop = false;
    int tolerance = 1;
};

std::vector<FitInput> fitInputs();

} // namespace spectrane::test
