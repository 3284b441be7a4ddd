#include "exchange/curve_fit.h"

#include "exchange/control_levels.h"
#include "model/curve_rebuild.h"
#include "model/spline.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace spectrane {

namespace {

// A ColorLine y that evaluation never writes (it clamps to 65..320): marks dots that no
// segment reached.
constexpr std::int32_t kUnwritten = -1;
// The error of a folded curve or of a dot no segment reached.
constexpr int kInvalid = INT_MAX;
// The curve is fitted this far below the wanted levels' y: the segment points are truncated
// toward zero, which on the positive y of the canvas takes half a unit off on average; the
// offset turns that truncation into rounding.
constexpr double kLift = 0.5;
// Neighbouring gaps between anchors that an insertion makes differ by at most this factor.
constexpr int kGrading = 2;
constexpr int kX0 = CanvasGeometry::kDotX0;

// Fits one channel of a scratch document whose length and loop flag are set.
//
// The anchors lie on dots; for a set of anchor dots the control points' x follow from them,
// and their levels are fitted to all the dots by least squares through the very parameter the
// evaluation uses (so the whole-number segment points cost no accuracy), then the channel is
// evaluated as opening the file would and the errors taken from that. The spline is uniform
// in its parameter, so anchors spaced very unevenly make control points whose x goes back;
// the curve then folds over itself. Such anchor sets are never used.
class ChannelFitter {
public:
    ChannelFitter(GradationDocument& doc, ChannelIndex ch, std::span<const Rgb8> colors,
                  int tolerance)
        : doc_(doc), ch_(ch), tolerance_(tolerance), target_(colors.size()), wanted_(colors.size()),
          errors_(colors.size()) {
        for (std::size_t j = 0; j < colors.size(); ++j) {
            target_[j] = colors[j][ch];
            wanted_[j] = CanvasGeometry::levelY(target_[j]) + kLift;
        }
    }

    // Fits both ways and keeps the fit that reaches the tolerance with fewer points (the anchor
    // fit on a tie), or else the smaller error. The channel is left with the kept curve.
    ChannelFit run() {
        const ChannelFit byAnchors = fitByAnchors();
        // The anchor fit's curve as it is: fitting the levels again from its x alone could end
        // elsewhere than the errors it reports.
        const ChannelCurve anchorCurve = doc_.channels[ch_];
        const ChannelFit byControls = fitByControls();
        const bool anchorsBetter =
            byAnchors.reached ? !byControls.reached || byAnchors.points <= byControls.points
                              : !byControls.reached && byAnchors.maxError <= byControls.maxError;
        if (!anchorsBetter) {
            return byControls;
        }
        doc_.channels[ch_] = anchorCurve;
        evaluateCurve();
        return byAnchors;
    }

private:
    using Controls = std::vector<double>; // control points' canvas x, increasing

    // The anchor fit: anchors on dots, spaced evenly enough for the control points' x to
    // follow from them unfolded. Economical on smooth gradations.
    ChannelFit fitByAnchors() {
        const int last = doc_.length - 1;
        std::vector<int> dots = doc_.loop ? std::vector<int>{0} : std::vector<int>{0, last};
        int error = evaluate(dots);
        std::vector<int> best = dots;
        int bestError = error;
        while (error > tolerance_ && static_cast<int>(dots.size()) < kMaxPoints) {
            // The worst dot; when it is an anchor's own, the new anchor goes beside it.
            const int worst = static_cast<int>(
                std::max_element(errors_.begin(), errors_.begin() + doc_.length) - errors_.begin());
            if (!insertNear(dots, worst)) {
                break; // no anchor fits in anywhere
            }
            error = evaluate(dots);
            if (error < bestError) {
                best = dots;
                bestError = error;
            }
        }
        if (bestError <= tolerance_) {
            removeSpareAnchors(best);
        }
        bestError = evaluate(best);
        return {static_cast<int>(best.size()), std::min(bestError, 255), bestError <= tolerance_};
    }

    // The control fit: the control points' x are chosen directly, anywhere between the dots,
    // which the anchor fit cannot do. A jump between neighbouring dots gets a cluster of control
    // points within one dot whose middle segments have no width: the curve ends at one level
    // on the left dot and starts afresh on the right one (see stepCluster). Elsewhere a control
    // point goes in at the worst dot.
    ChannelFit fitByControls() {
        Controls xs = doc_.loop ? Controls{double(kX0)} : Controls{double(kX0), double(lastX())};
        int error = evaluateControls(xs);
        Controls best = xs;
        int bestError = error;
        // A step cluster can take out points in its way: the steps are bounded all the same.
        for (int step = 0; error > tolerance_ && step < 4 * kMaxPoints; ++step) {
            const int worst = static_cast<int>(
                std::max_element(errors_.begin(), errors_.begin() + doc_.length) - errors_.begin());
            Controls more = xs;
            if (!insertControl(more, worst) || static_cast<int>(more.size()) > kMaxPoints) {
                break;
            }
            xs = std::move(more);
            error = evaluateControls(xs);
            if (error < bestError || (error == bestError && xs.size() < best.size())) {
                best = xs;
                bestError = error;
            }
        }
        if (bestError <= tolerance_) {
            removeSpareControls(best);
        }
        bestError = evaluateControls(best);
        return {static_cast<int>(best.size()), std::min(bestError, 255), bestError <= tolerance_};
    }

    int lastX() const { return kX0 + doc_.length - 1; }

    // A jump this large between neighbouring dots is made a step rather than a steep slope.
    int stepThreshold() const { return std::max(16, 4 * (tolerance_ + 1)); }

    // The control points' x that put a step between dot j and dot j + 1. Inside, four within
    // dot j: the three midpoints between them all truncate to dot j, so the two middle segments
    // write nothing, the first ends on dot j at its own level and the last starts from there
    // at the right one. At an open curve's ends the curve's own end point takes the place of
    // the outer pair.
    std::vector<double> stepCluster(int j) const {
        const double x = kX0 + j;
        if (!doc_.loop && j == 0) {
            return {x, x + 0.5, x + 1.5};
        }
        if (!doc_.loop && j + 2 == doc_.length) {
            return {x - 0.5, x + 0.5, x + 1};
        }
        return {x, x + 0.25, x + 0.5, x + 0.75};
    }

    // Adds control points for the badly reproduced `dot`: a step cluster where it jumps from a
    // neighbour and there is none yet, else one point on the dot or half a dot beside it.
    // False when nothing new can go in.
    bool insertControl(Controls& xs, int dot) const {
        const int n = doc_.length;
        const auto jump = [&](int a) { // between dot a and the next one, across the seam too
            if (!doc_.loop && (a < 0 || a + 1 >= n)) {
                return 0;
            }
            return std::abs(target_[(a + 1 + n) % n] - target_[(a + n) % n]);
        };
        const int left = jump(dot - 1) >= jump(dot) ? dot - 1 : dot;
        if (jump(left) >= stepThreshold()) {
            const int j = (left + n) % n;
            const std::vector<double> cluster = stepCluster(j);
            const bool complete = std::all_of(cluster.begin(), cluster.end(), [&](double x) {
                return std::binary_search(xs.begin(), xs.end(), x);
            });
            if (!complete) { // the points in its way go, as they would spoil it
                Controls merged;
                for (const double x : xs) {
                    const bool end = !doc_.loop && (x == kX0 || x == lastX());
                    if (end || x < cluster.front() || x > cluster.back()) {
                        merged.push_back(x);
                    }
                }
                merged.insert(merged.end(), cluster.begin(), cluster.end());
                std::sort(merged.begin(), merged.end());
                merged.erase(std::unique(merged.begin(), merged.end()), merged.end());
                xs = std::move(merged);
                return true;
            }
        }
        const auto tryAt = [&](double x) {
            const bool inside = doc_.loop ? x >= kX0 && x < kX0 + n : x > kX0 && x < lastX();
            const auto at = std::lower_bound(xs.begin(), xs.end(), x);
            if (!inside || (at != xs.end() && *at == x)) {
                return false;
            }
            xs.insert(at, x);
            return true;
        };
        const double x = kX0 + dot;
        if (tryAt(x)) {
            return true;
        }
        // The dot has its point: the nearest gap wider than a dot on either side, whichever is
        // wider, is split, which frees the segments that reach the dot from far off.
        const int count = static_cast<int>(xs.size());
        const auto at = [&](int i) { // continued periodically on a loop
            const int wraps = i >= 0 ? i / count : -((count - 1 - i) / count);
            return xs[static_cast<std::size_t>(i - wraps * count)] + wraps * n;
        };
        const int k = static_cast<int>(std::upper_bound(xs.begin(), xs.end(), x) - xs.begin());
        const int lo = doc_.loop ? k - count : 1;
        const int hi = doc_.loop ? k + count : count - 1;
        int r = k;
        while (r < hi && at(r) - at(r - 1) <= 1) {
            ++r;
        }
        int l = k - 1;
        while (l > lo && at(l) - at(l - 1) <= 1) {
            --l;
        }
        const double rightGap = r <= hi ? at(r) - at(r - 1) : 0;
        const double leftGap = l >= lo ? at(l) - at(l - 1) : 0;
        if (std::max(rightGap, leftGap) <= 1) {
            return false;
        }
        const int split = rightGap >= leftGap ? r : l;
        const double wide = std::floor((at(split) + at(split - 1)) / 2);
        return tryAt(doc_.loop ? kX0 + std::fmod(wide - kX0 + 2.0 * n, n) : wide);
    }

    // Removes, in turn, every control point the curve can do without (an open curve's ends
    // stay).
    void removeSpareControls(Controls& xs) {
        const std::size_t keep = doc_.loop ? 0 : 1;
        for (std::size_t i = keep; i + keep < xs.size() && xs.size() > 1;) {
            Controls fewer = xs;
            fewer.erase(fewer.begin() + static_cast<std::ptrdiff_t>(i));
            if (evaluateControls(fewer) <= tolerance_) {
                xs = std::move(fewer);
            } else {
                ++i;
            }
        }
    }

    // Control points at `xs`, their levels fitted, evaluated as opening the file would; the
    // largest error.
    int evaluateControls(const Controls& xs) {
        ChannelCurve& curve = doc_.channels[ch_];
        curve.pointCount = static_cast<std::int32_t>(xs.size());
        for (std::size_t i = 0; i < xs.size(); ++i) {
            const int dot = std::clamp(static_cast<int>(xs[i]) - kX0, 0, doc_.length - 1);
            curve.controlPoints[i] = {xs[i], wanted_[dot]};
        }
        fitControlLevels(curve, doc_.length, doc_.loop, wanted_, work_);
        return evaluateCurve();
    }

    // Anchor i of `dots`, continued periodically on a loop; -1 beyond an open curve's ends.
    int anchor(const std::vector<int>& dots, int i) const {
        const int n = static_cast<int>(dots.size());
        if (!doc_.loop) {
            return i >= 0 && i < n ? dots[i] : -1;
        }
        const int wraps = i >= 0 ? i / n : -((n - 1 - i) / n);
        return dots[i - wraps * n] + wraps * doc_.length;
    }

    // Inserts an anchor for the badly reproduced `dot`, as near it as the grading allows: the
    // two gaps it makes stay within kGrading of each other and of the gaps beyond. Where the
    // gap around the dot is already narrow beside a wide neighbour, that neighbour is split
    // first (the dot stays bad, so a later step comes back). Last resort, when each of these
    // folds the curve: the widest gap that can be split. False when none can.
    bool insertNear(std::vector<int>& dots, int dot) {
        const int n = static_cast<int>(dots.size());
        int k = static_cast<int>(std::upper_bound(dots.begin(), dots.end(), dot) - dots.begin()) -
                1; // the gap from anchor k to anchor k + 1 holds the dot
        if (k < 0) {
            k = n - 1; // before the first anchor of a loop: the gap across the seam
            dot += doc_.length;
        }
        const int left = anchor(dots, k);
        const int right = anchor(dots, k + 1);
        const int leftGap = doc_.loop || k > 0 ? left - anchor(dots, k - 1) : 0;
        const int rightGap = doc_.loop || k + 2 < n ? anchor(dots, k + 2) - right : 0;
        const int width = right - left;
        const int least = (width + kGrading) / (kGrading + 1); // ceil(width / (1 + kGrading))
        const int lo = left + std::max(least, (leftGap + kGrading - 1) / kGrading);
        const int hi = right - std::max(least, (rightGap + kGrading - 1) / kGrading);
        if (lo <= hi && tryInsert(dots, std::clamp(dot, lo, hi))) {
            return true;
        }
        if (lo > hi && std::max(leftGap, rightGap) > width) {
            const bool splitLeft = leftGap >= rightGap;
            const int from = splitLeft ? anchor(dots, k - 1) : right;
            if (tryInsert(dots, from + (splitLeft ? leftGap : rightGap) / 2)) {
                return true;
            }
        }
        std::vector<std::pair<int, int>> gaps; // (width, left end)
        for (int i = 0; i + (doc_.loop ? 0 : 1) < n; ++i) {
            if (anchor(dots, i + 1) > anchor(dots, i) + 1) {
                gaps.push_back({anchor(dots, i + 1) - anchor(dots, i), anchor(dots, i)});
            }
        }
        std::sort(gaps.rbegin(), gaps.rend());
        for (const auto& [gap, from] : gaps) {
            if (tryInsert(dots, from + gap / 2)) {
                return true;
            }
        }
        return false;
    }

    // Inserts an anchor at `dot` (taken modulo L) when the dot is free and the curve stays
    // unfolded.
    bool tryInsert(std::vector<int>& dots, int dot) {
        dot = (dot % doc_.length + doc_.length) % doc_.length;
        const auto at = std::lower_bound(dots.begin(), dots.end(), dot);
        if (at != dots.end() && *at == dot) {
            return false;
        }
        const auto inserted = dots.insert(at, dot);
        if (placeControls(dots)) {
            return true;
        }
        dots.erase(inserted);
        return false;
    }

    // Removes, in turn, every anchor the curve can do without (an open curve's ends stay).
    void removeSpareAnchors(std::vector<int>& dots) {
        const std::size_t keep = doc_.loop ? 0 : 1; // at each end
        for (std::size_t i = keep; i + keep < dots.size() && dots.size() > 1;) {
            std::vector<int> fewer = dots;
            fewer.erase(fewer.begin() + static_cast<std::ptrdiff_t>(i));
            if (evaluate(fewer) <= tolerance_) {
                dots = std::move(fewer);
            } else {
                ++i;
            }
        }
    }

    // Control points for anchors on `dots` at the wanted levels; false when their x do not
    // increase (across the seam too, on a loop), that is when the curve would fold.
    bool placeControls(const std::vector<int>& dots) {
        ChannelCurve& curve = doc_.channels[ch_];
        const int n = static_cast<int>(dots.size());
        curve.pointCount = n;
        for (int i = 0; i < n; ++i) {
            curve.anchorPoints[i] = {static_cast<double>(CanvasGeometry::dotX(dots[i])),
                                     wanted_[dots[i]]};
        }
        if (doc_.loop) {
            fitLoopControlPoints(curve, doc_.length);
        } else {
            fitControlPoints(curve);
        }
        const auto& c = curve.controlPoints;
        for (int i = 0; i + 1 < n; ++i) {
            if (!(c[i].x < c[i + 1].x)) {
                return false;
            }
        }
        return !doc_.loop || n == 1 || c[n - 1].x < c[0].x + doc_.length;
    }

    // Places the control points for `dots`, fits their levels, derives the anchors and
    // evaluates the channel as opening a file does; the largest error (kInvalid if folded).
    int evaluate(const std::vector<int>& dots) {
        if (!placeControls(dots)) {
            return kInvalid;
        }
        fitControlLevels(doc_.channels[ch_], doc_.length, doc_.loop, wanted_, work_);
        return evaluateCurve();
    }

    // Derives the anchors and evaluates the channel as opening a file does; the largest error
    // (kInvalid where a dot was left unwritten).
    int evaluateCurve() {
        deriveAnchors(doc_, ch_);
        for (int j = 0; j < doc_.length; ++j) {
            doc_.colorLine[ch_][j] = {CanvasGeometry::dotX(j), kUnwritten};
        }
        evaluateChannel(doc_, ch_);
        int worst = 0;
        for (int j = 0; j < doc_.length; ++j) {
            const std::int32_t y = doc_.colorLine[ch_][j].y;
            errors_[j] =
                y == kUnwritten ? kInvalid : std::abs(CanvasGeometry::levelOfY(y) - target_[j]);
            worst = std::max(worst, errors_[j]);
        }
        return worst;
    }

    GradationDocument& doc_;
    ChannelIndex ch_;
    int tolerance_;
    std::vector<int> target_;    // per dot: wanted level
    std::vector<double> wanted_; // per dot: canvas y the curve is fitted to
    std::vector<int> errors_;    // per dot: |evaluated - wanted| level, kInvalid if unwritten
    ControlLevelsWork work_;
};

} // namespace

CurveFit fitCurves(std::span<const Rgb8> colors, int tolerance, bool loop, int direction) {
    CurveFit fit;
    if (colors.size() < kMinDots || colors.size() > kMaxDots) {
        return fit;
    }
    fit.document = std::make_unique<GradationDocument>();
    GradationDocument& doc = *fit.document;
    doc.length = static_cast<int>(colors.size());
    doc.direction = direction & 3;
    doc.loop = loop;
    auto scratch = std::make_unique<GradationDocument>(doc);
    for (ChannelIndex ch = 0; ch < kChannelCount; ++ch) {
        fit.channels[ch] = ChannelFitter(*scratch, ch, colors, tolerance).run();
        doc.channels[ch].pointCount = scratch->channels[ch].pointCount;
        doc.channels[ch].controlPoints = scratch->channels[ch].controlPoints;
    }
    rebuildAllCurves(doc);
    return fit;
}

} // namespace spectrane
