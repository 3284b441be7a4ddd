// TEMPORARY STUB (replaced by the oklab branch)
#pragma once
#include "analysis/analyzer.h"
#include <span>
#include <vector>
namespace spectrane {
enum class StepMetric { Ciede2000, Oklab };
std::vector<Color> evenOutSteps(const Analyzer& analyzer, std::span<const Color> colors, bool loop,
                                StepMetric metric);
}
