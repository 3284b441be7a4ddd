// spectrane-cli's outputs: "-o -" to standard output, interrupted writes, a file-size limit and
// file names carrying control characters.
#include "files/atomic_write.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
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

const std::string kCli = "'" SPECTRANE_CLI_PATH "'";

// Runs a shell command inside `dir`; its exit status, or -1 when it did not exit.
int sh(const TempDir& dir, const std::string& command) {
    const int raw = std::system(("cd '" + dir.path().string() + "' && " + command).c_str());
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

std::string text(const fs::path& file) {
    const auto bytes = readBytes(file);
    return {bytes.begin(), bytes.end()};
}

bool temporaryLeft(const TempDir& dir) {
    return sh(dir, std::string("ls -A | grep -q -e ") + kTemporaryMarker) == 0;
}

TEST(CliOutput, DashWritesToStandardOutput) {
    TempDir dir;
    ASSERT_EQ(sh(dir, kCli + " new --seed 3 -o a.spd"), 0);
    for (const std::string args : {"render a.spd --width 5", "new --seed 3",
                                   "resize a.spd --length 99 --method 0", "loop a.spd on"}) {
        SCOPED_TRACE(args);
        ASSERT_EQ(sh(dir, kCli + " " + args + " -o file.out"), 0);
        // Into a pipe and its reader, and through the descriptor's name, which is not replaced.
        for (const std::string out : {"-", "/dev/fd/1"}) {
            ASSERT_EQ(sh(dir, kCli + " " + args + " -o " + out + " | cat > piped.out"), 0);
            EXPECT_EQ(readBytes(dir / "piped.out"), readBytes(dir / "file.out"));
        }
    }
    ASSERT_EQ(sh(dir, kCli + " render a.spd -o - > redirected.bmp"), 0);
    ASSERT_EQ(sh(dir, kCli + " render a.spd -o file.bmp"), 0);
    EXPECT_EQ(readBytes(dir / "redirected.bmp"), readBytes(dir / "file.bmp"));
    EXPECT_FALSE(fs::exists(dir / "-"));
}

TEST(CliOutput, InterruptedWritesLeaveNoTemporaryFile) {
    TempDir dir;
    ASSERT_EQ(sh(dir, kCli + " new --seed 3 --length 1600 -o a.spd"), 0);
    const std::string in = (dir / "a.spd").string();
    const std::string out = (dir / "big.bmp").string();
    const char* argv[] = {SPECTRANE_CLI_PATH, "render", in.c_str(), "--width", "1200", "-o",
                          out.c_str(),        nullptr};
    for (const int sig : {SIGINT, SIGTERM, SIGHUP}) {
        SCOPED_TRACE(sig);
        const int watch = ::inotify_init1(IN_CLOEXEC);
        ASSERT_GE(::inotify_add_watch(watch, dir.path().c_str(), IN_CREATE), 0);
        pid_t pid = 0;
        ASSERT_EQ(::posix_spawn(&pid, argv[0], nullptr, nullptr, const_cast<char**>(argv), environ),
                  0);
        // The moment the 5.8 MB file's temporary file appears, interrupt the write.
        pollfd ready{watch, POLLIN, 0};
        if (::poll(&ready, 1, 20000) == 1) {
            ::kill(pid, sig);
        }
        int status = 0;
        ::waitpid(pid, &status, 0);
        ::close(watch);
        EXPECT_FALSE(temporaryLeft(dir));
        if (WIFSIGNALED(status)) { // in time: nothing written
            EXPECT_EQ(WTERMSIG(status), sig);
            EXPECT_FALSE(fs::exists(out));
        }
        fs::remove(out);
    }
}

TEST(CliOutput, FileSizeLimitAndControlCharactersAreReportedAsErrors) {
    TempDir dir;
    ASSERT_EQ(sh(dir, kCli + " new --seed 3 -o a.spd"), 0);
    EXPECT_EQ(sh(dir, "(ulimit -f 8; exec " + kCli + " render a.spd --width 1200 -o b.bmp) 2>e"),
              1);
    EXPECT_NE(text(dir / "e").find("File too large"), std::string::npos) << text(dir / "e");
    EXPECT_FALSE(fs::exists(dir / "b.bmp"));
    EXPECT_FALSE(temporaryLeft(dir));

    // A name that would set the terminal's title and break the line stays one plain line.
    EXPECT_EQ(sh(dir, kCli + " new -o \"$(printf 'no\\033]0;x\\a/a\\n.spd')\" 2>e"), 1);
    const std::string err = text(dir / "e");
    EXPECT_EQ(std::count(err.begin(), err.end(), '\n'), 1) << err;
    EXPECT_EQ(err.find('\033'), std::string::npos);
    EXPECT_NE(err.find("no\\x1b]0;x\\x07/a\\x0a.spd"), std::string::npos) << err;
}

} // namespace
} // namespace spectrane
