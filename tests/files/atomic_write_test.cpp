// The one writer under every output, case by case: each row makes a scene in a fresh folder,
// writes in a child process (so that the umask, a size limit or the user can change) and
// checks what is on disk.
#include "files/atomic_write.h"
#include "files/program_folders.h"
#include "files/settings_file.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

namespace spectrane {
namespace {

namespace fs = std::filesystem;
using Bytes = std::vector<unsigned char>;
using test::readBytes;

const Bytes kOld(300, 'o');
const Bytes kNew = [] {
    Bytes b(5000);
    for (std::size_t i = 0; i < b.size(); ++i) {
        b[i] = static_cast<unsigned char>(i * 7 % 251);
    }
    return b;
}();
constexpr uid_t kNobody = 65534;

fs::path existing(const fs::path& file, mode_t mode) {
    test::writeBytes(file, kOld);
    ::chmod(file.c_str(), mode);
    return file;
}

struct stat statOf(const fs::path& p) {
    struct stat st {};
    ::lstat(p.c_str(), &st);
    return st;
}

void newBytes(const fs::path&, const fs::path& target) {
    EXPECT_EQ(readBytes(target), kNew);
}

void oldBytes(const fs::path&, const fs::path& target) {
    EXPECT_EQ(readBytes(target), kOld);
}

std::function<void(const fs::path&, const fs::path&)> fileMode(mode_t mode) {
    return [mode](const fs::path&, const fs::path& target) {
        EXPECT_EQ(readBytes(target), kNew);
        EXPECT_EQ(statOf(target).st_mode, S_IFREG | mode);
    };
}

FileResult writeNew(const fs::path& target) {
    return writeFileAtomically(target, kNew);
}

// The temporary file is not inherited by programs started meanwhile.
FileResult writeCheckingCloseOnExec(const fs::path& target) {
    AtomicFile file(target);
    file.open();
    for (const auto& link : fs::directory_iterator("/proc/self/fd")) {
        std::error_code ec;
        const int fd = std::stoi(link.path().filename().string());
        if (fs::read_symlink(link.path(), ec).string().find(kTemporaryMarker) !=
                std::string::npos &&
            (::fcntl(fd, F_GETFD) & FD_CLOEXEC) == 0) {
            return FileResult::failure("temporary file open without close-on-exec");
        }
    }
    file.write(kNew);
    return file.commit();
}

struct Row {
    const char* name;
    std::function<fs::path(const fs::path& dir)> scene; // the target; empty: cannot be made here
    bool ok;
    std::function<void(const fs::path& dir, const fs::path& target)> check;
    mode_t umask = 022;
    uid_t user = 0;
    rlim_t sizeLimit = RLIM_INFINITY;
    std::function<FileResult(const fs::path&)> write = writeNew;
};

struct Outcome {
    bool ok = false;
    std::string detail;
    Bytes fromFifo;
};

Outcome writeInChild(const Row& row, const fs::path& target) {
    int pipeFds[2];
    EXPECT_EQ(::pipe(pipeFds), 0);
    // Opened before the writer and read after it: the content fits in the FIFO's buffer.
    const int fifo = fs::is_fifo(target) ? ::open(target.c_str(), O_RDONLY | O_NONBLOCK) : -1;
    const pid_t pid = ::fork();
    if (pid == 0) {
        ::umask(row.umask);
        const rlimit limit{row.sizeLimit, row.sizeLimit};
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, SIG_IGN);
        if (row.user != 0 && (::setgid(row.user) != 0 || ::setuid(row.user) != 0)) {
            ::_exit(3);
        }
        const FileResult result = row.write(target);
        [[maybe_unused]] auto n = ::write(pipeFds[1], result.detail.data(), result.detail.size());
        ::_exit(result.ok ? 0 : result.message == kFileOpenFailedMessage ? 1 : 2);
    }
    ::close(pipeFds[1]);
    int status = 0;
    ::waitpid(pid, &status, 0);
    Outcome out;
    char buffer[4096];
    for (ssize_t n; (n = ::read(pipeFds[0], buffer, sizeof buffer)) > 0;) {
        out.detail.append(buffer, static_cast<std::size_t>(n));
    }
    for (ssize_t n; fifo >= 0 && (n = ::read(fifo, buffer, sizeof buffer)) > 0;) {
        out.fromFifo.insert(out.fromFifo.end(), buffer, buffer + n);
    }
    ::close(pipeFds[0]);
    ::close(fifo);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) <= 1) << status;
    out.ok = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return out;
}

TEST(AtomicWrite, EveryCaseEveryCallerMeets) {
    const bool root = ::geteuid() == 0;
    // A folder only root may write, holding a file its user may write: no temporary file fits.
    const auto nobodysFile = [root](const fs::path& dir) {
        return root && ::chown(existing(dir / "doc.spd", 0644).c_str(), kNobody, kNobody) == 0
                   ? dir / "doc.spd"
                   : fs::path();
    };
    const std::vector<Row> rows = {
        {"new file, umask 077", [](auto& d) { return d / "a.bmp"; }, true, fileMode(0600), 077},
        {"new file, umask 002", [](auto& d) { return d / "a.bmp"; }, true, fileMode(0664), 002},
        {"existing 0600 keeps it", [](auto& d) { return existing(d / "a", 0600); }, true,
         fileMode(0600)},
        {"existing 6755 loses set-id bits, keeps its owner (root)",
         [root](auto& d) {
             const fs::path t = existing(d / "a", 0755);
             return root && ::chown(t.c_str(), kNobody, kNobody) == 0 &&
                            ::chmod(t.c_str(), 06755) == 0
                        ? t
                        : fs::path();
         },
         true,
         [](auto& d, auto& t) {
             fileMode(0755)(d, t);
             EXPECT_EQ(statOf(t).st_uid, kNobody);
             EXPECT_EQ(statOf(t).st_gid, kNobody);
         }},
        {"link: the file it names is written, the link stays",
         [](auto& d) {
             fs::create_directory(d / "sub");
             existing(d / "sub" / "real.spd", 0644);
             fs::create_symlink("sub/real.spd", d / "link.spd");
             return d / "link.spd";
         },
         true,
         [](auto& d, auto& t) {
             EXPECT_TRUE(fs::is_symlink(t));
             EXPECT_EQ(readBytes(d / "sub" / "real.spd"), kNew);
         }},
        {"dangling link: the file it names is made",
         [](auto& d) {
             fs::create_symlink("made.spd", d / "link.spd");
             return d / "link.spd";
         },
         true,
         [](auto& d, auto& t) {
             EXPECT_TRUE(fs::is_symlink(t));
             EXPECT_EQ(readBytes(d / "made.spd"), kNew);
         }},
        {"FIFO is written, not replaced",
         [](auto& d) { return ::mkfifo((d / "f").c_str(), 0644) == 0 ? d / "f" : fs::path(); },
         true, [](auto&, auto& t) { EXPECT_TRUE(fs::is_fifo(t)); }},
        {"character device is written, not replaced",
         [root](auto& d) {
             return root && ::mknod((d / "null").c_str(), S_IFCHR | 0666, makedev(1, 3)) == 0
                        ? d / "null"
                        : fs::path();
         },
         true, [](auto&, auto& t) { EXPECT_TRUE(fs::is_character_file(t)); }},
        {"250-byte name", [](auto& d) { return d / (std::string(246, 'n') + ".spd"); }, true,
         newBytes},
        {"folder in the way",
         [](auto& d) {
             fs::create_directory(d / "t.spd");
             return d / "t.spd";
         },
         false, [](auto&, auto& t) { EXPECT_TRUE(fs::is_directory(t)); }},
        {"missing folder", [](auto& d) { return d / "missing" / "a.bmp"; }, false,
         [](auto& d, auto&) { EXPECT_FALSE(fs::exists(d / "missing")); }},
        {"settings create their folder", [](auto& d) { return d / "cfg" / "Setting.ini"; }, true,
         [](auto&, auto& t) { EXPECT_EQ(readBytes(t), encodeSettings(Settings{})); }, 022, 0,
         RLIM_INFINITY, [](auto& t) { return SaveSettings(t, Settings{}); }},
        {"settings under a plain file", [](auto& d) { return existing(d / "f", 0644) / "S.ini"; },
         false, [](auto& d, auto&) { oldBytes(d, d / "f"); }, 022, 0, RLIM_INFINITY,
         [](auto& t) { return SaveSettings(t, Settings{}); }},
        {"read-only settings are kept, even by root",
         [](auto& d) { return existing(d / "Setting.ini", 0444); }, false, oldBytes, 022, 0,
         RLIM_INFINITY, [](auto& t) { return SaveSettings(t, Settings{}); }},
        {"writable file, folder not: written in place", nobodysFile, true, newBytes, 022, kNobody},
        {"in place, over the size limit: old bytes kept", nobodysFile, false, oldBytes, 022,
         kNobody, 4096},
        {"size limit: File too large, nothing left", [](auto& d) { return d / "big.bmp"; }, false,
         [](auto&, auto& t) { EXPECT_FALSE(fs::exists(t)); }, 022, 0, 4096},
        {"temporary file closed on exec", [](auto& d) { return d / "a.spd"; }, true, newBytes, 022,
         0, RLIM_INFINITY, writeCheckingCloseOnExec},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const test::TempDir dir;
        const fs::path target = row.scene(dir.path());
        if (target.empty()) {
            std::printf("[  SKIPPED ] %s: needs root\n", row.name);
            continue;
        }
        const Outcome out = writeInChild(row, target);
        EXPECT_EQ(out.ok, row.ok) << out.detail;
        EXPECT_EQ(out.detail.empty(), row.ok) << out.detail;
        if (fs::is_fifo(target) || fs::is_character_file(target)) {
            EXPECT_EQ(out.fromFifo, fs::is_fifo(target) ? kNew : Bytes());
        }
        if (row.sizeLimit != RLIM_INFINITY) {
            EXPECT_NE(out.detail.find(std::strerror(EFBIG)), std::string::npos) << out.detail;
        }
        row.check(dir.path(), target);
        for (const auto& entry : fs::recursive_directory_iterator(dir.path())) {
            EXPECT_EQ(entry.path().string().find(kTemporaryMarker), std::string::npos);
        }
    }
}

TEST(AtomicWrite, SettingsWithoutAHomeStayInMemory) {
    const passwd* user = ::getpwuid(::getuid());
    ASSERT_NE(user, nullptr);
    EXPECT_EQ(homeFolder(""), fs::path(user->pw_dir));
    EXPECT_EQ(homeFolder("relative"), fs::path(user->pw_dir));
    EXPECT_EQ(homeFolder("/h"), fs::path("/h"));
    const fs::path noExe = "/nonexistent/bin";
    EXPECT_EXIT(
        {
            ::unsetenv("HOME");
            ::unsetenv("XDG_CONFIG_HOME");
            std::exit(BuildProgramPaths(noExe).programFolder ==
                              fs::path(user->pw_dir) / ".config" / "spectrane"
                          ? 0
                          : 1);
        },
        testing::ExitedWithCode(0), "");

    const ProgramPaths none = BuildProgramPaths(noExe, "", "");
    EXPECT_FALSE(none.hasFolder());
    EXPECT_TRUE(none.settingsPath.empty());
    EXPECT_FALSE(ensureProgramFolders(none));
    EXPECT_EQ(LoadSettings(none.settingsPath).source, SettingsSource::Defaults);
    const FileResult saved = SaveSettings(none.settingsPath, Settings{});
    EXPECT_FALSE(saved);
    EXPECT_EQ(saved.message, kFileOpenFailedMessage);
}

} // namespace
} // namespace spectrane
