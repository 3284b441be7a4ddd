// The colour conversions of the analysis, done with Little CMS 2: a displayed colour is taken
// as sRGB (IEC 61966-2-1) and converted to CIE XYZ and CIELAB against the D65 white with no
// chromatic adaptation; deficiencies are simulated in linear light and encoded back to 8-bit
// sRGB with clipping. The Analyzer owns the Little CMS context and transform, built once.
#pragma once

#include "analysis/color_vision.h"
#include "analysis/colorimetry.h"
#include "analysis/gradation_analysis.h"
#include "model/gradation_document.h"
#include "raster/surface.h"

#include <array>
#include <cstdint>
#include <memory>

namespace spectrane {

// Build it once and keep it: creating the transform costs far more than an analysis. After
// construction nothing in it changes, so its const functions may run on several threads at
// once (the transform is made without Little CMS's one-pixel cache), each thread writing its
// own GradationAnalysis. A moved-from Analyzer may only be destroyed or assigned to.
class Analyzer {
public:
    // Throws std::runtime_error when Little CMS cannot build the profiles or the transform
    // (only when memory runs out).
    Analyzer();
    ~Analyzer();
    Analyzer(Analyzer&&) noexcept;
    Analyzer& operator=(Analyzer&&) noexcept;
    Analyzer(const Analyzer&) = delete;
    Analyzer& operator=(const Analyzer&) = delete;

    // The whole analysis of dots 0..length-1 of `line` as the gradation window shows them
    // (in `model`), with the seam step when `loop`. A length outside 2..1600 is clamped.
    // Rewrites every field of `out`; allocates nothing.
    void analyze(const ColorLine& line, int length, const ColorModel& model, bool loop,
                 GradationAnalysis& out) const;
    void analyze(const GradationDocument& doc, GradationAnalysis& out) const;

    XyzColor toXyz(Color c) const;
    LabColor toLab(Color c) const;
    // CIELAB of a colour given in linear sRGB (any values, out of 0..1 too), for colours between
    // the 8-bit ones; through the transform's own primaries, so it agrees with toLab on them.
    LabColor labOfLinear(double r, double g, double b) const;
    // The colour as the deficiency is simulated, 8-bit sRGB.
    Color simulate(Color c, Deficiency d) const;
    // Neutral grey (r = g = b) whose L* is that of a colour of relative luminance y (0..1;
    // clipped). Equal luminance is equal L*, since L* depends on Y alone.
    Color greyOfLuminance(double y) const;

    // Linear light 0..1 of an 8-bit sRGB component 0..255 (clamped).
    double linearOf(int component) const;
    // 8-bit sRGB component of linear light v, clipped to 0..1 and rounded to the nearest.
    int encode(double v) const;

private:
    struct Lcms;
    std::unique_ptr<Lcms> lcms_;
    LabColor labOf(const XyzColor& xyz) const;

    XyzColor white_{};                    // D65, Y = 1
    std::array<XyzColor, 3> primaries_{}; // XYZ of linear red, green and blue at 1
    std::array<double, 256> linear_{};    // decoded sRGB components
    // encodeThreshold_[k - 1] is the linear value from which the 8-bit code is at least k.
    std::array<double, 255> encodeThreshold_{};
    // encodeStart_[i]: the code of linear value i / kEncodeBins, where encode starts its walk
    // up the thresholds (a step or two at most: the bins are finer than the codes).
    static constexpr int kEncodeBins = 4096;
    std::array<std::uint8_t, kEncodeBins + 1> encodeStart_{};
};

} // namespace spectrane
