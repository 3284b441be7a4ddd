// Saving: the atomic writer case by case (a scene in a fresh folder, written in a child process
// whose umask, size limit, user or signals change); the settings record; the program's folders.
#include "files/atomic_write.h"
#include "files/in_place_backup.h"
#include "files/program_folders.h"
#include "files/settings_file.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace spectrane {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;
using test::ByteBuilder;
using test::readBytes;

const Bytes kOld(300, 'o');
const Bytes kNew(5000, 'n');
constexpr uid_t kNobody = 65534;

fs::path existing(const fs::path& file, mode_t mode) {
    test::writeBytes(file, kOld);
    ::chmod(file.c_str(), mode);
    return file;
}

FileResult writeNew(const fs::path& target) {
    return writeFileAtomically(target, kNew);
}

FileResult writeCheckingCloseOnExec(const fs::path& target) {
    AtomicFile file(target);
    file.open();
    for (const auto& link : fs::directory_iterator("/proc/self/fd")) {
        std::error_code ec;
        if (fs::read_symlink(link, ec).string().find(kTemporaryMarker) != std::string::npos &&
            (::fcntl(std::stoi(link.path().filename()), F_GETFD) & FD_CLOEXEC) == 0) {
            return FileResult::failure("temporary file open without close-on-exec");
        }
    }
    file.write(kNew);
    return file.commit();
}

FileResult saveSettings(const fs::path& target) {
    return SaveSettings(target, Settings{});
}

// The temporary file's permissions when it appears and just before the rename, as "600 644 "
// (octal), then the written file's.
std::string modeOf(const fs::path& file) {
    struct stat st {};
    char mode[16] = "none ";
    if (::stat(file.c_str(), &st) == 0) {
        std::snprintf(mode, sizeof mode, "%o ", st.st_mode & 0777);
    }
    return mode;
}

std::string gModesSeen;
FileResult writeObservingModes(const fs::path& target) {
    setSaveStepHook([](SaveStep step, const fs::path& file) {
        if (step == SaveStep::TemporaryCreated || step == SaveStep::TemporaryWritten) {
            gModesSeen += modeOf(file);
        }
        return 0;
    });
    const FileResult r = writeNew(target);
    return gModesSeen == "600 " + modeOf(target) ? r : FileResult::failure("seen " + gModesSeen);
}

// Writes with the program's signal handling, and at the steps `At`..`Until` of the save lowers
// the file-size limit to `Limit` (if not 0), raises `Sig` (if not 0) and fails with `Err`.
template <SaveStep At, int Sig, int Err = 0, rlim_t Limit = 0, SaveStep Until = At>
FileResult writeWith(const fs::path& target) {
    removeTemporaryFilesOnTermination();
    setSaveStepHook([](SaveStep step, const fs::path&) {
        if (step < At || step > Until) {
            return 0;
        }
        const rlimit limit{Limit, Limit};
        if (Limit != 0) {
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        if (Sig != 0) {
            ::raise(Sig);
        }
        return Err;
    });
    return writeNew(target);
}

struct Row {
    const char* name;
    std::function<fs::path(const fs::path& dir)> scene; // makes the scene, gives the target
    bool ok;
    mode_t mode = 0; // the written file's permissions, when not 0
    mode_t umask = 022;
    uid_t user = 0;
    rlim_t sizeLimit = RLIM_INFINITY;
    bool needsRoot = false;
    std::function<FileResult(const fs::path&)> write = writeNew;
    Bytes content = kNew;
    const char* says = kFileOpenFailedMessage; // in what a failure reports
    bool keepsOld = true;      // a failure leaves the old content (else the written one)
    bool leavesBackup = false; // a copy of the old content stays in the cache and restores it
};

// Writes as the row says in a child process with its own cache folder; the result's message and
// detail, or the signal that ended it; empty when it succeeded.
std::string writeInChild(const Row& row, const fs::path& target, const fs::path& cache) {
    int pipeFds[2];
    EXPECT_EQ(::pipe(pipeFds), 0);
    fs::create_directory(cache);
    [[maybe_unused]] const int owned = ::chown(cache.c_str(), row.user, row.user);
    const pid_t child = ::fork();
    if (child == 0) {
        ::setenv("XDG_CACHE_HOME", cache.c_str(), 1);
        ::umask(row.umask);
        const rlimit limit{row.sizeLimit, row.sizeLimit};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, SIG_IGN);
        const bool switched = row.user == 0 || (::setgid(row.user) == 0 && ::setuid(row.user) == 0);
        const FileResult r = switched ? row.write(target) : FileResult::failure("no switch");
        const std::string detail =
            r ? "" : r.message + " " + r.detail + " [" + r.file + ": " + r.reason + "]";
        [[maybe_unused]] auto n = ::write(pipeFds[1], detail.data(), detail.size());
        ::_exit(0);
    }
    ::close(pipeFds[1]);
    std::string detail;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;) {
        detail.append(buffer, static_cast<std::size_t>(n));
    }
    ::close(pipeFds[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return WIFSIGNALED(status) ? "signal " + std::to_string(WTERMSIG(status)) : detail;
}

// Scenes: each makes what the row needs in `d` and gives the target.
fs::path fresh(const fs::path& d) {
    return d / "a";
}

// A folder whose default ACL gives new files rw-r-----, whatever the umask.
fs::path underDefaultAcl(const fs::path& d) {
    ByteBuilder acl;
    acl.i32(2); // version, then tag, permissions and id of owner, group and others
    for (const auto& [tag, perm] : {std::pair{0x01, 6}, {0x04, 4}, {0x20, 0}}) {
        acl.put(tag, 2).put(perm, 2).i32(-1);
    }
    ::setxattr(d.c_str(), "system.posix_acl_default", acl.bytes.data(), acl.bytes.size(), 0);
    return d / "a";
}

// Set-id bits and another owner (root may keep it).
fs::path nobodys6755(const fs::path& d) {
    [[maybe_unused]] const int r = ::chown(existing(d / "a", 0).c_str(), kNobody, kNobody);
    ::chmod((d / "a").c_str(), 06755);
    return d / "a";
}

fs::path linkToSub(const fs::path& d) {
    fs::create_directory(d / "sub");
    existing(d / "sub" / "real", 0644);
    fs::create_symlink("sub/real", d / "link");
    return d / "link";
}

// A folder only root may write, holding a file of `Size` bytes nobody may write: no temporary
// file fits.
template <std::size_t Size> fs::path nobodys(const fs::path& d) {
    test::writeBytes(d / "a", Bytes(Size, 'o'));
    [[maybe_unused]] const int r = ::chown((d / "a").c_str(), kNobody, kNobody);
    return d / "a";
}
const auto nobodysFile = nobodys<300>;
const auto nobodysLongFile = nobodys<20000>;

TEST(AtomicWrite, EveryCaseEveryCallerMeets) {
    // clang-format off
    const std::vector<Row> rows = {
        {.name = "new, umask 002", .scene = fresh, .ok = true, .mode = 0664, .umask = 002},
        {.name = "6755 loses set-id bits, keeps owner", .scene = nobodys6755, .ok = true,
         .mode = 0755, .needsRoot = true},
        {.name = "link followed, link kept", .scene = linkToSub, .ok = true},
        {.name = "FIFO written, not replaced",
         .scene = [](auto& d) { return ::mkfifo((d / "f").c_str(), 0644), d / "f"; }, .ok = true},
        {.name = "device written, not replaced", .scene = [](auto& d) {
             return ::mknod((d / "n").c_str(), S_IFCHR | 0666, makedev(1, 3)), d / "n"; },
         .ok = true, .needsRoot = true},
        {.name = "250-byte name", .scene = [](auto& d) { return d / std::string(250, 'n'); },
         .ok = true},
        {.name = "folder in the way",
         .scene = [](auto& d) { return fs::create_directory(d / "t"), d / "t"; }, .ok = false},
        {.name = "missing folder", .scene = [](auto& d) { return d / "no" / "a"; }, .ok = false},
        {.name = "settings make their folder", .scene = [](auto& d) { return d / "cfg" / "S"; },
         .ok = true, .write = saveSettings, .content = encodeSettings(Settings{})},
        {.name = "settings under a file",
         .scene = [](auto& d) { return existing(d / "f", 0) / "S"; }, .ok = false,
         .write = saveSettings},
        {.name = "read-only settings kept, even by root",
         .scene = [](auto& d) { return existing(d / "Setting.ini", 0444); }, .ok = false,
         .write = saveSettings},
        {.name = "writable file, folder not: in place", .scene = nobodysFile, .ok = true,
         .user = kNobody, .needsRoot = true},
        {.name = "in place, no room under the size limit: old bytes kept", .scene = nobodysFile,
         .ok = false, .user = kNobody, .sizeLimit = 4096, .needsRoot = true},
        {.name = "size limit: File too large", .scene = fresh, .ok = false, .sizeLimit = 4096},
        {.name = "close-on-exec", .scene = fresh, .ok = true, .write = writeCheckingCloseOnExec},
        {.name = "new: owner-only until written, then 0644", .scene = fresh, .ok = true,
         .mode = 0644, .write = writeObservingModes},
        {.name = "new under a default ACL: its mode, not the umask's", .scene = underDefaultAcl,
         .ok = true, .mode = 0640, .write = writeObservingModes},
        {.name = "0664 kept: owner-only until written", .scene = [](auto& d) {
             return existing(d / "a", 0664); }, .ok = true, .mode = 0664,
         .write = writeObservingModes},
        {.name = "SIGINT removes the temporary file", .scene = nobodysFile, .ok = false,
         .write = writeWith<SaveStep::TemporaryWritten, SIGINT>, .says = "signal 2"},
        {.name = "SIGTERM removes the temporary file", .scene = fresh, .ok = false,
         .write = writeWith<SaveStep::TemporaryCreated, SIGTERM>, .says = "signal 15"},
        {.name = "SIGHUP removes the temporary file", .scene = fresh, .ok = false,
         .write = writeWith<SaveStep::TemporaryWritten, SIGHUP>, .says = "signal 1"},
        {.name = "SIGTERM waits for an in-place write to be whole", .scene = nobodysLongFile,
         .ok = false, .user = kNobody, .needsRoot = true,
         .write = writeWith<SaveStep::InPlaceWritten, SIGTERM>, .says = "signal 15",
         .keepsOld = false},
        {.name = "in place, no room for the copy under a size limit: saved all the same",
         .scene = nobodysLongFile, .ok = true, .user = kNobody, .sizeLimit = 8192,
         .needsRoot = true},
        {.name = "in place, failing once begun: the old content put back",
         .scene = nobodysLongFile, .ok = false, .user = kNobody, .needsRoot = true,
         .write = writeWith<SaveStep::InPlaceWritten, 0, EFBIG, 10000>,
         .says = "File too large; the old content was put back"},
        {.name = "in place, killed halfway: the cache's copy restores it",
         .scene = nobodysLongFile, .ok = false, .user = kNobody, .needsRoot = true,
         .write = writeWith<SaveStep::InPlaceWritten, SIGKILL>, .says = "signal 9",
         .keepsOld = false, .leavesBackup = true},
        {.name = "in place, putting back fails: said, and the copy restores it",
         .scene = nobodysLongFile, .ok = false, .user = kNobody, .needsRoot = true,
         .write = writeWith<SaveStep::InPlaceWritten, 0, EIO, 0, SaveStep::RollingBack>,
         .says = "could not be put back", .keepsOld = false, .leavesBackup = true},
    };
    // clang-format on
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.needsRoot && ::geteuid() != 0) {
            continue;
        }
        const test::TempDir dir;
        const fs::path target = row.scene(dir.path());
        const auto before = fs::symlink_status(target).type();
        struct stat old {};
        const bool existed = ::stat(target.c_str(), &old) == 0;
        const Bytes oldContent = fs::is_regular_file(target) ? readBytes(target) : Bytes();
        // Opened before the writer and read after it: the content fits in the FIFO's buffer.
        const int fifo = fs::is_fifo(target) ? ::open(target.c_str(), O_RDONLY | O_NONBLOCK) : -1;
        const fs::path cache = dir / "cache";
        const std::string detail = writeInChild(row, target, cache);
        EXPECT_EQ(detail.empty(), row.ok) << detail;
        if (existed) {
            EXPECT_EQ(fs::symlink_status(target).type(), before);
        }
        struct stat now {};
        if (row.ok && ::stat(target.c_str(), &now) == 0 && S_ISREG(now.st_mode)) {
            EXPECT_EQ(readBytes(target), row.content);
            EXPECT_TRUE(row.mode == 0 || (now.st_mode & 07777) == row.mode) << now.st_mode;
            EXPECT_TRUE(!existed || (now.st_uid == old.st_uid && now.st_gid == old.st_gid));
        } else if (!row.ok) {
            EXPECT_NE(detail.find(row.says), std::string::npos) << detail;
            // What the user is shown on the second line: the file and the system's reason.
            EXPECT_TRUE(detail.rfind("signal", 0) == 0 ||
                        detail.find(" [" + target.string() + ": ") != std::string::npos)
                << detail;
            const Bytes now = fs::is_regular_file(target) ? readBytes(target) : Bytes();
            EXPECT_EQ(now == oldContent, row.keepsOld);
            if (!row.keepsOld && !row.leavesBackup) {
                EXPECT_EQ(now, row.content);
            }
            EXPECT_EQ(fs::exists(target), existed);
        }
        if (row.leavesBackup) {
            const std::vector<InPlaceBackup> left = findInPlaceBackups(cache / "spectrane");
            ASSERT_EQ(left.size(), 1u);
            EXPECT_EQ(left[0].target, target);
            EXPECT_TRUE(restoreInPlaceBackup(left[0]));
            EXPECT_EQ(readBytes(target), oldContent);
        }
        EXPECT_TRUE(!fs::exists(cache / "spectrane") || fs::is_empty(cache / "spectrane"));
        if (fifo >= 0) {
            Bytes got(kNew.size() + 1);
            EXPECT_EQ(::read(fifo, got.data(), got.size()), static_cast<ssize_t>(kNew.size()));
            EXPECT_TRUE(std::equal(kNew.begin(), kNew.end(), got.begin()));
            ::close(fifo);
        }
        if (row.sizeLimit != RLIM_INFINITY && !row.ok) {
            EXPECT_NE(detail.find(std::strerror(EFBIG)), std::string::npos) << detail;
            EXPECT_EQ(detail.find("could not be put back"), std::string::npos) << detail;
        }
        for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
            EXPECT_EQ(entry.path().string().find(kTemporaryMarker), std::string::npos);
        }
    }
}

using test::TempDir;
using test::writeBytes;

// The 52-byte record (four flag bytes, then int32 fields) of a first run's defaults, which a
// missing file or a folder in its place also gives, and of other settings.
TEST(SettingsFile, RecordLayoutDefaultsAndRoundTrip) {
    Settings custom{false, true, true, true,
                    2,     1200, true, {1600, 3, true, ColorMode::Cmy, 0.0, true, {0, 1, 1}}};
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

// A short record is all defaults; a flag out of its range alone takes its default; the
// reserved field and bytes after the record are ignored. (Numbers: the next test.)
TEST(SettingsFile, BadRecordsFallBack) {
    Settings stored;
    stored.gradation.length = 900;
    stored.gradation.loop = true;
    using Pokes = std::vector<std::pair<std::size_t, unsigned char>>;
    const std::tuple<std::size_t, Pokes, SettingsSource, Settings> rows[] = {
        {51, {}, SettingsSource::ShortFile, Settings{}},
        {0, {}, SettingsSource::ShortFile, Settings{}},
        {52, {{1, 7}, {44, 2}}, SettingsSource::LoadedFallback, stored}, // a flag, a channel flag
        {52, {{28, 0x55}, {30, 0xff}}, SettingsSource::Loaded, stored},
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

// Each numeric field of the record is taken at both ends of its range; one past either end
// alone falls back to its default.
TEST(SettingsFile, NumericFieldsAtTheirBounds) {
    struct Row {
        std::size_t at;
        int low;
        int high;
        int Settings::*field;
        int GradationSettings::*gradationField;
    };
    const Row rows[] = {{4, 0, 3, nullptr, &GradationSettings::direction},
                        {8, 2, 1600, nullptr, &GradationSettings::length},
                        {12, 0, 3, &Settings::lengthChangeMethod, nullptr},
                        {16, 1, 1200, &Settings::saveWidth, nullptr}};
    TempDir dir;
    for (const Row& row : rows) {
        const auto value = [&](const Settings& s) {
            return row.field != nullptr ? s.*row.field : s.gradation.*row.gradationField;
        };
        for (const int v : {row.low - 1, row.low, row.high, row.high + 1}) {
            std::vector<unsigned char> bytes = encodeSettings(Settings{});
            for (int k = 0; k < 4; ++k) {
                bytes[row.at + k] = static_cast<unsigned char>(static_cast<unsigned>(v) >> (8 * k));
            }
            writeBytes(dir / "Setting.ini", bytes);
            const SettingsLoadResult loaded = LoadSettings(dir / "Setting.ini");
            const bool inside = v >= row.low && v <= row.high;
            EXPECT_EQ(loaded.source,
                      inside ? SettingsSource::Loaded : SettingsSource::LoadedFallback)
                << row.at << " " << v;
            EXPECT_EQ(value(loaded.settings), inside ? v : value(Settings{})) << row.at << " " << v;
        }
    }
}

// Beside a writable executable outside the system's folders, else an absolute
// $XDG_CONFIG_HOME/spectrane, else ~/.config/spectrane; with no folder, settings stay in memory.
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
        {"/usr/bin", "/xdg", "/h", "/xdg/spectrane"}, // writable to root, still never used
        {"/usr/local/bin/", "/xdg", "/h", "/xdg/spectrane"},
    };
    for (const auto& [exeFolder, xdg, home, expected] : rows) {
        const ProgramPaths p = BuildProgramPaths(exeFolder, xdg.string(), home.string());
        EXPECT_EQ((std::array{p.programFolder, p.settingsPath, p.lineDataFolder, p.bitmapFolder}),
                  (std::array{expected, expected / "Setting.ini", expected / "RGBLineDataFiles",
                              expected / "Bitmaps"}));
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
