#include "files/program_folders.h"
#include "files/settings_file.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <pwd.h>
#include <unistd.h>

namespace spectrane {
namespace {

using test::ByteBuilder;
using test::readBytes;
using test::TempDir;
using test::writeBytes;

// The 52-byte record: four flag bytes, then int32 direction, length, method, save width,
// window-width flag, loop, a reserved 0, CMY, synchro and the three channel flags. The first
// row is a first run's defaults, which a missing file or a folder in its place also gives.
TEST(SettingsFile, RecordLayoutDefaultsAndRoundTrip) {
    Settings custom{false, true, true, true, 2, 1200, true, {1600, 3, true, true, true, {0, 1, 1}}};
    ByteBuilder defaults;
    defaults.u8(1).u8(1).u8(0).u8(1).i32(1).i32(512).i32(0).i32(32).i32(0).i32(0).i32(0).i32(0);
    defaults.i32(0).i32(0).i32(0).i32(0);
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
}

// A short record is all defaults; a field out of its range alone takes its default; the
// reserved field and bytes after the record are ignored.
TEST(SettingsFile, BadRecordsFallBack) {
    Settings stored;
    stored.gradation.length = 900;
    stored.gradation.loop = true;
    Settings fallback = stored;
    fallback.gradation.length = 512;
    fallback.lengthChangeMethod = 0;
    fallback.saveWidth = 32;
    using Pokes = std::vector<std::pair<std::size_t, unsigned char>>;
    const std::tuple<std::size_t, Pokes, SettingsSource, Settings> rows[] = {
        {51, {}, SettingsSource::ShortFile, Settings{}},
        {0, {}, SettingsSource::ShortFile, Settings{}},
        {52, // bitmap window 7, length 0, method 4, width 0, reserved, synchro channel 2
         {{1, 7}, {8, 0}, {9, 0}, {12, 4}, {16, 0}, {28, 0x55}, {44, 2}},
         SettingsSource::LoadedFallback,
         fallback},
        {52, {{30, 0xff}}, SettingsSource::Loaded, stored},
        {53, {}, SettingsSource::Loaded, stored},
    };
    TempDir dir;
    for (const auto& [size, pokes, source, expected] : rows) {
        std::vector<unsigned char> bytes = encodeSettings(stored);
        bytes.resize(size, 9);
        for (const auto& [at, v] : pokes) {
            bytes[at] = v;
        }
        writeBytes(dir / "Setting.ini", bytes);
        const SettingsLoadResult loaded = LoadSettings(dir / "Setting.ini");
        EXPECT_EQ(loaded.source, source) << size;
        EXPECT_EQ(loaded.settings, expected) << size;
    }
}

// Beside the executable when that folder is writable, else $XDG_CONFIG_HOME/spectrane when it
// is absolute, else ~/.config/spectrane (the home from the user database when $HOME is unset);
// the file folders are created when missing; with no folder at all the settings stay in memory.
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
        EXPECT_EQ((std::array{p.programFolder, p.settingsPath, p.lineDataFolder, p.bitmapFolder}),
                  (std::array{expected, expected / "Setting.ini", expected / "RGBLineDataFiles",
                              expected / "Bitmaps"}));
    }
    if (::geteuid() != 0) { // root writes anywhere
        std::filesystem::permissions(exe, std::filesystem::perms::owner_read |
                                              std::filesystem::perms::owner_exec);
        EXPECT_EQ(BuildProgramPaths(exe, "/xdg", "/h").programFolder, "/xdg/spectrane");
        std::filesystem::permissions(exe, std::filesystem::perms::owner_all);
    }
    const ProgramPaths p = BuildProgramPaths(gone, (dir / "xdg").string(), "");
    ASSERT_TRUE(ensureProgramFolders(p));
    EXPECT_TRUE(is_directory(p.lineDataFolder) && is_directory(p.bitmapFolder));

    const passwd* user = ::getpwuid(::getuid());
    ASSERT_NE(user, nullptr);
    EXPECT_EQ(homeFolder("relative"), std::filesystem::path(user->pw_dir)); // $HOME unset too
    EXPECT_EQ(homeFolder("/h"), std::filesystem::path("/h"));
    const ProgramPaths none = BuildProgramPaths(gone, "", "");
    EXPECT_FALSE(none.hasFolder() || ensureProgramFolders(none));
    EXPECT_EQ(LoadSettings(none.settingsPath).source, SettingsSource::Defaults);
    EXPECT_EQ(SaveSettings(none.settingsPath, Settings{}).message, kFileOpenFailedMessage);
}

} // namespace
} // namespace spectrane
