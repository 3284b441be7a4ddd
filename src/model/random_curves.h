// Random curves for a new gradation, from the program's own 15-bit linear congruential
// generator (so a given seed always makes the same document).
#pragma once

#include "model/gradation_document.h"

#include <cstdint>

namespace spectrane {

// 32-bit LCG with 15-bit outputs. State 1 until seeded.
struct RandomGenerator {
    std::uint32_t state = 1;

    void seed(std::uint32_t s) { state = s; }
    // Next output, 0..32767.
    int next() {
        state = state * 1103515245u + 12345u;
        return static_cast<int>((state >> 16) & 0x7fffu);
    }
};

// A fraction in [0, 1) with a resolution of 0.00001, from two consecutive outputs.
double randomFraction(RandomGenerator& rng);

// A random canvas y in (64, 320]: a level in [0, 256).
double randomLevelY(RandomGenerator& rng);

// Replaces channel ch's count and control points with random ones for a new gradation of
// doc.length dots, open or loop form by doc.loop. Anchors are left to the caller.
void randomizeChannel(GradationDocument& doc, ChannelIndex ch, RandomGenerator& rng);

// Fills counts and control points of all three channels for a new gradation. With synchro on,
// every checked channel gets a copy of the lowest checked channel's curve.
void newGradationCurves(GradationDocument& doc, RandomGenerator& rng);

} // namespace spectrane
