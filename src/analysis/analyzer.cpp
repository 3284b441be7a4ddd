#include "analysis/analyzer.h"

#include "model/gradation_render.h"

#include <lcms2.h>

#include <algorithm>
#include <cstdint>
#include <stdexcept>

namespace spectrane {

static_assert(sizeof(XyzColor) == 3 * sizeof(cmsFloat64Number),
              "XyzColor is written by the transform as TYPE_XYZ_DBL");

struct Analyzer::Lcms {
    cmsContext context = nullptr;
    cmsHTRANSFORM toXyz = nullptr; // 8-bit sRGB -> XYZ, D65 white at Y = 1, not adapted

    Lcms() = default;
    Lcms(const Lcms&) = delete;
    Lcms& operator=(const Lcms&) = delete;
    ~Lcms() {
        if (toXyz != nullptr) {
            cmsDeleteTransform(toXyz);
        }
        if (context != nullptr) {
            cmsDeleteContext(context);
        }
    }
};

namespace {

// Closes a profile when it goes out of scope.
struct ProfileHandle {
    cmsHPROFILE profile = nullptr;
    explicit ProfileHandle(cmsHPROFILE p) : profile(p) {}
    ProfileHandle(const ProfileHandle&) = delete;
    ProfileHandle& operator=(const ProfileHandle&) = delete;
    ~ProfileHandle() {
        if (profile != nullptr) {
            cmsCloseProfile(profile);
        }
    }
};

// sRGB's white chromaticity (IEC 61966-2-1), the D65 of the displays the colours are meant for.
constexpr cmsCIExyY kD65{0.3127, 0.3290, 1.0};

} // namespace

double deltaE2000(const LabColor& p, const LabColor& q) {
    const cmsCIELab lp{p.l, p.a, p.b};
    const cmsCIELab lq{q.l, q.a, q.b};
    return cmsCIE2000DeltaE(&lp, &lq, 1.0, 1.0, 1.0);
}

Analyzer::Analyzer() : lcms_(std::make_unique<Lcms>()) {
    lcms_->context = cmsCreateContext(nullptr, nullptr);
    if (lcms_->context == nullptr) {
        throw std::runtime_error("Little CMS: no context");
    }
    // The ICC connection space is D50; an absolute colorimetric transform with the observer's
    // adaptation state 0 undoes the sRGB profile's chromatic adaptation, so the XYZ that comes
    // out is the display's own, with its white at D65.
    cmsSetAdaptationStateTHR(lcms_->context, 0.0);
    const ProfileHandle srgb(cmsCreate_sRGBProfileTHR(lcms_->context));
    const ProfileHandle xyz(cmsCreateXYZProfileTHR(lcms_->context));
    if (srgb.profile == nullptr || xyz.profile == nullptr) {
        throw std::runtime_error("Little CMS: no sRGB or XYZ profile");
    }
    lcms_->toXyz =
        cmsCreateTransformTHR(lcms_->context, srgb.profile, TYPE_RGB_8, xyz.profile, TYPE_XYZ_DBL,
                              INTENT_ABSOLUTE_COLORIMETRIC, cmsFLAGS_NOCACHE);
    const auto* curve = static_cast<const cmsToneCurve*>(cmsReadTag(srgb.profile, cmsSigRedTRCTag));
    if (lcms_->toXyz == nullptr || curve == nullptr) {
        throw std::runtime_error("Little CMS: no sRGB transform");
    }
    cmsCIEXYZ white;
    cmsxyY2XYZ(&white, &kD65);
    white_ = {white.X, white.Y, white.Z};
    for (int k = 0; k < 3; ++k) {
        primaries_[k] = toXyz(rgb(k == 0 ? 255 : 0, k == 1 ? 255 : 0, k == 2 ? 255 : 0));
    }

    // The sRGB decoding curve, sampled at the 256 codes and at the 255 midpoints between
    // neighbouring codes: a linear value at or above the midpoint below code k encodes to k or
    // more, which rounds to the nearest code without evaluating the encoding curve per pixel.
    for (int k = 0; k < 256; ++k) {
        linear_[k] = cmsEvalToneCurveFloat(curve, static_cast<cmsFloat32Number>(k / 255.0));
    }
    for (int k = 1; k < 256; ++k) {
        encodeThreshold_[k - 1] =
            cmsEvalToneCurveFloat(curve, static_cast<cmsFloat32Number>((k - 0.5) / 255.0));
    }
    for (int i = 0; i <= kEncodeBins; ++i) {
        const double v = static_cast<double>(i) / kEncodeBins;
        encodeStart_[i] = static_cast<std::uint8_t>(
            std::upper_bound(encodeThreshold_.begin(), encodeThreshold_.end(), v) -
            encodeThreshold_.begin());
    }
}

Analyzer::~Analyzer() = default;
Analyzer::Analyzer(Analyzer&&) noexcept = default;
Analyzer& Analyzer::operator=(Analyzer&&) noexcept = default;

double Analyzer::linearOf(int component) const {
    return linear_[std::clamp(component, 0, 255)];
}

int Analyzer::encode(double v) const {
    if (!(v > 0.0)) {
        return 0;
    }
    if (v >= 1.0) {
        return 255;
    }
    int code = encodeStart_[static_cast<int>(v * kEncodeBins)];
    while (code < 255 && v >= encodeThreshold_[code]) {
        ++code;
    }
    return code;
}

LabColor Analyzer::labOf(const XyzColor& xyz) const {
    const cmsCIEXYZ white{white_.x, white_.y, white_.z};
    const cmsCIEXYZ in{xyz.x, xyz.y, xyz.z};
    cmsCIELab lab;
    cmsXYZ2Lab(&white, &lab, &in);
    return {lab.L, lab.a, lab.b};
}

XyzColor Analyzer::toXyz(Color c) const {
    const std::uint8_t in[3] = {static_cast<std::uint8_t>(redOf(c)),
                                static_cast<std::uint8_t>(greenOf(c)),
                                static_cast<std::uint8_t>(blueOf(c))};
    XyzColor out;
    cmsDoTransform(lcms_->toXyz, in, &out, 1);
    return out;
}

LabColor Analyzer::toLab(Color c) const {
    return labOf(toXyz(c));
}

LabColor Analyzer::labOfLinear(double r, double g, double b) const {
    const auto& p = primaries_;
    return labOf({r * p[0].x + g * p[1].x + b * p[2].x, r * p[0].y + g * p[1].y + b * p[2].y,
                  r * p[0].z + g * p[1].z + b * p[2].z});
}

Color Analyzer::simulate(Color c, Deficiency d) const {
    const Matrix3& m = deficiencyMatrix(d);
    const double in[3] = {linearOf(redOf(c)), linearOf(greenOf(c)), linearOf(blueOf(c))};
    int out[3];
    for (int row = 0; row < 3; ++row) {
        out[row] = encode(m[row][0] * in[0] + m[row][1] * in[1] + m[row][2] * in[2]);
    }
    return rgb(out[0], out[1], out[2]);
}

Color Analyzer::greyOfLuminance(double y) const {
    // A neutral sRGB grey has linear r = g = b = its luminance relative to white.
    const int v = encode(y);
    return rgb(v, v, v);
}

void Analyzer::analyze(const ColorLine& line, int length, const ColorModel& model, bool loop,
                       GradationAnalysis& out) const {
    const int l = std::clamp(length, kMinDots, kMaxDots);
    out.length = l;
    out.loop = loop;
    out.mode = model.mode;
    out.gamutMappedCount = 0;

    std::array<std::uint8_t, 3 * kMaxDots> bytes;
    for (int j = 0; j < l; ++j) {
        const ShownColor shown = shownDotColor(line, j, model);
        const Color c = shown.color;
        out.gamutMappedCount += shown.mapped ? 1 : 0;
        out.displayed[j] = c;
        bytes[3 * j] = static_cast<std::uint8_t>(redOf(c));
        bytes[3 * j + 1] = static_cast<std::uint8_t>(greenOf(c));
        bytes[3 * j + 2] = static_cast<std::uint8_t>(blueOf(c));
    }
    cmsDoTransform(lcms_->toXyz, bytes.data(), out.xyz.data(), static_cast<cmsUInt32Number>(l));

    for (int j = 0; j < l; ++j) {
        out.lab[j] = labOf(out.xyz[j]);
        out.grey[j] = greyOfLuminance(out.xyz[j].y);
        for (Deficiency d : kDeficiencies) {
            out.simulated[static_cast<int>(d)][j] = simulate(out.displayed[j], d);
        }
    }
    for (int j = 0; j + 1 < l; ++j) {
        out.step[j] =
            out.displayed[j] == out.displayed[j + 1] ? 0.0 : deltaE2000(out.lab[j], out.lab[j + 1]);
    }
    out.step[l - 1] = loop ? deltaE2000(out.lab[l - 1], out.lab[0]) : 0.0;
    for (Deficiency d : kDeficiencies) {
        const auto& sim = out.simulated[static_cast<int>(d)];
        out.endsDeltaE[static_cast<int>(d)] = deltaE2000(toLab(sim[0]), toLab(sim[l - 1]));
    }
    summarizeAnalysis(out);
}

void Analyzer::analyze(const GradationDocument& doc, GradationAnalysis& out) const {
    analyze(doc.colorLine, doc.length, doc.colorModel(), doc.loop, out);
}

} // namespace spectrane
