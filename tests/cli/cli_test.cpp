#include "files/bitmap_file.h"
#include "files/line_data_file.h"
#include "support/test_support.h"

#include "cli_run.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <sys/wait.h>

namespace spectrane {
namespace {

using test::readBytes;
using test::runCli;
using test::TempDir;

int lines(const std::string& s) {
    return static_cast<int>(std::count(s.begin(), s.end(), '\n'));
}

std::string corpus(const char* file) {
    return std::string("'" SPECTRANE_CORPUS_DIR "/") + file + "'";
}

TEST(Cli, HelpVersionAndUsageErrors) {
    TempDir dir;
    const test::ProgramRun help = runCli(dir, "--help");
    EXPECT_EQ(help.status, 0);
    for (const std::string cmd : {"info", "levels", "points", "render", "new", "resize", "loop"}) {
        EXPECT_NE(help.out.find(cmd), std::string::npos) << cmd;
        const test::ProgramRun sub = runCli(dir, cmd + " --help");
        EXPECT_EQ(sub.status, 0) << cmd;
        EXPECT_NE(sub.out.find("spectrane-cli " + cmd), std::string::npos);
    }
    EXPECT_EQ(runCli(dir, "--version").out, "spectrane-cli version " SPECTRANE_VERSION "\n");
    for (const char* wrong : {"", "frobnicate", "info", "info a b", "new", "resize a.spd -o b.spd",
                              "render a.spd --width", "loop a.spd -o b.spd", "info --bogus a"}) {
        const test::ProgramRun r = runCli(dir, wrong);
        EXPECT_EQ(r.status, 2) << wrong;
        EXPECT_FALSE(r.err.empty()) << wrong;
    }
}

// The fuzz corpus as golden inputs: info, some levels lines worked out by hand from each file's
// points, and for the one-point loops the points, exact to the last bit.
TEST(Cli, GoldenFilesGiveTheirInfoLevelsAndPoints) {
    const std::tuple<const char*, const char*, const char*, int, std::vector<std::string>,
                     const char*>
        rows[] = {
            {"loop3.spd",
             "version: 3\nlength: 130\ndirection: 1\nloop: 1\n",
             "",
             130,
             {"0 46 68 137", "64 46 68 137", "129 46 68 137"},
             "0 0 121 274.33983999999998 121 274.33983999999998\n"
             "1 0 121 252.29824000000002 121 252.29824000000002\n"
             "2 0 121 183.0016 121 183.0016\n"},
            {"open3.spd",
             "version: 3\nlength: 200\ndirection: 1\nloop: 0\n",
             "",
             200,
             {"0 137 29 136", "100 84 158 126", "150 74 155 100", "199 75 109 60"},
             nullptr},
            {"v1.spd",
             "version: 1\nlength: 512\ndirection: 0\nloop: 0\n",
             kVersion1Warning,
             512,
             {"0 0 220 255", "1 2 220 255", "32 60 208 255", "255 255 121 255", "511 0 20 255"},
             nullptr},
            {"v2.spd",
             "version: 2\nlength: 200\ndirection: 0\nloop: 1\n",
             kVersion2Warning,
             200,
             {"0 220 120 20", "199 220 120 20"},
             "0 0 100 100 100 100\n1 0 150 200 150 200\n2 0 200 300 200 300\n"},
        };
    const char* counts[] = {"1 1 1", "3 3 3", "3 2 2", "1 1 1"};
    TempDir dir;
    int k = 0;
    for (const auto& [file, info, warning, dots, levels, points] : rows) {
        const test::ProgramRun r = runCli(dir, "info " + corpus(file));
        EXPECT_EQ(r.status, 0);
        EXPECT_EQ(r.out, std::string(info) +
                             "cmy: 0\nsynchro: 0\nsynchro_channels: 0 0 0\npoints: " + counts[k++] +
                             "\n");
        EXPECT_TRUE(*warning ? r.err.find(warning) != std::string::npos : r.err.empty()) << file;
        const std::string all = "\n" + runCli(dir, "levels " + corpus(file)).out;
        EXPECT_EQ(lines(all) - 1, dots) << file;
        for (const std::string& line : levels) {
            EXPECT_NE(all.find("\n" + line + "\n"), std::string::npos) << file << ": " << line;
        }
        EXPECT_TRUE(!points || runCli(dir, "points " + corpus(file)).out == points) << file;
    }
}

// new is seeded (both option forms), render writes the program's bitmap, resize and loop write
// version 3 (a version 2 file's points unchanged); bad values refuse with status 1 and no file.
TEST(Cli, NewRenderResizeAndLoop) {
    TempDir dir;
    ASSERT_EQ(runCli(dir, "new -o a.spd --seed 42 --length 300 --direction 2").status, 0);
    ASSERT_EQ(runCli(dir, "new --seed=42 --length 300 --direction 2 -o b.spd").status, 0);
    EXPECT_EQ(readBytes(dir / "a.spd"), readBytes(dir / "b.spd"));
    ASSERT_EQ(runCli(dir, "new -o c.spd --seed 43 --length 300 --loop").status, 0);
    EXPECT_NE(readBytes(dir / "a.spd"), readBytes(dir / "c.spd"));
    EXPECT_NE(runCli(dir, "info a.spd").out.find("length: 300\ndirection: 2\nloop: 0\n"),
              std::string::npos);
    EXPECT_NE(runCli(dir, "info c.spd").out.find("points: 2 2 2\n"), std::string::npos);
    const LineDataReadResult read = readLineDataFile(dir / "a.spd");
    ASSERT_TRUE(read);
    auto doc = std::make_unique<GradationDocument>();
    applyLineData(*doc, *read.document);
    ASSERT_EQ(runCli(dir, "render a.spd -o a.bmp").status, 0);
    EXPECT_EQ(readBytes(dir / "a.bmp"), encodeBitmap24(renderGradationPicture(*doc, 32)));
    ASSERT_EQ(runCli(dir, "render a.spd -o v.bmp --width 7 --direction 1").status, 0);
    doc->direction = 1;
    EXPECT_EQ(readBytes(dir / "v.bmp"), encodeBitmap24(renderGradationPicture(*doc, 7)));

    ASSERT_EQ(runCli(dir, "new -o d.spd --seed 5").status, 0);
    ASSERT_EQ(runCli(dir, "resize d.spd --length 1024 --method 0 -o big.spd").status, 0);
    EXPECT_NE(runCli(dir, "info big.spd").out.find("length: 1024\n"), std::string::npos);
    const std::string points = runCli(dir, "points big.spd").out; // x 120 scaled to 184
    EXPECT_TRUE(points.find("0 1 184 ") != std::string::npos &&
                points.find("0 5 1079 ") != std::string::npos);
    ASSERT_EQ(runCli(dir, "loop d.spd on -o on.spd").status, 0);
    ASSERT_EQ(runCli(dir, "loop on.spd off -o off.spd").status, 0);
    // Neither end of the looped curves lies on a gradation end: a point is added at each.
    EXPECT_NE(
        runCli(dir, "info off.spd")
            .out.find("loop: 0\ncmy: 0\nsynchro: 0\nsynchro_channels: 0 0 0\npoints: 8 8 8\n"),
        std::string::npos);
    ASSERT_EQ(runCli(dir, "loop " + corpus("v2.spd") + " on -o v3.spd").status, 0);
    const auto v2 = readBytes(SPECTRANE_CORPUS_DIR "/v2.spd");
    const auto v3 = readBytes(dir / "v3.spd");
    ASSERT_EQ(v3.size(), 52u + 48u);
    EXPECT_TRUE(std::equal(v2.begin() + 25, v2.end(), v3.begin() + 52));
    for (const char* bad : {"resize d.spd --length 1601 --method 0 -o x.spd",
                            "resize d.spd --length 100 --method 9 -o x.spd",
                            "resize d.spd --length ten --method 0 -o x.spd",
                            "loop d.spd sideways -o x.spd", "render d.spd -o x.bmp --width 1201"}) {
        EXPECT_EQ(runCli(dir, bad).status, 1) << bad;
    }
    EXPECT_FALSE(std::filesystem::exists(dir / "x.spd") || std::filesystem::exists(dir / "x.bmp"));
}

// A refused file is one line on standard error naming the file and the reason, nothing on
// standard output, status 1, and no output file touched.
TEST(Cli, BadFilesAreRefused) {
    TempDir dir;
    test::writeBytes(dir / "bad.spd", {0, 0, 0, 0, 0, 0, 0, 0, 9});
    test::writeBytes(dir / "keep.spd", {1, 2, 3});
    for (const char* args :
         {"info bad.spd", "levels missing.spd", "resize bad.spd --length 10 --method 0 -o keep.spd",
          "loop bad.spd on -o keep.spd", "render bad.spd -o x.bmp"}) {
        const test::ProgramRun r = runCli(dir, args);
        EXPECT_EQ(r.status, 1) << args;
        EXPECT_EQ(lines(r.err), 1) << args;
        EXPECT_TRUE(r.err.find(kFileOpenFailedMessage) != std::string::npos &&
                    r.err.find(".spd") != std::string::npos && r.out.empty())
            << args;
    }
    EXPECT_EQ(readBytes(dir / "keep.spd"), (std::vector<unsigned char>{1, 2, 3}));
    EXPECT_FALSE(std::filesystem::exists(dir / "x.bmp"));
    // A length change that would push a point past the bound: refused, nothing written.
    GradationDocument far;
    far.length = 2;
    far.channels[0].pointCount = far.channels[1].pointCount = far.channels[2].pointCount = 3;
    for (ChannelCurve& c : far.channels) {
        c.controlPoints[0] = {56, 100};
        c.controlPoints[1] = {-2e6, 100};
        c.controlPoints[2] = {57, 100};
    }
    ASSERT_TRUE(writeLineDataFile(dir / "far.spd", far));
    const test::ProgramRun stretched =
        runCli(dir, "resize far.spd --length 1600 --method 0 -o far.spd");
    EXPECT_EQ(stretched.status, 1);
    EXPECT_EQ(lines(stretched.err), 1);
    EXPECT_EQ(readBytes(dir / "far.spd"), encodeLineData(far));
    const test::ProgramRun r = runCli(dir, "new -o missing/a.spd");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(lines(r.err), 1);
}

} // namespace
} // namespace spectrane
