#include "files/line_data_file.h"
#include "support/test_support.h"

#include "cli_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace spectrane {
namespace {

using test::readBytes;
using test::runCli;
using test::TempDir;

TEST(CliAnalyze, GreyRampSummaryPerDotAndStrips) {
    TempDir dir;
    // A straight line from level 0 at dot 0 to level 255 at dot 255 in every channel.
    ASSERT_TRUE(writeLineDataFile(dir / "ramp.spd",
                                  *test::openDocumentFromAnchors(256, {{56, 320}, {311, 65}})));
    auto r = runCli(dir, "analyze ramp.spd --per-dot --strips s.png");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_EQ(r.out.rfind("lightness_min: 0.0000\nlightness_max: 100.0000\n"
                          "lightness_monotonic: yes\nlightness_reversals: 0\n",
                          0),
              0u)
        << r.out;
    // Greys stay greys for every deficiency: the ends are black and white, 100 apart.
    EXPECT_NE(r.out.find("protanopia_ends_delta_e: 100.0000\ndeuteranopia_ends_delta_e: "
                         "100.0000\ntritanopia_ends_delta_e: 100.0000\n0 "),
              std::string::npos);
    EXPECT_EQ(std::ranges::count(r.out, '\n'), 10 + 256); // no seam line for an open gradation
    // L* of (119, 119, 119) by the textbook formula: 50.0344; a neutral grey has a = b = 0.
    EXPECT_NE(r.out.find("\n119 50.0344 0.0000 0.0000 "), std::string::npos);
    EXPECT_NE(r.out.find("\n255 100.0000 0.0000 0.0000 0.0000\n"), std::string::npos);
    // PNG header: width 256, height 160, big-endian at bytes 16 and 20.
    const auto png = readBytes(dir / "s.png");
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(std::vector<unsigned char>(png.begin() + 16, png.begin() + 24),
              (std::vector<unsigned char>{0, 0, 1, 0, 0, 0, 0, 160}));

    // Looped, the seam is reported and is the last dot's step.
    ASSERT_EQ(runCli(dir, "loop ramp.spd on -o loop.spd").status, 0);
    r = runCli(dir, "analyze loop.spd --per-dot");
    const auto seam = r.out.find("seam_delta_e: ");
    ASSERT_NE(seam, std::string::npos);
    const std::string value = r.out.substr(seam + 14, r.out.find('\n', seam) - seam - 14);
    EXPECT_EQ(r.out.substr(r.out.rfind(' ') + 1), value + "\n");
    EXPECT_NE(value, "0.0000");
}

TEST(CliAnalyze, RefusalsWriteNothing) {
    TempDir dir;
    test::writeBytes(dir / "bad.spd", {0, 0, 0, 0, 0, 0, 0, 0, 9});
    ASSERT_TRUE(writeLineDataFile(dir / "ok.spd", *test::makeDocument(20, test::Points::OpenAnchors,
                                                                      {{56, 300}, {75, 200}})));
    for (const char* args :
         {"analyze bad.spd --strips x.png", "analyze ok.spd --strips no/x.png"}) {
        const auto r = runCli(dir, args);
        EXPECT_EQ(r.status, 1) << args;
        EXPECT_TRUE(r.out.empty() && !r.err.empty()) << args;
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "x.png"));
    EXPECT_EQ(runCli(dir, "analyze ok.spd --strips").status, 2);
    EXPECT_NE(runCli(dir, "--help").out.find("analyze FILE"), std::string::npos);
}

} // namespace
} // namespace spectrane
