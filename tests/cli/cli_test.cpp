#include "files/bitmap_file.h"
#include "files/line_data_file.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <sys/wait.h>

namespace spectrane {
namespace {

using test::ByteBuilder;
using test::readBytes;
using test::TempDir;

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

std::string text(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

std::string quoted(const std::filesystem::path& p) {
    return "'" + p.string() + "'";
}

// Runs spectrane-cli with `args` (already quoted as needed) inside `dir`.
CliRun cli(const TempDir& dir, const std::string& args) {
    const auto out = dir / "stdout.txt";
    const auto err = dir / "stderr.txt";
    const std::string command = "cd " + quoted(dir.path()) + " && '" SPECTRANE_CLI_PATH "' " +
                                args + " >" + quoted(out) + " 2>" + quoted(err);
    const int raw = std::system(command.c_str());
    CliRun r;
    r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    r.out = text(out);
    r.err = text(err);
    return r;
}

int lineCount(const std::string& s) {
    return static_cast<int>(std::count(s.begin(), s.end(), '\n'));
}

TEST(Cli, HelpAndUsage) {
    TempDir dir;
    CliRun r = cli(dir, "--help");
    EXPECT_EQ(r.status, 0);
    for (const char* cmd : {"info", "levels", "points", "render", "new", "resize", "loop"}) {
        EXPECT_NE(r.out.find(cmd), std::string::npos) << cmd;
        const CliRun sub = cli(dir, std::string(cmd) + " --help");
        EXPECT_EQ(sub.status, 0) << cmd;
        EXPECT_NE(sub.out.find(std::string("spectrane-cli ") + cmd), std::string::npos);
    }
    // The same version as the program's title and about box.
    r = cli(dir, "--version");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "spectrane-cli version " SPECTRANE_VERSION "\n");
    EXPECT_STREQ(SPECTRANE_VERSION, "3.02");
    for (const char* wrong : {"", "frobnicate", "info", "info a b", "new", "resize a.spd -o b.spd",
                              "render a.spd --width", "loop a.spd -o b.spd", "info --bogus a"}) {
        r = cli(dir, wrong);
        EXPECT_EQ(r.status, 2) << wrong;
        EXPECT_FALSE(r.err.empty()) << wrong;
    }
}

TEST(Cli, NewInfoLevelsPointsAndRender) {
    TempDir dir;
    ASSERT_EQ(cli(dir, "new -o a.spd --seed 42 --length 300 --direction 2").status, 0);
    ASSERT_EQ(cli(dir, "new --seed=42 --length 300 --direction 2 -o b.spd").status, 0);
    EXPECT_EQ(readBytes(dir / "a.spd"), readBytes(dir / "b.spd"));
    ASSERT_EQ(cli(dir, "new -o c.spd --seed 43 --length 300 --loop").status, 0);
    EXPECT_NE(readBytes(dir / "a.spd"), readBytes(dir / "c.spd"));

    CliRun r = cli(dir, "info a.spd");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "version: 3\nlength: 300\ndirection: 2\nloop: 0\ncmy: 0\nsynchro: 0\n"
                     "synchro_channels: 0 0 0\npoints: 4 4 4\n");
    EXPECT_NE(cli(dir, "info c.spd").out.find("loop: 1\n"), std::string::npos);

    const LineDataReadResult read = readLineDataFile(dir / "a.spd");
    ASSERT_TRUE(read);
    auto doc = std::make_unique<GradationDocument>();
    applyLineData(*doc, *read.document);

    r = cli(dir, "levels a.spd");
    EXPECT_EQ(r.status, 0);
    ASSERT_EQ(lineCount(r.out), 300);
    std::istringstream levels(r.out);
    for (int dot = 0; dot < 300; ++dot) {
        int d, l0, l1, l2;
        levels >> d >> l0 >> l1 >> l2;
        ASSERT_EQ(d, dot);
        EXPECT_EQ(l0, doc->colorLine.level(0, dot));
        EXPECT_EQ(l1, doc->colorLine.level(1, dot));
        EXPECT_EQ(l2, doc->colorLine.level(2, dot));
    }

    r = cli(dir, "points a.spd");
    EXPECT_EQ(r.status, 0);
    ASSERT_EQ(lineCount(r.out), 12);
    std::istringstream points(r.out);
    for (ChannelIndex ch = 0; ch < 3; ++ch) {
        for (int i = 0; i < 4; ++i) {
            int c, k;
            std::string cx, cy, ax, ay;
            points >> c >> k >> cx >> cy >> ax >> ay;
            ASSERT_EQ(c, ch);
            ASSERT_EQ(k, i);
            const ChannelCurve& curve = doc->channels[ch];
            EXPECT_EQ(std::strtod(cx.c_str(), nullptr), curve.controlPoints[i].x);
            EXPECT_EQ(std::strtod(cy.c_str(), nullptr), curve.controlPoints[i].y);
            EXPECT_EQ(std::strtod(ax.c_str(), nullptr), curve.anchorPoints[i].x);
            EXPECT_EQ(std::strtod(ay.c_str(), nullptr), curve.anchorPoints[i].y);
        }
    }

    ASSERT_EQ(cli(dir, "render a.spd -o a.bmp").status, 0);
    EXPECT_EQ(readBytes(dir / "a.bmp"), encodeBitmap24(renderGradationPicture(*doc, 32)));
    ASSERT_EQ(cli(dir, "render a.spd -o v.bmp --width 7 --direction 1").status, 0);
    doc->direction = 1;
    EXPECT_EQ(readBytes(dir / "v.bmp"), encodeBitmap24(renderGradationPicture(*doc, 7)));
}

TEST(Cli, ResizeAndLoop) {
    TempDir dir;
    ASSERT_EQ(cli(dir, "new -o a.spd --seed 5").status, 0);
    ASSERT_EQ(cli(dir, "resize a.spd --length 1024 --method 0 -o big.spd").status, 0);
    CliRun r = cli(dir, "info big.spd");
    EXPECT_NE(r.out.find("length: 1024\n"), std::string::npos);
    EXPECT_NE(r.out.find("points: 6 6 6\n"), std::string::npos);
    r = cli(dir, "points big.spd");
    EXPECT_NE(r.out.find("0 1 184 "), std::string::npos) << r.out; // x 120 scaled to 184
    EXPECT_NE(r.out.find("0 5 1079 "), std::string::npos);

    ASSERT_EQ(cli(dir, "loop a.spd on -o on.spd").status, 0);
    EXPECT_NE(cli(dir, "info on.spd").out.find("loop: 1\n"), std::string::npos);
    ASSERT_EQ(cli(dir, "loop on.spd off -o off.spd").status, 0);
    r = cli(dir, "info off.spd");
    EXPECT_NE(r.out.find("loop: 0\n"), std::string::npos);
    // Neither end of the looped curves lies on a gradation end: a point is added at each.
    EXPECT_NE(r.out.find("points: 8 8 8\n"), std::string::npos);

    EXPECT_EQ(cli(dir, "resize a.spd --length 1601 --method 0 -o x.spd").status, 1);
    EXPECT_EQ(cli(dir, "resize a.spd --length 100 --method 9 -o x.spd").status, 1);
    EXPECT_EQ(cli(dir, "resize a.spd --length ten --method 0 -o x.spd").status, 1);
    EXPECT_EQ(cli(dir, "loop a.spd sideways -o x.spd").status, 1);
    EXPECT_EQ(cli(dir, "render a.spd -o x.bmp --width 1201").status, 1);
    EXPECT_FALSE(std::filesystem::exists(dir / "x.spd"));
    EXPECT_FALSE(std::filesystem::exists(dir / "x.bmp"));
}

TEST(Cli, OldVersionsWarnAndBadFilesAreRefused) {
    TempDir dir;
    ByteBuilder v2;
    v2.i32(0).i32(200).i32(0).u8(1).i32(1).i32(1).i32(1);
    v2.point(100, 100).point(150, 200).point(200, 300);
    test::writeBytes(dir / "v2.spd", v2.bytes);
    CliRun r = cli(dir, "info v2.spd");
    EXPECT_EQ(r.status, 0);
    EXPECT_NE(r.out.find("version: 2\n"), std::string::npos);
    EXPECT_NE(r.out.find("loop: 1\n"), std::string::npos);
    EXPECT_NE(r.err.find(kVersion2Warning), std::string::npos);

    // Converting writes version 3 with the same points.
    ASSERT_EQ(cli(dir, "loop v2.spd on -o v3.spd").status, 0);
    const auto v3 = readBytes(dir / "v3.spd");
    ASSERT_EQ(v3.size(), 52u + 48u);
    EXPECT_TRUE(std::equal(v2.bytes.begin() + 25, v2.bytes.end(), v3.begin() + 52));

    test::writeBytes(dir / "bad.spd", {0, 0, 0, 0, 0, 0, 0, 0, 9});
    test::writeBytes(dir / "keep.spd", {1, 2, 3});
    for (const std::string& args :
         {std::string("info bad.spd"), std::string("levels missing.spd"),
          std::string("resize bad.spd --length 10 --method 0 -o keep.spd"),
          std::string("loop bad.spd on -o keep.spd"), std::string("render bad.spd -o x.bmp")}) {
        r = cli(dir, args);
        EXPECT_EQ(r.status, 1) << args;
        EXPECT_EQ(lineCount(r.err), 1) << args;
        EXPECT_NE(r.err.find(kFileOpenFailedMessage), std::string::npos) << args;
        EXPECT_NE(r.err.find(".spd"), std::string::npos) << args;
        EXPECT_TRUE(r.out.empty()) << args;
    }
    EXPECT_EQ(readBytes(dir / "keep.spd"), (std::vector<unsigned char>{1, 2, 3}));
    EXPECT_FALSE(std::filesystem::exists(dir / "x.bmp"));

    r = cli(dir, "new -o missing/a.spd");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(lineCount(r.err), 1);
}

} // namespace
} // namespace spectrane
