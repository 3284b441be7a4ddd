// A fixed set of colour sequences for the curve fit, shared by its test and its benchmark (the
// points the fit uses over it measure its economy), and how far two sequences lie apart.
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

// The largest level difference between a and b, dot by dot, in `channel` (-1: in any); 256
// when their lengths differ.
int largestLevelDifference(const std::vector<Rgb8>& a, const std::vector<Rgb8>& b,
                           int channel = -1);

} // namespace spectrane::test
