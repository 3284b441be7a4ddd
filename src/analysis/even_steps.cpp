#include "analysis/even_steps.h"

#include "analysis/gradation_analysis.h"
#include "model/oklab.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <numeric>

namespace spectrane {

namespace {

// A pair's stretch of path is cut into pieces of at most this share of an even step, so that
// taking the metric as linear within a piece places a sample to a small fraction of a step.
constexpr double kPiecesPerStep = 4.0;
// Rounds of correction for the 8-bit codes (see evenOutSteps); the second changes little.
constexpr int kCorrections = 2;
// How much longer or shorter the samples may find a stretch of path than it is: a staircase of
// one-level steps in three channels is at most about sqrt(3) times its diagonal; larger ratios
// come from codes lying far apart (near black in OKLab), which no placement mends.
constexpr double kMaxCorrection = 1.75;

OkLab mix(const OkLab& p, const OkLab& q, double t) {
    return {p.l + (q.l - p.l) * t, p.a + (q.a - p.a) * t, p.b + (q.b - p.b) * t};
}

LabColor labOf(const Analyzer& analyzer, const OkLab& c) {
    const auto lin = linearSrgbFromOklab(c);
    return analyzer.labOfLinear(lin[0], lin[1], lin[2]);
}

// One piece of the path: from `t0` to `t1` of the way from colour `pair` to the next, `length`
// long by the metric; the samples see it `weight` times as long.
struct Piece {
    std::size_t pair = 0;
    double t0 = 0.0;
    double t1 = 0.0;
    double length = 0.0;
    double weight = 1.0;
};

struct Path {
    std::vector<OkLab> colors;
    std::vector<Piece> pieces;
    bool loop = false;
    OkLab at(const Piece& p, double t) const {
        const std::size_t next = p.pair + 1 == colors.size() ? 0 : p.pair + 1;
        return mix(colors[p.pair], colors[next], t);
    }
};

// The path piece by piece. In OKLab a piece's length is exact; CIEDE2000 bends along it, so a
// long pair is cut into several.
Path measurePath(const Analyzer& analyzer, std::span<const Color> colors, bool loop,
                 StepMetric metric) {
    Path path;
    path.loop = loop;
    const std::size_t n = colors.size();
    const std::size_t pairs = loop ? n : n - 1;
    for (Color c : colors) {
        path.colors.push_back(oklabOf(c));
    }
    std::vector<double> okLength(pairs);
    for (std::size_t i = 0; i < pairs; ++i) {
        okLength[i] = deltaEOK(path.colors[i], path.colors[i + 1 == n ? 0 : i + 1]);
    }
    const double okTotal = std::accumulate(okLength.begin(), okLength.end(), 0.0);
    if (!(okTotal > 0.0)) {
        return path;
    }
    const double pieceLimit = okTotal / static_cast<double>(pairs) / kPiecesPerStep;
    for (std::size_t i = 0; i < pairs; ++i) {
        if (okLength[i] == 0.0) {
            continue;
        }
        const int count = std::max(1, static_cast<int>(std::ceil(okLength[i] / pieceLimit)));
        Piece piece{i, 0.0, 0.0, 0.0};
        LabColor from = labOf(analyzer, path.at(piece, 0.0));
        for (int k = 1; k <= count; ++k) {
            piece.t0 = piece.t1;
            piece.t1 = static_cast<double>(k) / count;
            if (metric == StepMetric::Oklab) {
                piece.length = okLength[i] / count;
            } else {
                const LabColor to = labOf(analyzer, path.at(piece, piece.t1));
                piece.length = deltaE2000(from, to);
                from = to;
            }
            path.pieces.push_back(piece);
        }
    }
    return path;
}

// Samples 1.. at even shares of the path's weighted length; `out` keeps sample 0 and, for an
// open path, the last. Returns where each sample lies along the path (by the metric, unweighted),
// and for a loop the whole length after them.
std::vector<double> placeSamples(const Analyzer& analyzer, const Path& path,
                                 std::vector<Color>& out) {
    const std::size_t n = out.size();
    const std::size_t steps = path.loop ? n : n - 1;
    double total = 0.0;
    double length = 0.0;
    for (const Piece& p : path.pieces) {
        total += p.length * p.weight;
        length += p.length;
    }
    std::vector<double> position(steps + 1, 0.0);
    position[steps] = length;
    std::size_t at = 0;
    double start = 0.0;     // where pieces[at] starts, weighted
    double startBase = 0.0; // and unweighted
    for (std::size_t k = 1; k < steps; ++k) {
        const double target = total * static_cast<double>(k) / static_cast<double>(steps);
        while (at + 1 < path.pieces.size() &&
               start + path.pieces[at].length * path.pieces[at].weight < target) {
            start += path.pieces[at].length * path.pieces[at].weight;
            startBase += path.pieces[at].length;
            ++at;
        }
        const Piece& piece = path.pieces[at];
        const double weighted = piece.length * piece.weight;
        const double share =
            weighted > 0.0 ? std::clamp((target - start) / weighted, 0.0, 1.0) : 0.0;
        position[k] = startBase + piece.length * share;
        const auto lin =
            linearSrgbFromOklab(path.at(piece, piece.t0 + (piece.t1 - piece.t0) * share));
        out[k] = rgb(analyzer.encode(lin[0]), analyzer.encode(lin[1]), analyzer.encode(lin[2]));
    }
    return position;
}

double metricStep(const Analyzer& analyzer, Color a, Color b, StepMetric metric) {
    if (a == b) {
        return 0.0;
    }
    return metric == StepMetric::Oklab ? deltaEOK(oklabOf(a), oklabOf(b))
                                       : deltaE2000(analyzer.toLab(a), analyzer.toLab(b));
}

// Weights each piece by how much longer the 8-bit samples around it make the way than the path
// itself is there, both smoothed as the analysis smooths the steps.
void reweight(const Analyzer& analyzer, Path& path, const std::vector<Color>& out,
              const std::vector<double>& position, StepMetric metric) {
    const std::size_t n = out.size();
    const std::size_t steps = position.size() - 1;
    std::vector<double> sampled(steps);
    std::vector<double> along(steps);
    for (std::size_t k = 0; k < steps; ++k) {
        sampled[k] = metricStep(analyzer, out[k], out[k + 1 == n ? 0 : k + 1], metric);
        along[k] = position[k + 1] - position[k];
    }
    std::vector<double> sampledSpeed(steps);
    std::vector<double> pathSpeed(steps);
    perceptualSpeed(sampled, path.loop, sampledSpeed);
    perceptualSpeed(along, path.loop, pathSpeed);
    double start = 0.0;
    for (Piece& p : path.pieces) {
        const double middle = start + p.length / 2;
        start += p.length;
        const auto k = std::min<std::size_t>(
            steps - 1,
            static_cast<std::size_t>(std::upper_bound(position.begin(), position.end(), middle) -
                                     position.begin()) -
                1);
        if (sampledSpeed[k] > 0.0 && pathSpeed[k] > 0.0) {
            p.weight =
                std::clamp(sampledSpeed[k] / pathSpeed[k], 1.0 / kMaxCorrection, kMaxCorrection);
        }
    }
}

} // namespace

std::vector<Color> evenOutSteps(const Analyzer& analyzer, std::span<const Color> colors, bool loop,
                                StepMetric metric) {
    std::vector<Color> out(colors.begin(), colors.end());
    if (out.size() < 2) {
        return out;
    }
    Path path = measurePath(analyzer, colors, loop, metric);
    if (std::none_of(path.pieces.begin(), path.pieces.end(),
                     [](const Piece& p) { return p.length > 0.0; })) {
        return out;
    }
    // Even steps along the path are not yet even steps between 8-bit codes: where several
    // levels change at different dots, the codes take a staircase longer than the path. The
    // speed the samples show tells by how much, stretch by stretch, and the path is weighted
    // by it and sampled again.
    std::vector<double> position = placeSamples(analyzer, path, out);
    for (int round = 0; round < kCorrections; ++round) {
        reweight(analyzer, path, out, position, metric);
        position = placeSamples(analyzer, path, out);
    }
    return out;
}

} // namespace spectrane
