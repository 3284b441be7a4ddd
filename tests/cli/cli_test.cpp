// spectrane-cli run as a program: usage, every command's main effect, refusals, and its outputs
// ("-o -", a size limit, names with control characters).
#include "exchange/color_table_export.h"
#include "exchange/gradient.h"
#include "files/atomic_write.h"
#include "files/bitmap_file.h"
#include "files/line_data_file.h"
#include "support/fit_inputs.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <poll.h>
#include <spawn.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace spectrane {
namespace {

namespace fs = std::filesystem;
using test::readBytes;
using test::TempDir;

// Runs spectrane-cli with `args` (quoted as the shell needs) inside `dir`.
test::ProgramRun runCli(const TempDir& dir, const std::string& args) {
    return test::runProgram(dir, SPECTRANE_CLI_PATH, args);
}

int lines(const std::string& s) {
    return static_cast<int>(std::ranges::count(s, '\n'));
}

std::string corpus(const char* file) {
    return std::string("'" SPECTRANE_CORPUS_DIR "/") + file + "'";
}

bool temporaryLeft(const TempDir& dir) {
    return std::ranges::any_of(fs::directory_iterator(dir.path()), [](const auto& entry) {
        return entry.path().filename().string().find(kTemporaryMarker) != std::string::npos;
    });
}

std::unique_ptr<GradationDocument> opened(const std::filesystem::path& file) {
    const LineDataReadResult read = readLineDataFile(file);
    auto doc = std::make_unique<GradationDocument>();
    if (read) {
        applyLineData(*doc, *read.document);
    }
    return doc;
}

TEST(Cli, HelpVersionAndUsageErrors) {
    TempDir dir;
    const test::ProgramRun help = runCli(dir, "--help");
    EXPECT_EQ(help.status, 0);
    for (const char* cmd : {"info", "levels", "points", "render", "new", "resize", "loop",
                            "analyze", "export", "fit"}) {
        EXPECT_NE(help.out.find(std::string("  ") + cmd + " "), std::string::npos) << cmd;
    }
    EXPECT_NE(runCli(dir, "fit --help").out.find("spectrane-cli fit"), std::string::npos);
    EXPECT_EQ(runCli(dir, "--version").out, "spectrane-cli version " SPECTRANE_VERSION "\n");
    for (const char* wrong : {"", "frobnicate", "info a b", "render a.spd --width",
                              "info --bogus a", "fit a.spd -o b.spd --row 1 --column 1"}) {
        const test::ProgramRun r = runCli(dir, wrong);
        EXPECT_EQ(r.status, 2) << wrong;
        EXPECT_FALSE(r.err.empty()) << wrong;
    }
}

// The fuzz corpus as golden inputs: info, some levels lines worked out by hand from each file's
// points (the last one the last dot's), and for the one-point loops the points, exact to the bit.
TEST(Cli, GoldenFilesGiveTheirInfoLevelsAndPoints) {
    struct Row {
        const char* file;
        const char* info;
        const char* counts;
        const char* warning;
        std::vector<std::string> levels;
        const char* points;
    };
    // clang-format off
    const Row rows[] = {
        {"loop3.spd", "version: 3\nlength: 130\ndirection: 1\nloop: 1\n", "1 1 1", "",
         {"0 46 68 137", "64 46 68 137", "129 46 68 137"},
         "0 0 121 274.33983999999998 121 274.33983999999998\n"
         "1 0 121 252.29824000000002 121 252.29824000000002\n2 0 121 183.0016 121 183.0016\n"},
        {"v1.spd", "version: 1\nlength: 512\ndirection: 0\nloop: 0\n", "3 2 2", "written by version 1;",
         {"0 0 220 255", "1 2 220 255", "32 60 208 255", "255 255 121 255", "511 0 20 255"},
         nullptr},
    };
    // clang-format on
    TempDir dir;
    for (const Row& row : rows) {
        const test::ProgramRun r = runCli(dir, "info " + corpus(row.file));
        EXPECT_EQ(r.out, std::string(row.info) +
                             "cmy: 0\nmode: rgb\nsynchro: 0\nsynchro_channels: 0 0 0\npoints: " +
                             row.counts + "\n");
        EXPECT_TRUE(*row.warning ? r.err.find(row.warning) != std::string::npos : r.err.empty());
        const std::string all = "\n" + runCli(dir, "levels " + corpus(row.file)).out;
        EXPECT_TRUE(all.ends_with("\n" + row.levels.back() + "\n")) << row.file;
        for (const std::string& line : row.levels) {
            EXPECT_NE(all.find("\n" + line + "\n"), std::string::npos) << row.file << ": " << line;
        }
        EXPECT_TRUE(!row.points || runCli(dir, "points " + corpus(row.file)).out == row.points);
    }
}

// new is seeded (both option forms), render writes the program's picture, resize and loop are
// wired (their rules are the transforms' tests); "-o -" and "-o /dev/fd/1" write into a pipe.
TEST(Cli, NewRenderResizeAndLoop) {
    TempDir dir;
    ASSERT_EQ(runCli(dir, "new -o a.spd --seed 42 --length 300 --direction 2").status, 0);
    EXPECT_EQ(runCli(dir, "new --seed=42 --length 300 --direction 2 -o - | cat").out,
              test::readText(dir / "a.spd"));
    EXPECT_NE(runCli(dir, "info a.spd").out.find("length: 300\ndirection: 2\nloop: 0\n"),
              std::string::npos);
    auto doc = opened(dir / "a.spd");
    ASSERT_EQ(runCli(dir, "render a.spd -o v.bmp --width 7 --direction 1").status, 0);
    doc->direction = 1;
    EXPECT_EQ(readBytes(dir / "v.bmp"), encodeBitmap24(renderGradationPicture(*doc, 7)));
    ASSERT_EQ(runCli(dir, "render a.spd -o p.png --width 5").status, 0);
    EXPECT_EQ(runCli(dir, "render a.spd -o /dev/fd/1 --width 5 --format png | cat").out,
              test::readText(dir / "p.png"));
    EXPECT_EQ(readBytes(dir / "p.png")[1], 'P');

    ASSERT_EQ(runCli(dir, "resize a.spd --length 1024 --method 0 -o big.spd").status, 0);
    EXPECT_NE(runCli(dir, "info big.spd").out.find("length: 1024\n"), std::string::npos);
    ASSERT_EQ(runCli(dir, "loop " + corpus("v2.spd") + " on -o v3.spd").status, 0);
    const auto v2 = readBytes(SPECTRANE_CORPUS_DIR "/v2.spd");
    const auto v3 = readBytes(dir / "v3.spd");
    ASSERT_EQ(v3.size(), 52u + 48u); // version 3, the points unchanged
    EXPECT_TRUE(std::equal(v2.begin() + 25, v2.end(), v3.begin() + 52));
    EXPECT_EQ(runCli(dir, "loop " + corpus("v2.spd") + " on -o - | cat").out,
              test::readText(dir / "v3.spd"));
    EXPECT_FALSE(fs::exists(dir / "-"));
}

// --model makes an OKLCh document; convert refits it in another mode and reports the largest
// errors; equalize reports the uniformity before and after.
TEST(Cli, ModelConvertAndEqualize) {
    TempDir dir;
    ASSERT_EQ(runCli(dir, "new -o k.spd --seed 7 --length 400 --model oklch").status, 0);
    EXPECT_NE(runCli(dir, "info k.spd").out.find("mode: oklch\nhue_origin: 0\n"),
              std::string::npos);
    const test::ProgramRun rgb = runCli(dir, "convert k.spd --model rgb -o r.spd");
    ASSERT_EQ(rgb.status, 0) << rgb.err;
    EXPECT_TRUE(rgb.out.starts_with("max_error: ")) << rgb.out;
    const int worst = test::largestLevelDifference(documentColors(*opened(dir / "k.spd")),
                                                   documentColors(*opened(dir / "r.spd")));
    EXPECT_NE(rgb.out.find("max_color_change: " + std::to_string(worst) + "\n"), std::string::npos);

    const test::ProgramRun even = runCli(dir, "equalize r.spd -o e.spd");
    ASSERT_EQ(even.status, 0) << even.err;
    double u0 = 0, u1 = 0;
    ASSERT_EQ(
        std::sscanf(even.out.c_str(), "uniformity_before: %lf\nuniformity_after: %lf", &u0, &u1),
        2);
    EXPECT_GT(u1, u0);
}

TEST(Cli, AnalyzeGivesTheSummaryPerDotAndStrips) {
    TempDir dir;
    // A straight line from level 0 at dot 0 to level 255 at dot 255 in every channel.
    ASSERT_TRUE(writeLineDataFile(dir / "ramp.spd",
                                  *test::openDocumentFromAnchors(256, {{56, 320}, {311, 65}})));
    auto r = runCli(dir, "analyze ramp.spd --per-dot --strips s.png");
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.starts_with("lightness_min: 0.0000\nlightness_max: 100.0000\n")) << r.out;
    EXPECT_EQ(lines(r.out), 16 + 256); // no seam line for an open gradation
    EXPECT_NE(r.out.find("\n119 50.0344 0.0000 0.0000 "), std::string::npos); // textbook L*
    const auto png = readBytes(dir / "s.png"); // width 256, height 160, big-endian
    ASSERT_GT(png.size(), 24u);
    EXPECT_EQ(std::vector<unsigned char>(png.begin() + 16, png.begin() + 24),
              (std::vector<unsigned char>{0, 0, 1, 0, 0, 0, 0, 160}));
}

// export writes the table asked for; a picture's middle row fits back within T = 1.
TEST(Cli, ExportAndFitRoundTrip) {
    TempDir dir;
    ASSERT_EQ(runCli(dir, "new -o a.spd --seed 9 --length 640 --direction 0").status, 0);
    auto doc = opened(dir / "a.spd");
    ASSERT_EQ(runCli(dir, "export a.spd --format css -o t.css --tolerance 1 --name Dawn").status,
              0);
    EXPECT_EQ(test::readText(dir / "t.css"),
              exportColorTable(*doc, ExchangeFormat::Css, {1, "Dawn"}));
    ASSERT_EQ(runCli(dir, "render a.spd -o p.png --width 5").status, 0);
    const auto fit = runCli(dir, "fit p.png -o c.spd");
    EXPECT_NE(fit.err.find("640 dots fitted"), std::string::npos) << fit.err;
    EXPECT_LE(
        test::largestLevelDifference(documentColors(*opened(dir / "c.spd")), documentColors(*doc)),
        1);
}

// A refusal is status 1 and one line on standard error naming its cause, in English whatever
// the locale, nothing on standard output, and no output file written or touched.
TEST(Cli, RefusalsNameTheirCauseAndWriteNothing) {
    TempDir dir;
    test::writeBytes(dir / "bad.spd", {0, 0, 0, 0, 0, 0, 0, 0, 9});
    test::writeBytes(dir / "keep.spd", {1, 2, 3});
    const std::string css = "a {\nlinear-gradient(red";
    test::writeBytes(dir / "bad.css", {css.begin(), css.end()});
    // A length change that would push a point past the coordinate bound.
    const auto far =
        test::makeDocument(2, test::Points::OpenControls, {{56, 100}, {-2e6, 100}, {57, 100}});
    ASSERT_TRUE(writeLineDataFile(dir / "far.spd", *far));
    ASSERT_EQ(runCli(dir, "new -o d.spd --seed 5").status, 0);
    const std::pair<const char*, const char*> cases[] = {
        {"info bad.spd", "bad.spd: file too short for its version 3 header (9 bytes)"},
        {"levels missing.spd", "missing.spd: cannot open: No such file or directory"},
        {"resize bad.spd --length 10 --method 0 -o keep.spd", "bad.spd"},
        {"analyze d.spd --strips no/x.png", "no/x.png"},
        {"resize d.spd --length ten --method 0 -o x.spd", "ten"},
        {"resize far.spd --length 1600 --method 0 -o far.spd", ""},
        {"loop d.spd sideways -o x.spd", "sideways"},
        {"render d.spd -o x.spd --format tiff", "'tiff' is not png or bmp"},
        {"new -o missing/a.spd", "missing/a.spd"},
        {"fit bad.css -o x.spd", "bad.css: line 2: linear-gradient( is never closed"},
        {"fit t.svg -o x.spd --over purple", "'purple' is not white, black or #rrggbb"},
        {"convert d.spd --model hsv -o x.spd", "'hsv' is not rgb, cmy or oklch"},
        {"equalize d.spd --metric cie76 -o x.spd", "'cie76' is not ciede2000 or oklab"},
    };
    for (const auto& [args, message] : cases) {
        const test::ProgramRun r = test::runProgram(
            dir, "/usr/bin/env",
            "LC_ALL=ja_JP.UTF-8 LANG=ja_JP.UTF-8 LANGUAGE=ja '" SPECTRANE_CLI_PATH "' " +
                std::string(args));
        EXPECT_EQ(r.status, 1) << args;
        EXPECT_EQ(lines(r.err), 1) << args << ": " << r.err;
        EXPECT_NE(r.err.find(message), std::string::npos) << args << ": " << r.err;
        // No Japanese: kana and kanji start with UTF-8 lead bytes E3..E9.
        EXPECT_TRUE(std::ranges::none_of(r.err, [](char c) {
            return static_cast<unsigned char>(c) >= 0xe3 && static_cast<unsigned char>(c) <= 0xe9;
        })) << r.err;
        EXPECT_TRUE(r.out.empty()) << args;
    }
    EXPECT_EQ(readBytes(dir / "keep.spd"), (std::vector<unsigned char>{1, 2, 3}));
    EXPECT_EQ(readBytes(dir / "far.spd"), encodeLineData(*far));
    EXPECT_FALSE(fs::exists(dir / "x.spd"));
}

// Interrupted the moment its temporary file appears, a render leaves neither it nor the target.
TEST(CliOutput, InterruptedWritesLeaveNoTemporaryFile) {
    TempDir dir;
    ASSERT_EQ(runCli(dir, "new --seed 3 --length 1600 -o a.spd").status, 0);
    const std::string in = (dir / "a.spd").string();
    const std::string out = (dir / "big.bmp").string();
    const char* argv[] = {SPECTRANE_CLI_PATH, "render", in.c_str(), "--width", "1200", "-o",
                          out.c_str(),        nullptr};
    for (const int sig : {SIGINT, SIGTERM, SIGHUP}) {
        const int watch = ::inotify_init1(IN_CLOEXEC);
        ASSERT_GE(::inotify_add_watch(watch, dir.path().c_str(), IN_CREATE), 0);
        pid_t pid = 0;
        ASSERT_EQ(::posix_spawn(&pid, argv[0], nullptr, nullptr, const_cast<char**>(argv), environ),
                  0);
        pollfd ready{watch, POLLIN, 0};
        if (::poll(&ready, 1, 20000) == 1) {
            ::kill(pid, sig);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        ::close(watch);
        EXPECT_FALSE(temporaryLeft(dir)) << sig;
        if (WIFSIGNALED(status)) { // in time: nothing written
            EXPECT_EQ(WTERMSIG(status), sig);
            EXPECT_FALSE(fs::exists(out));
        }
        fs::remove(out);
    }
}

// A file-size limit is a reported write error; a name that would set the terminal's title and
// break the line stays one plain line.
TEST(CliOutput, FileSizeLimitAndControlCharactersAreReportedAsErrors) {
    TempDir dir;
    ASSERT_EQ(runCli(dir, "new --seed 3 -o a.spd").status, 0);
    const auto limited =
        test::runProgram(dir, "/bin/sh",
                         "-c 'ulimit -f 8; exec \"$0\" render a.spd --width 1200 -o b.bmp' " +
                             std::string(SPECTRANE_CLI_PATH));
    EXPECT_EQ(limited.status, 1);
    EXPECT_NE(limited.err.find("File too large"), std::string::npos) << limited.err;
    EXPECT_FALSE(fs::exists(dir / "b.bmp") || temporaryLeft(dir));
    const auto r = runCli(dir, "new -o \"$(printf 'no\\033]0;x\\a/a\\n.spd')\"");
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(lines(r.err), 1) << r.err;
    EXPECT_EQ(r.err.find('\033'), std::string::npos);
    EXPECT_NE(r.err.find("no\\x1b]0;x\\x07/a\\x0a.spd"), std::string::npos) << r.err;
}

// Every numeric option at both ends of its range is taken, one past either end refused with
// the value named and nothing written.
TEST(Cli, NumericOptionsHoldTheirBounds) {
    TempDir dir;
    ASSERT_EQ(runCli(dir, "new -o d.spd --seed 5 --length 40").status, 0);
    ASSERT_EQ(runCli(dir, "export d.spd --format csv -o g.csv").status, 0);
    struct Row {
        const char* command; // the value follows it, then `rest`
        long long low;
        long long high;
        const char* rest = "";
    };
    const Row rows[] = {
        {"new -o x.spd --length ", 2, 1600},
        {"new -o x.spd --direction ", 0, 3},
        {"new -o x.spd --seed ", 0, 4294967295},
        {"render d.spd -o x.bmp --width ", 1, 1200},
        {"render d.spd -o x.bmp --direction ", 0, 3},
        {"resize d.spd -o x.spd --method 0 --length ", 2, 1600},
        {"resize d.spd -o x.spd --method ", 0, 3, " --length 100"},
        {"export d.spd --format css -o x.css --tolerance ", 0, 255},
        {"fit g.csv -o x.spd --length ", 2, 1600},
        {"fit g.csv -o x.spd --tolerance ", 0, 255},
    };
    for (const Row& row : rows) {
        const auto with = [&](long long v) { return row.command + std::to_string(v) + row.rest; };
        for (const long long v : {row.low, row.high}) {
            EXPECT_EQ(runCli(dir, with(v)).status, 0) << with(v);
        }
        const std::string x = with(0).substr(with(0).find("x."), 5);
        fs::remove(dir / x);
        for (const long long v : {row.low - 1, row.high + 1}) {
            const test::ProgramRun r = runCli(dir, with(v));
            EXPECT_EQ(r.status, 1) << with(v);
            EXPECT_NE(r.err.find(std::to_string(v)), std::string::npos) << with(v) << r.err;
            EXPECT_FALSE(fs::exists(dir / x)) << with(v);
        }
    }
}

} // namespace
} // namespace spectrane
