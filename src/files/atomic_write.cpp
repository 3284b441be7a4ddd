#include "files/atomic_write.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <signal.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <unistd.h>

namespace spectrane {

namespace {

// ---- Temporary files a signal handler removes ----------------------------------------------

// One temporary file: its folder's descriptor and its short name, so that removing it takes no
// allocation and no path longer than the name.
struct PendingTemporary {
    std::atomic<int> state{0}; // 0 free, 1 being filled, 2 ready for removal
    int folderFd = -1;
    char name[64] = {};
};
static_assert(std::atomic<int>::is_always_lock_free);

constexpr int kPendingSlots = 32;
constinit PendingTemporary gPending[kPendingSlots];

int registerPending(int folderFd, const std::string& name) {
    if (name.size() >= sizeof(PendingTemporary::name)) {
        return -1;
    }
    for (int i = 0; i < kPendingSlots; ++i) {
        int expected = 0;
        if (gPending[i].state.compare_exchange_strong(expected, 1)) {
            gPending[i].folderFd = folderFd;
            std::memcpy(gPending[i].name, name.c_str(), name.size() + 1);
            gPending[i].state.store(2, std::memory_order_release);
            return i;
        }
    }
    return -1; // more files at once than slots: this one is not removed on a signal
}

void unregisterPending(int slot) {
    if (slot >= 0) {
        gPending[slot].state.store(0, std::memory_order_release);
    }
}

// Holds back the signals that end a command-line run while a temporary file is being made or
// a file is overwritten in place, so that a handler never sees half of either.
class TerminationSignalsHeld {
public:
    TerminationSignalsHeld() {
        sigset_t set;
        sigemptyset(&set);
        for (int sig : {SIGINT, SIGTERM, SIGHUP}) {
            sigaddset(&set, sig);
        }
        pthread_sigmask(SIG_BLOCK, &set, &saved_);
    }
    ~TerminationSignalsHeld() { pthread_sigmask(SIG_SETMASK, &saved_, nullptr); }
    TerminationSignalsHeld(const TerminationSignalsHeld&) = delete;
    TerminationSignalsHeld& operator=(const TerminationSignalsHeld&) = delete;

private:
    sigset_t saved_;
};

// ---- Names ----------------------------------------------------------------------------------

// The file a chain of symbolic links ends at, existing or not (a dangling link names the file
// to create). Sets `err` to ELOOP after too many links.
std::filesystem::path followLinks(std::filesystem::path path, int& err) {
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) {
            return path;
        }
        std::error_code ec;
        const std::filesystem::path next = std::filesystem::read_symlink(path, ec);
        if (ec) {
            return path;
        }
        path = next.is_absolute() ? next : path.parent_path() / next;
    }
    err = ELOOP;
    return {};
}

// ".NAME.spectrane-XXXXXX", with NAME cut to 32 bytes (at a character boundary) so that any
// target's temporary name stays far below the file system's limit.
std::string temporaryName(const std::string& finalName) {
    std::size_t keep = std::min<std::size_t>(finalName.size(), 32);
    while (keep > 0 && keep < finalName.size() &&
           (static_cast<unsigned char>(finalName[keep]) & 0xC0) == 0x80) {
        --keep;
    }
    static constexpr char kLetters[] =
        "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    unsigned char random[6] = {};
    if (::getrandom(random, sizeof random, 0) != static_cast<ssize_t>(sizeof random)) {
        static std::atomic<unsigned> counter{0};
        const unsigned mix = static_cast<unsigned>(::getpid()) * 2654435761u + counter++;
        for (std::size_t i = 0; i < sizeof random; ++i) {
            random[i] = static_cast<unsigned char>(mix >> (5 * i));
        }
    }
    std::string name = "." + finalName.substr(0, keep) + kTemporaryMarker;
    for (unsigned char r : random) {
        name += kLetters[r % (sizeof kLetters - 1)];
    }
    return name;
}

// ---- Plain descriptor helpers (0 or an errno) ------------------------------------------------

int writeAll(int fd, const std::uint8_t* p, std::size_t left) {
    while (left > 0) {
        const ssize_t n = ::write(fd, p, left);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return n < 0 ? errno : EIO;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return 0;
}

int pwriteAll(int fd, const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::pwrite(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            return n < 0 ? errno : EIO;
        }
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

int readWhole(int fd, std::vector<std::uint8_t>& bytes) {
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        return errno;
    }
    bytes.resize(static_cast<std::size_t>(st.st_size));
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n =
            ::pread(fd, bytes.data() + done, bytes.size() - done, static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n < 0) {
            return errno;
        }
        if (n == 0) {
            break;
        }
        done += static_cast<std::size_t>(n);
    }
    bytes.resize(done);
    return 0;
}

// Makes room for `newSize` bytes before any old byte is overwritten, so that a full disk or a
// file-size limit is found while the old content is still whole. 0 when the room is there or
// the file system cannot reserve it in advance.
int reserve(int fd, std::size_t oldSize, std::size_t newSize) {
    if (newSize <= oldSize) {
        return 0;
    }
    const int err = ::posix_fallocate(fd, 0, static_cast<off_t>(newSize));
    if (err == 0 || err == EOPNOTSUPP) {
        return 0;
    }
    [[maybe_unused]] const int undone = ::ftruncate(fd, static_cast<off_t>(oldSize));
    return err;
}

// A write bit set and write access for this process; root passes any access check, so the
// bits are what tell a file the user protected.
bool writable(const std::filesystem::path& path, const struct stat& st) {
    return (st.st_mode & 0222) != 0 && ::faccessat(AT_FDCWD, path.c_str(), W_OK, AT_EACCESS) == 0;
}

} // namespace

// ---- AtomicFile -----------------------------------------------------------------------------

AtomicFile::AtomicFile(std::filesystem::path target)
    : target_(std::move(target)), name_(target_.string()) {}

AtomicFile::AtomicFile(OpenDescriptor output)
    : name_(std::move(output.name)), mode_(Mode::Descriptor), fd_(output.fd) {
    if (fd_ < 0) {
        fail("cannot write " + name_, EBADF);
    }
}

AtomicFile::~AtomicFile() {
    cancel();
}

void AtomicFile::fail(const std::string& what, int err) {
    if (status_) {
        status_ = FileResult::failure(what + ": " + std::strerror(err));
    }
}

FileResult AtomicFile::open() {
    if (mode_ != Mode::Closed || !status_) {
        return status_;
    }
    if (target_.empty()) {
        fail("cannot write an unnamed file", ENOENT);
        return status_;
    }
    struct stat st {};
    const bool exists = ::stat(target_.c_str(), &st) == 0;
    if (!exists && errno != ENOENT) {
        fail("cannot open " + name_, errno);
        return status_;
    }
    if (exists && S_ISDIR(st.st_mode)) {
        fail("cannot write " + name_, EISDIR);
        return status_;
    }
    if (exists && !writable(target_, st)) {
        fail("cannot replace " + name_ + ", which is read-only", EACCES);
        return status_;
    }
    if (exists && !S_ISREG(st.st_mode)) {
        // A FIFO or a device takes the bytes itself; a file put in its place would break it.
        fd_ = ::open(target_.c_str(), O_WRONLY | O_CLOEXEC | O_NOCTTY);
        if (fd_ < 0) {
            fail("cannot open " + name_, errno);
        } else {
            mode_ = Mode::Direct;
        }
        return status_;
    }
    int err = 0;
    std::filesystem::path finalPath = followLinks(target_, err);
    if (err != 0) {
        fail("cannot open " + name_, err);
        return status_;
    }
    if (!finalPath.has_filename()) {
        fail("cannot write " + name_, EISDIR);
        return status_;
    }
    struct stat real {};
    if (exists && (::lstat(finalPath.c_str(), &real) != 0 || real.st_dev != st.st_dev ||
                   real.st_ino != st.st_ino)) {
        // The links do not lead to a name of this file (a descriptor link of /proc, say).
        finalPath.clear();
    }
    err = finalPath.empty() ? EXDEV : openTemporary(finalPath, exists ? &st : nullptr);
    if (err == 0) {
        mode_ = Mode::Replace;
        return status_;
    }
    if (!exists) {
        const std::filesystem::path folder = finalPath.parent_path();
        fail("cannot create a file in " + (folder.empty() ? std::string(".") : folder.string()),
             err);
        return status_;
    }
    // No file can be made beside it (a folder one may not write): overwrite it in place, which
    // needs the old bytes too so that they can be put back.
    fd_ = ::open((finalPath.empty() ? target_ : finalPath).c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY);
    if (fd_ < 0) {
        fail("cannot open " + name_, errno);
    } else {
        mode_ = Mode::InPlace;
    }
    return status_;
}

int AtomicFile::openTemporary(const std::filesystem::path& finalPath, const struct stat* old) {
    std::filesystem::path folder = finalPath.parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    folderFd_ = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd_ < 0) {
        // A folder one may search but not list: enough to make files in, not to flush it.
        folderFd_ = ::open(folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC);
    }
    if (folderFd_ < 0) {
        return errno;
    }
    finalName_ = finalPath.filename().string();
    int err = EEXIST;
    for (int attempt = 0; attempt < 100 && err == EEXIST; ++attempt) {
        const std::string name = temporaryName(finalName_);
        const TerminationSignalsHeld held;
        // 0666: the kernel applies the umask (and a default ACL) as for any new file.
        fd_ = ::openat(folderFd_, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY,
                       0666);
        if (fd_ >= 0) {
            temporaryName_ = name;
            pendingSlot_ = registerPending(folderFd_, name);
            err = 0;
        } else {
            err = errno;
        }
    }
    if (err != 0) {
        ::close(folderFd_);
        folderFd_ = -1;
        return err;
    }
    if (old != nullptr) {
        // Ownership first: a change of owner clears the set-id bits, which are dropped anyway.
        if (::geteuid() == 0) {
            [[maybe_unused]] const int owned = ::fchown(fd_, old->st_uid, old->st_gid);
        }
        ::fchmod(fd_, old->st_mode & 0777);
    }
    return 0;
}

bool AtomicFile::write(std::span<const std::uint8_t> bytes) {
    if (!status_ || fd_ < 0) {
        return false;
    }
    if (mode_ == Mode::InPlace) {
        inPlaceBytes_.insert(inPlaceBytes_.end(), bytes.begin(), bytes.end());
        return true;
    }
    const int err = writeAll(fd_, bytes.data(), bytes.size());
    if (err != 0) {
        fail("cannot write " + name_, err);
        return false;
    }
    return true;
}

FileResult AtomicFile::commit() {
    switch (mode_) {
    case Mode::Closed:
        fail("cannot write " + name_, EBADF);
        return status_;
    case Mode::Descriptor:
        fd_ = -1;
        break;
    case Mode::Direct:
        if (::close(fd_) != 0) {
            fail("cannot write " + name_, errno);
        }
        fd_ = -1;
        break;
    case Mode::InPlace:
        commitInPlace();
        break;
    case Mode::Replace: {
        if (status_ && ::fsync(fd_) != 0) {
            fail("cannot write " + name_, errno);
        }
        if (::close(fd_) != 0) {
            fail("cannot write " + name_, errno);
        }
        fd_ = -1;
        bool renamed = false;
        if (status_) {
            const TerminationSignalsHeld held;
            renamed =
                ::renameat(folderFd_, temporaryName_.c_str(), folderFd_, finalName_.c_str()) == 0;
            if (!renamed) {
                fail("cannot replace " + name_, errno);
            }
        }
        if (renamed) {
            // Makes the rename itself durable; the new content is in place either way.
            ::fsync(folderFd_);
        }
        releaseTemporary(!renamed);
        break;
    }
    }
    mode_ = Mode::Closed;
    return status_;
}

void AtomicFile::commitInPlace() {
    const TerminationSignalsHeld held;
    std::vector<std::uint8_t> old;
    int err = readWhole(fd_, old);
    if (err == 0) {
        err = reserve(fd_, old.size(), inPlaceBytes_.size());
    }
    if (err == 0) {
        err = pwriteAll(fd_, inPlaceBytes_);
        if (err == 0 && ::ftruncate(fd_, static_cast<off_t>(inPlaceBytes_.size())) != 0) {
            err = errno;
        }
        if (err == 0 && ::fsync(fd_) != 0) {
            err = errno;
        }
        if (err != 0) {
            const bool restored = pwriteAll(fd_, old) == 0 &&
                                  ::ftruncate(fd_, static_cast<off_t>(old.size())) == 0 &&
                                  ::fsync(fd_) == 0;
            if (!restored) {
                fail("cannot write " + name_ +
                         " in place, and its old content could not be "
                         "put back",
                     err);
            }
        }
    }
    if (err != 0) {
        fail("cannot write " + name_, err);
    }
    if (::close(fd_) != 0) {
        fail("cannot write " + name_, errno);
    }
    fd_ = -1;
    inPlaceBytes_ = {};
}

void AtomicFile::releaseTemporary(bool remove) {
    if (remove && !temporaryName_.empty()) {
        ::unlinkat(folderFd_, temporaryName_.c_str(), 0);
    }
    unregisterPending(pendingSlot_);
    pendingSlot_ = -1;
    temporaryName_.clear();
    if (folderFd_ >= 0) {
        ::close(folderFd_);
        folderFd_ = -1;
    }
}

void AtomicFile::cancel() {
    if (mode_ != Mode::Descriptor && fd_ >= 0) {
        ::close(fd_);
    }
    fd_ = -1;
    if (mode_ == Mode::Replace) {
        releaseTemporary(true);
    }
    inPlaceBytes_ = {};
    mode_ = Mode::Closed;
}

FileResult writeFileAtomically(const std::filesystem::path& target,
                               std::span<const std::uint8_t> bytes) {
    AtomicFile file(target);
    if (file.open()) {
        file.write(bytes);
    }
    return file.commit();
}

bool canReplace(const std::filesystem::path& path) {
    struct stat st {};
    if (::stat(path.c_str(), &st) != 0) {
        return errno == ENOENT;
    }
    return !S_ISDIR(st.st_mode) && writable(path, st);
}

void removePendingTemporaryFiles() noexcept {
    for (PendingTemporary& pending : gPending) {
        if (pending.state.load(std::memory_order_acquire) == 2) {
            ::unlinkat(pending.folderFd, pending.name, 0);
        }
    }
}

} // namespace spectrane
