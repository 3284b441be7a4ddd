// spectrane-cli analyze: the gradation as people see it, as text, and its five strips as a PNG.
#include "cli/commands.h"

#include "analysis/analyzer.h"
#include "files/png_file.h"
#include "views/analysis_picture.h"

#include <cmath>
#include <cstdio>
#include <span>
#include <stdexcept>

namespace spectrane::cli {

namespace {

constexpr int kCliStripHeight = 32; // rows of each strip in --strips

// Four decimals, without the "-0.0000" that a value rounding to zero from below would print.
std::string fixed4(double v) {
    if (std::fabs(v) < 0.00005) {
        v = 0.0;
    }
    char buffer[48];
    std::snprintf(buffer, sizeof buffer, "%.4f", v);
    return buffer;
}

// "key:" and the marked dots, each after a blank; runs of marked dots as "first-last" when
// `asRuns`.
void printDots(const char* key, std::span<const bool> marks, bool asRuns) {
    std::printf("%s:", key);
    for (std::size_t j = 0; j < marks.size(); ++j) {
        if (!marks[j]) {
            continue;
        }
        std::size_t last = j;
        while (asRuns && last + 1 < marks.size() && marks[last + 1]) {
            ++last;
        }
        if (last > j) {
            std::printf(" %zu-%zu", j, last);
        } else {
            std::printf(" %zu", j);
        }
        j = last;
    }
    std::printf("\n");
}

void printSummary(const GradationAnalysis& a) {
    const auto dots = static_cast<std::size_t>(a.length);
    std::printf("lightness_min: %s\n", fixed4(a.lightnessMin).c_str());
    std::printf("lightness_max: %s\n", fixed4(a.lightnessMax).c_str());
    std::printf("lightness_monotonic: %s\n", a.lightnessMonotonic() ? "yes" : "no");
    std::printf("lightness_reversals: %d\n", a.reversalCount);
    printDots("reversal_dots", std::span(a.reversal).first(dots), false);
    std::printf("delta_e_mean: %s\n", fixed4(a.deltaEMean).c_str());
    std::printf("delta_e_max: %s\n", fixed4(a.deltaEMax).c_str());
    std::printf("delta_e_max_dot: %d\n", a.deltaEMaxDot);
    std::printf("jumps: %d\n", a.jumpCount);
    printDots("jump_dots", std::span(a.jump).first(dots), false);
    std::printf("bands: %d\n", a.bandCount);
    printDots("band_dots", std::span(a.band).first(dots), true);
    std::printf("uniformity: %s\n", fixed4(a.uniformity).c_str());
    if (a.loop) {
        std::printf("seam_delta_e: %s\n", fixed4(a.seamDeltaE).c_str());
    }
    for (Deficiency d : kDeficiencies) {
        std::printf("%s_ends_delta_e: %s\n", std::string(deficiencyName(d)).c_str(),
                    fixed4(a.endsDeltaE[static_cast<int>(d)]).c_str());
    }
}

void printPerDot(const GradationAnalysis& a) {
    for (int j = 0; j < a.length; ++j) {
        const LabColor& lab = a.lab[j];
        std::printf("%d %s %s %s %s\n", j, fixed4(lab.l).c_str(), fixed4(lab.a).c_str(),
                    fixed4(lab.b).c_str(), fixed4(a.step[j]).c_str());
    }
}

int runAnalyze(const ParsedArgs& args) {
    const auto doc = loadDocument(args.positional[0]);
    if (!doc) {
        return kExitRefused;
    }
    auto analysis = std::make_unique<GradationAnalysis>();
    try {
        const Analyzer analyzer;
        analyzer.analyze(*doc, *analysis);
    } catch (const std::runtime_error& e) {
        printError(args.positional[0], e.what());
        return kExitRefused;
    }
    if (const auto strips = args.values.find("--strips"); strips != args.values.end()) {
        Surface picture(analysis->length, kAnalysisStripCount * kCliStripHeight);
        DrawAnalysisStrips(picture, *analysis, 0, 0, kCliStripHeight, kCliStripHeight);
        if (const int status = reportWrite(strips->second, writePngFile(strips->second, picture));
            status != kExitOk) {
            return status;
        }
    }
    printSummary(*analysis);
    if (args.flags.contains("--per-dot")) {
        printPerDot(*analysis);
    }
    return kExitOk;
}

} // namespace

Command analyzeCommand() {
    return {"analyze",
            "Usage: spectrane-cli analyze FILE [--per-dot] [--strips OUT.png]\n\n"
            "The gradation as people see it. Each dot's displayed colour (CMY documents as\n"
            "shown) is taken as sRGB and converted to CIELAB (D65 white, no chromatic\n"
            "adaptation, L* 0..100); 'step j' is the CIEDE2000 difference from dot j to dot j+1.\n"
            "Prints 'key: value' lines, numbers with 4 decimals:\n"
            "  lightness_min, lightness_max  smallest and largest L* of the dots\n"
            "  lightness_monotonic   yes when L* never changes direction (lightness_reversals 0)\n"
            "  lightness_reversals   how many times L* changes direction: a peak or trough\n"
            "                        counts once L* has come back from it by 1 or more (smaller\n"
            "                        wiggles are the 8-bit steps of the levels); a loop's are\n"
            "                        counted round the circle, the seam included\n"
            "  reversal_dots         the dots where L* turns\n"
            "  delta_e_mean, delta_e_max  mean and largest of the L-1 steps between neighbouring\n"
            "                        dots (without the seam)\n"
            "  delta_e_max_dot       j of the largest step j -> j+1 (the first one on a tie)\n"
            "  jumps, jump_dots      steps that a person sees as a jump: at least 1 above the\n"
            "                        perceptual speed around them and at least twice it; the\n"
            "                        speed is the steps averaged over a window long enough to\n"
            "                        smooth away the 8-bit levels. A jump at dot j is the step\n"
            "                        j -> j+1 (for loops the seam is the last dot's)\n"
            "  bands, band_dots      runs of at least 8 equal dots while the colour moves by 1 or\n"
            "                        more over as many dots before or after them; 'first-last'\n"
            "  uniformity            slowest over fastest perceptual speed: 1 perfectly even,\n"
            "                        0 standing still somewhere\n"
            "  seam_delta_e          loop documents only: CIEDE2000 from the last dot to dot 0\n"
            "  protanopia_ends_delta_e, deuteranopia_ends_delta_e, tritanopia_ends_delta_e\n"
            "                        CIEDE2000 between the first and the last dot as seen with\n"
            "                        that deficiency (Machado et al. 2009, severity 1): whether\n"
            "                        the two ends stay apart\n"
            "  --per-dot             then one line per dot: 'dot L a b dE', dE the step to the\n"
            "                        next dot; the last dot's to dot 0 for loops, 0 otherwise\n"
            "  --strips OUT.png      also write L x 160 pixels: five strips of 32 rows, top to\n"
            "                        bottom as displayed, greyscale of the same L*, protanopia,\n"
            "                        deuteranopia, tritanopia\n",
            {{{"--strips"}}, {"--per-dot"}},
            1,
            {},
            runAnalyze};
}

} // namespace spectrane::cli
