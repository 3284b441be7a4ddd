#include "files/program_folders.h"
#include "files/settings_file.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <unistd.h>

namespace spectrane {
namespace {

using test::ByteBuilder;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

// The 52-byte record field by field: four flag bytes, then int32 direction, length, method,
// save width, window-width flag, loop, a reserved 0, CMY, synchro and the three channel flags.
// The first row is a first run's defaults: what a missing file or a folder in its place gives.
TEST(SettingsFile, RecordLayoutDefaultsAndRoundTrip) {
    Settings custom;
    custom.showTitleWindow = false;
    custom.bitmapWindowTopmost = true;
    custom.lengthChangeMethod = 2;
    custom.saveWidth = 1200;
    custom.useWindowWidth = true;
    custom.gradation = {1600, 3, true, true, true, {false, true, true}};
    ByteBuilder defaults;
    defaults.u8(1).u8(1).u8(0).u8(1).i32(1).i32(512).i32(0).i32(32).i32(0).i32(0).i32(0);
    defaults.i32(0).i32(0).i32(0).i32(0).i32(0);
    ByteBuilder customBytes;
    customBytes.u8(0).u8(1).u8(1).u8(1).i32(3).i32(1600).i32(2).i32(1200).i32(1).i32(1).i32(0);
    customBytes.i32(1).i32(1).i32(0).i32(1).i32(1);
    TempDir dir;
    const auto file = dir / "Setting.ini";
    for (const auto& [settings, bytes] : {std::pair{Settings{}, defaults}, {custom, customBytes}}) {
        ASSERT_TRUE(SaveSettings(file, settings));
        EXPECT_EQ(readBytes(file), bytes.bytes);
        const SettingsLoadResult r = LoadSettings(file);
        EXPECT_EQ(r.source, SettingsSource::Loaded);
        EXPECT_EQ(r.settings, settings);
    }
    std::filesystem::remove(file);
    EXPECT_EQ(LoadSettings(file).source, SettingsSource::Defaults);
    EXPECT_EQ(LoadSettings(file).settings, Settings{});
    std::filesystem::create_directory(file);
    EXPECT_EQ(LoadSettings(file).source, SettingsSource::Defaults);

    // The document fields travel both ways between the record and the document.
    GradationDocument doc;
    doc.settings() = custom.gradation;
    EXPECT_EQ(doc.length, 1600);
    EXPECT_EQ(doc.synchroChannels, custom.gradation.synchroChannels);
    EXPECT_EQ(doc.settings(), custom.gradation);
}

// A short record is all defaults; a field out of its range alone takes its default; the reserved
// field and bytes after the record are ignored.
TEST(SettingsFile, BadRecordsFallBack) {
    Settings stored;
    stored.gradation.length = 900;
    stored.gradation.loop = true;
    const std::vector<unsigned char> good = encodeSettings(stored);
    Settings fallback = stored;
    fallback.gradation.length = 512;
    fallback.lengthChangeMethod = 0;
    fallback.saveWidth = 32;
    struct Row {
        const char* what;
        std::size_t size;
        std::vector<std::pair<std::size_t, unsigned char>> pokes;
        SettingsSource source;
        Settings expected;
    };
    const Row rows[] = {
        {"short", 51, {}, SettingsSource::ShortFile, Settings{}},
        {"empty", 0, {}, SettingsSource::ShortFile, Settings{}},
        {"out of range",
         52,
         {{1, 7}, {8, 0}, {9, 0}, {12, 4}, {16, 0}, {28, 0x55}, {44, 2}},
         SettingsSource::LoadedFallback,
         fallback},
        {"reserved", 52, {{30, 0xff}}, SettingsSource::Loaded, stored},
        {"trailing byte", 53, {}, SettingsSource::Loaded, stored},
    };
    TempDir dir;
    for (const Row& r : rows) {
        std::vector<unsigned char> bytes = good;
        bytes.resize(r.size, 9);
        for (const auto& [at, v] : r.pokes) {
            bytes[at] = v;
        }
        writeBytes(dir / "Setting.ini", bytes);
        const SettingsLoadResult loaded = LoadSettings(dir / "Setting.ini");
        EXPECT_EQ(loaded.source, r.source) << r.what;
        EXPECT_EQ(loaded.settings, r.expected) << r.what;
    }
}

TEST(SettingsFile, SaveCreatesTheFolderAndReportsFailure) {
    TempDir dir;
    const auto nested = dir / "config" / "spectrane" / "Setting.ini";
    ASSERT_TRUE(SaveSettings(nested, Settings{}));
    EXPECT_EQ(readBytes(nested).size(), 52u);

    writeBytes(dir / "plain", {1, 2, 3});
    const FileResult blocked = SaveSettings(dir / "plain" / "Setting.ini", Settings{});
    EXPECT_FALSE(blocked);
    EXPECT_EQ(blocked.message, kFileOpenFailedMessage);
    EXPECT_EQ(readBytes(dir / "plain"), (std::vector<unsigned char>{1, 2, 3}));
}

// Beside the executable when that folder is writable, else $XDG_CONFIG_HOME/spectrane when it is
// absolute, else ~/.config/spectrane.
TEST(SettingsFile, ProgramFolders) {
    TempDir dir;
    const auto exe = dir / "bin";
    const auto gone = dir / "gone";
    std::filesystem::create_directory(exe);
    const std::filesystem::path rows[][4] = {
        {exe, "/xdg", "/home/u", exe},
        {gone, dir / "xdg", "/home/u", dir / "xdg" / "spectrane"},
        {gone, "", "/home/u", "/home/u/.config/spectrane"},
        {gone, "relative/xdg", "/home/u", "/home/u/.config/spectrane"},
        {{}, "/xdg", "/h", "/xdg/spectrane"},
    };
    for (const auto& [exeFolder, xdg, home, expected] : rows) {
        const ProgramPaths p = BuildProgramPaths(exeFolder, xdg.string(), home.string());
        EXPECT_EQ(p.programFolder, expected);
        EXPECT_EQ(p.settingsPath, expected / "Setting.ini");
        EXPECT_EQ(p.lineDataFolder, expected / "RGBLineDataFiles");
        EXPECT_EQ(p.bitmapFolder, expected / "Bitmaps");
    }
    if (::geteuid() != 0) { // root writes anywhere
        std::filesystem::permissions(exe, std::filesystem::perms::owner_read |
                                              std::filesystem::perms::owner_exec);
        EXPECT_EQ(BuildProgramPaths(exe, "/xdg", "/h").programFolder, "/xdg/spectrane");
        std::filesystem::permissions(exe, std::filesystem::perms::owner_all);
    }
    const ProgramPaths p = BuildProgramPaths(gone, (dir / "xdg").string(), "");
    ASSERT_TRUE(ensureProgramFolders(p));
    EXPECT_TRUE(std::filesystem::is_directory(p.lineDataFolder));
    EXPECT_TRUE(std::filesystem::is_directory(p.bitmapFolder));
    EXPECT_FALSE(executableFolder().empty());
}

} // namespace
} // namespace spectrane
