#include "support/fit_inputs.h"

#include "support/test_support.h"

#include <algorithm>
#include <cmath>
#include <random>

namespace spectrane::test {

namespace {

std::uint8_t level(int v) {
    return static_cast<std::uint8_t>(std::clamp(v, 0, 255));
}

// Straight pieces between the given (dot, level) stops of each channel; a stop on the same dot
// as the one before makes a hard edge there.
std::vector<Rgb8> pieces(int length, const std::vector<std::vector<std::pair<int, int>>>& stops) {
    std::vector<Rgb8> c(static_cast<std::size_t>(length));
    for (int ch = 0; ch < 3; ++ch) {
        const auto& s = stops[static_cast<std::size_t>(ch)];
        for (int j = 0; j < length; ++j) {
            std::size_t k = 0;
            while (k + 2 < s.size() && s[k + 1].first <= j) {
                ++k;
            }
            const auto [x0, y0] = s[k];
            const auto [x1, y1] = s[k + 1];
            const double v = x1 > x0 ? y0 + double(y1 - y0) * (j - x0) / (x1 - x0) : y1;
            Rgb8& dot = c[static_cast<std::size_t>(j)];
            (ch == 0 ? dot.r : ch == 1 ? dot.g : dot.b) = level(static_cast<int>(std::lround(v)));
        }
    }
    return c;
}

} // namespace

std::vector<FitInput> fitInputs() {
    std::vector<FitInput> in;
    const struct {
        int length;
        std::uint32_t seed;
        bool loop;
    } documents[] = {{1600, 1, false}, {700, 2, false}, {300, 3, true},
                     {1024, 4, false}, {512, 5, true},  {97, 6, false}};
    for (const auto& d : documents) {
        in.push_back({"random " + std::to_string(d.seed),
                      documentColors(*randomDocument(d.length, d.seed, d.loop)), d.loop});
    }
    // One 0 -> 255 edge in the middle of 48 dots, in red; green falls, blue stays.
    in.push_back({"edge 48",
                  pieces(48, {{{0, 0}, {23, 0}, {24, 255}, {47, 255}},
                              {{0, 200}, {23, 200}, {24, 20}, {47, 20}},
                              {{0, 90}, {47, 90}}}),
                  false});
    in.push_back({"edge 48 exact", in.back().colors, false, 0});
    // Edges on the first and last pair of dots.
    in.push_back({"edges at the ends",
                  pieces(20, {{{0, 255}, {1, 0}, {19, 0}},
                              {{0, 10}, {18, 10}, {19, 240}},
                              {{0, 0}, {1, 128}, {18, 128}, {19, 0}}}),
                  false});
    // Eight even steps, different in each channel.
    std::vector<Rgb8> stairs(256);
    for (int j = 0; j < 256; ++j) {
        stairs[j] = {level(j / 32 * 36), level(255 - j / 32 * 30), level(j / 64 * 80)};
    }
    in.push_back({"staircase", stairs, false});
    // Blinds: four rising ramps, each falling back at once.
    std::vector<Rgb8> blinds(256);
    for (int j = 0; j < 256; ++j) {
        blinds[j] = {level(j % 64 * 4), level(255 - j % 64 * 3), level(j % 64 < 32 ? 40 : 200)};
    }
    in.push_back({"blinds", blinds, false});
    // A relief palette: random straight pieces with a hard edge between each two.
    std::mt19937 rng(7);
    std::vector<std::vector<std::pair<int, int>>> relief(3);
    for (int k = 0, x = 0; x < 511; ++k) {
        const int next = std::min(511, x + 20 + static_cast<int>(rng() % 60));
        for (auto& ch : relief) {
            ch.push_back({x, static_cast<int>(rng() % 256)});
            ch.push_back({next, static_cast<int>(rng() % 256)});
        }
        x = next + 1;
    }
    in.push_back({"relief", pieces(512, relief), false});
    // A picture's row: flat regions with sharp borders and one soft ramp, noisy by a level.
    std::vector<Rgb8> row(400);
    for (int j = 0; j < 400; ++j) {
        const int base = j < 80 ? 30 : j < 160 ? 220 : j < 200 ? 90 : j < 300 ? (j - 200) * 2 : 150;
        const int noise = static_cast<int>(rng() % 3) - 1;
        row[j] = {level(base + noise), level(255 - base + noise), level(j < 250 ? 60 : 180)};
    }
    in.push_back({"picture row", row, false});
    // A loop with an edge across its seam and one inside.
    std::vector<Rgb8> ring(100);
    for (int j = 0; j < 100; ++j) {
        ring[j] = {level(j < 50 ? 20 : 230), level(j * 2), level(j < 70 ? 100 : 0)};
    }
    in.push_back({"loop edges", ring, true});
    return in;
}

int largestLevelDifference(const std::vector<Rgb8>& a, const std::vector<Rgb8>& b, int channel) {
    int worst = a.size() == b.size() ? 0 : 256; // sequences of different lengths never match
    for (std::size_t j = 0; j < std::min(a.size(), b.size()); ++j) {
        for (int ch = std::max(channel, 0); ch < (channel < 0 ? 3 : channel + 1); ++ch) {
            worst = std::max(worst, std::abs(a[j][ch] - b[j][ch]));
        }
    }
    return worst;
}

} // namespace spectrane::test
