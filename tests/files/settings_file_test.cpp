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

TEST(SettingsFile, FirstRunDefaults) {
    TempDir dir;
    const SettingsLoadResult r = LoadSettings(dir / "Setting.ini");
    EXPECT_EQ(r.source, SettingsSource::Defaults);
    const Settings& s = r.settings;
    EXPECT_EQ(s.showTitleWindow, 1);
    EXPECT_EQ(s.bitmapWindowOpen, 1);
    EXPECT_EQ(s.bitmapWindowTopmost, 0);
    EXPECT_EQ(s.showPointPositions, 1);
    EXPECT_EQ(s.gradation.direction, 1);
    EXPECT_EQ(s.gradation.length, 512);
    EXPECT_EQ(s.lengthChangeMethod, 0);
    EXPECT_EQ(s.saveWidth, 32);
    EXPECT_EQ(s.useWindowWidth, 0);
    EXPECT_EQ(s.gradation.loop, 0);
    EXPECT_EQ(s.gradation.cmy, 0);
    EXPECT_EQ(s.gradation.synchro, 0);
    EXPECT_EQ(s.gradation.synchroChannels, (std::array<bool, 3>{false, false, false}));
    // A folder where the file should be reads as no file.
    std::filesystem::create_directory(dir / "Setting.ini");
    EXPECT_EQ(LoadSettings(dir / "Setting.ini").source, SettingsSource::Defaults);
}

TEST(SettingsFile, RecordLayoutAndRoundTrip) {
    TempDir dir;
    Settings s;
    s.showTitleWindow = 0;
    s.bitmapWindowTopmost = 1;
    s.gradation.direction = 3;
    s.gradation.length = 1600;
    s.lengthChangeMethod = 2;
    s.saveWidth = 1200;
    s.useWindowWidth = 1;
    s.gradation.loop = 1;
    s.gradation.cmy = 1;
    s.gradation.synchro = 1;
    s.gradation.synchroChannels = {0, 1, 1};
    const auto file = dir / "Setting.ini";
    ASSERT_TRUE(SaveSettings(file, s));
    ByteBuilder expected;
    expected.u8(0).u8(1).u8(1).u8(1);
    expected.i32(3).i32(1600).i32(2).i32(1200).i32(1).i32(1).i32(0).i32(1).i32(1);
    expected.i32(0).i32(1).i32(1);
    EXPECT_EQ(readBytes(file), expected.bytes);
    const SettingsLoadResult r = LoadSettings(file);
    EXPECT_EQ(r.source, SettingsSource::Loaded);
    EXPECT_EQ(r.settings, s);

    // The document fields travel both ways; the curves are not part of the record.
    auto doc = std::make_unique<GradationDocument>();
    doc->settings() = r.settings.gradation;
    EXPECT_EQ(doc->length, 1600);
    EXPECT_EQ(doc->direction, 3);
    EXPECT_EQ(doc->loop, 1);
    EXPECT_EQ(doc->synchroChannels, s.gradation.synchroChannels);
    Settings back;
    back.gradation = doc->settings();
    EXPECT_EQ(back.gradation.length, 1600);
    EXPECT_EQ(back.gradation.cmy, 1);
    EXPECT_EQ(back.gradation.synchro, 1);
    EXPECT_EQ(back.showTitleWindow, 1); // not a document field
}

TEST(SettingsFile, BadRecordsFallBack) {
    TempDir dir;
    const auto file = dir / "Setting.ini";
    Settings stored;
    stored.gradation.length = 900;
    stored.gradation.loop = true;
    std::vector<unsigned char> good = encodeSettings(stored);

    // Short: the whole record is defaults.
    writeBytes(file, std::vector<unsigned char>(good.begin(), good.end() - 1));
    SettingsLoadResult r = LoadSettings(file);
    EXPECT_EQ(r.source, SettingsSource::ShortFile);
    EXPECT_EQ(r.settings, Settings{});
    writeBytes(file, {});
    EXPECT_EQ(LoadSettings(file).settings, Settings{});

    // Out of range: only the bad fields fall back; the reserved field is ignored.
    std::vector<unsigned char> bad = good;
    bad[1] = 7;          // bitmap window open
    bad[8] = bad[9] = 0; // length 0
    bad[12] = 4;         // method 4
    bad[16] = 0;         // save width 0
    bad[28] = 0x55;      // reserved
    bad[44] = 2;         // synchro channel 1
    writeBytes(file, bad);
    r = LoadSettings(file);
    EXPECT_EQ(r.source, SettingsSource::LoadedFallback);
    Settings expected = stored;
    expected.gradation.length = 512;
    expected.lengthChangeMethod = 0;
    expected.saveWidth = 32;
    EXPECT_EQ(r.settings, expected);

    std::vector<unsigned char> reservedOnly = good;
    reservedOnly[30] = 0xff;
    writeBytes(file, reservedOnly);
    EXPECT_EQ(LoadSettings(file).source, SettingsSource::Loaded);

    // Trailing bytes are not part of the record.
    good.push_back(9);
    writeBytes(file, good);
    r = LoadSettings(file);
    EXPECT_EQ(r.source, SettingsSource::Loaded);
    EXPECT_EQ(r.settings, stored);
}

TEST(SettingsFile, ProgramFolders) {
    TempDir dir;
    const auto exe = dir / "bin";
    std::filesystem::create_directory(exe);
    ProgramPaths p = BuildProgramPaths(exe, "/xdg", "/home/u");
    EXPECT_EQ(p.programFolder, exe);
    EXPECT_EQ(p.settingsPath, exe / "Setting.ini");
    EXPECT_EQ(p.lineDataFolder, exe / "RGBLineDataFiles");
    EXPECT_EQ(p.bitmapFolder, exe / "Bitmaps");

    // Not a writable folder: the XDG config folder, else ~/.config.
    const auto gone = dir / "gone";
    p = BuildProgramPaths(gone, (dir / "xdg").string(), "/home/u");
    EXPECT_EQ(p.programFolder, dir / "xdg" / "spectrane");
    EXPECT_EQ(p.settingsPath, dir / "xdg" / "spectrane" / "Setting.ini");
    EXPECT_EQ(BuildProgramPaths(gone, "", "/home/u").programFolder,
              std::filesystem::path("/home/u/.config/spectrane"));
    EXPECT_EQ(BuildProgramPaths(gone, "relative/xdg", "/home/u").programFolder,
              std::filesystem::path("/home/u/.config/spectrane"));
    EXPECT_EQ(BuildProgramPaths({}, "/xdg", "/h").programFolder,
              std::filesystem::path("/xdg/spectrane"));
    if (::geteuid() != 0) {
        std::filesystem::permissions(exe, std::filesystem::perms::owner_read |
                                              std::filesystem::perms::owner_exec);
        EXPECT_EQ(BuildProgramPaths(exe, "/xdg", "/h").programFolder,
                  std::filesystem::path("/xdg/spectrane"));
        std::filesystem::permissions(exe, std::filesystem::perms::owner_all);
    }

    p = BuildProgramPaths(gone, (dir / "xdg").string(), "");
    ASSERT_TRUE(ensureProgramFolders(p));
    EXPECT_TRUE(std::filesystem::is_directory(p.lineDataFolder));
    EXPECT_TRUE(std::filesystem::is_directory(p.bitmapFolder));
    EXPECT_FALSE(executableFolder().empty());
}

} // namespace
} // namespace spectrane
