#include "cli_run.h"

#include "exchange/color_table_export.h"
#include "files/bitmap_file.h"
#include "files/line_data_file.h"

#include <gtest/gtest.h>

namespace spectrane {
namespace {

using test::readBytes;
using test::runCli;

std::unique_ptr<GradationDocument> opened(const std::filesystem::path& file) {
    const LineDataReadResult read = readLineDataFile(file);
    auto doc = std::make_unique<GradationDocument>();
    if (read) {
        applyLineData(*doc, *read.document);
    }
    return doc;
}

TEST(ExchangeCli, ExportRenderAndFitRoundTrip) {
    test::TempDir dir;
    ASSERT_EQ(runCli(dir, "new -o a.spd --seed 9 --length 640 --direction 0").status, 0);
    auto doc = opened(dir / "a.spd");
    // A table exported with T = 1 and fitted with T = 1 comes back within 2; a picture's
    // middle row, or a column of a vertical one, within 1.
    ASSERT_EQ(runCli(dir, "export a.spd --format css -o t.css --tolerance 1 --name Dawn").status,
              0);
    EXPECT_EQ(test::readText(dir / "t.css"),
              exportColorTable(*doc, ExchangeFormat::Css, {1, "Dawn"}));
    ASSERT_EQ(runCli(dir, "render a.spd -o p.png --width 5").status, 0);
    ASSERT_EQ(runCli(dir, "render a.spd -o q.bmp --width 5 --format png").status, 0);
    EXPECT_EQ(readBytes(dir / "p.png"), readBytes(dir / "q.bmp"));
    EXPECT_EQ(readBytes(dir / "p.png")[1], 'P');
    ASSERT_EQ(runCli(dir, "render a.spd -o v.bmp --width 3 --direction 1").status, 0);
    doc->direction = 1;
    EXPECT_EQ(readBytes(dir / "v.bmp"), encodeBitmap24(renderGradationPicture(*doc, 3)));
    for (const auto& [args, within] : {std::pair{"t.css -o c.spd", 2},
                                       {"p.png -o c.spd", 1},
                                       {"v.bmp --column 2 -o c.spd", 1}}) {
        const auto fit = runCli(dir, std::string("fit ") + args);
        ASSERT_EQ(fit.status, 0) << args << fit.err;
        EXPECT_NE(fit.err.find("640 dots fitted"), std::string::npos) << fit.err;
        const auto back = opened(dir / "c.spd");
        for (int j = 0; j < 640; ++j) {
            for (ChannelIndex ch = 0; ch < 3; ++ch) {
                ASSERT_LE(std::abs(back->colorLine.level(ch, j) - doc->colorLine.level(ch, j)),
                          within)
                    << args << " dot " << j;
            }
        }
    }
}

TEST(ExchangeCli, RefusalsNameTheirCauseAndWriteNothing) {
    test::TempDir dir;
    ASSERT_EQ(runCli(dir, "new -o a.spd --seed 2").status, 0);
    const std::string css = "a {\nlinear-gradient(red";
    test::writeBytes(dir / "bad.css", {css.begin(), css.end()});
    const std::tuple<std::string, int, std::string> cases[] = {
        {"fit bad.css -o out.spd", 1, "bad.css: line 2: linear-gradient( is never closed"},
        {"fit missing.csv -o out.spd", 1, "missing.csv: cannot be read"},
        {"fit a.spd -o out.spd --row 1 --column 1", 2, "not both"},
        {"fit a.spd -o out.spd --tolerance 300", 1, "--tolerance"},
        {"export a.spd --format gif -o out.spd", 1, "'gif' is not css"},
        {"export a.spd -o out.spd", 2, "missing --format"},
        {"render a.spd -o out.spd --format tiff", 1, "'tiff' is not png or bmp"},
    };
    for (const auto& [args, status, message] : cases) {
        const auto r = runCli(dir, args);
        EXPECT_EQ(r.status, status) << args;
        EXPECT_NE(r.err.find(message), std::string::npos) << args << ": " << r.err;
        EXPECT_FALSE(std::filesystem::exists(dir / "out.spd")) << args;
    }
    for (const char* cmd : {"export", "fit"}) {
        EXPECT_NE(runCli(dir, "--help").out.find(cmd), std::string::npos);
        EXPECT_EQ(runCli(dir, std::string(cmd) + " --help").status, 0);
    }
}

} // namespace
} // namespace spectrane
