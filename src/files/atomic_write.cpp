#include "files/atomic_write.h"

#include "files/descriptor_io.h"
#include "files/in_place_backup.h"
#include "files/termination_signals.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <signal.h>
#include <sys/random.h>
#include <sys/stat.h>
#include <sys/xattr.h>
#include <unistd.h>

namespace spectrane {

namespace {

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

// Writes `bytes` at `offset`; `done` counts the bytes that reached the file.
int pwriteAll(int fd, const std::uint8_t* bytes, std::size_t size, off_t offset,
              std::size_t& done) {
    done = 0;
    while (done < size) {
        const ssize_t n =
            ::pwrite(fd, bytes + done, size - done, offset + static_cast<off_t>(done));
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

// Puts `old` back as the whole content of `fd`, rewriting only the stretches that differ from
// it: a stretch that never changed needs no write, which a file-size limit below the old size
// would refuse. 0 once the file holds exactly `old` again (read back), else an errno.
int restoreContent(int fd, const std::vector<std::uint8_t>& old) {
    std::vector<std::uint8_t> now;
    int err = readWhole(fd, now);
    constexpr std::size_t kStretch = 1 << 16;
    for (std::size_t at = 0; err == 0 && at < old.size(); at += kStretch) {
        const std::size_t n = std::min(kStretch, old.size() - at);
        std::size_t first = 0;
        while (first < n && at + first < now.size() && old[at + first] == now[at + first]) {
            ++first;
        }
        std::size_t last = n;
        while (last > first && at + last <= now.size() &&
               old[at + last - 1] == now[at + last - 1]) {
            --last;
        }
        if (first < last) {
            std::size_t done = 0;
            err = pwriteAll(fd, old.data() + at + first, last - first,
                            static_cast<off_t>(at + first), done);
        }
    }
    if (err == 0 && now.size() != old.size() &&
        ::ftruncate(fd, static_cast<off_t>(old.size())) != 0) {
        err = errno;
    }
    if (err == 0 && ::fsync(fd) != 0) {
        err = errno;
    }
    if (err == 0 && (err = readWhole(fd, now)) == 0 && now != old) {
        err = EIO;
    }
    return err;
}

// The process's umask, read without changing it (changing it would race with other threads
// creating files).
mode_t currentUmask() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.rfind("Umask:", 0) == 0) {
            return static_cast<mode_t>(std::stoul(line.substr(6), nullptr, 8)) & 0777;
        }
    }
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

// The permissions a new file made with 0666 in `folder` would get: those of the folder's default
// ACL if it has one (which replaces the umask), else 0666 less the umask.
mode_t newFileMode(const std::filesystem::path& folder) {
    // The stored form: a 4-byte version, then 8-byte entries of tag, permissions and id.
    unsigned char acl[4 + 8 * 64];
    const ssize_t size = ::getxattr(folder.c_str(), "system.posix_acl_default", acl, sizeof acl);
    if (size < 4) {
        return 0666 & ~currentUmask();
    }
    mode_t owner = 0;
    mode_t group = 0;
    mode_t other = 0;
    bool masked = false;
    for (ssize_t at = 4; at + 8 <= size; at += 8) {
        const unsigned tag = acl[at] | (acl[at + 1] << 8);
        const mode_t perm = (acl[at + 2] | (acl[at + 3] << 8)) & 7;
        if (tag == 0x01) {
            owner = perm;
        } else if (tag == 0x04 && !masked) {
            group = perm;
        } else if (tag == 0x10) {
            group = perm;
            masked = true;
        } else if (tag == 0x20) {
            other = perm;
        }
    }
    return ((owner << 6) | (group << 3) | other) & 0666;
}

SaveStepHook gSaveStepHook = nullptr;

// 0, or the failure a test makes this step have.
int atSaveStep(SaveStep step, const std::filesystem::path& file) {
    return gSaveStepHook != nullptr ? gSaveStepHook(step, file) : 0;
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
        status_ = FileResult::systemFailure(what, name_, std::strerror(err));
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
    inPlacePath_ = finalPath.empty() ? target_ : finalPath;
    fd_ = ::open(inPlacePath_.c_str(), O_RDWR | O_CLOEXEC | O_NOCTTY);
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
    // The final mode is set only once every byte is written: until then no one else may read
    // what may be a private document.
    finalMode_ = old != nullptr ? (old->st_mode & 0777) : newFileMode(folder);
    int err = EEXIST;
    for (int attempt = 0; attempt < 100 && err == EEXIST; ++attempt) {
        const std::string name = temporaryName(finalName_);
        const TerminationSignalsHeld held;
        fd_ = ::openat(folderFd_, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY,
                       0600);
        if (fd_ >= 0) {
            temporaryName_ = name;
            pendingSlot_ = registerPendingTemporary(folderFd_, name);
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
    if (old != nullptr && ::geteuid() == 0) {
        [[maybe_unused]] const int owned = ::fchown(fd_, old->st_uid, old->st_gid);
    }
    temporaryFolder_ = folder;
    if (const int hooked = atSaveStep(SaveStep::TemporaryCreated, folder / temporaryName_)) {
        fail("cannot write " + name_, hooked);
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
        if (status_ && ::fchmod(fd_, finalMode_) != 0) {
            fail("cannot write " + name_, errno);
        }
        if (status_ && ::fsync(fd_) != 0) {
            fail("cannot write " + name_, errno);
        }
        if (status_) {
            if (const int hooked =
                    atSaveStep(SaveStep::TemporaryWritten, temporaryFolder_ / temporaryName_)) {
                fail("cannot write " + name_, hooked);
            }
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
    if (err != 0) {
        fail("cannot read " + name_, err);
    }
    // The old bytes go where a crash cannot lose them before the first one is overwritten; the
    // copy is offered back at the next start if the write never became whole. Without room for
    // the copy the save still goes ahead, as it always could: a failure is then undone from
    // memory, and only a crash halfway can leave the file torn.
    InPlaceBackup backup;
    if (status_) {
        int copyErr = 0;
        backup = keepInPlaceBackup(inPlacePath_, old, copyErr);
        if (copyErr != 0) {
            backup = {};
        }
    }
    if (status_) {
        err = reserve(fd_, old.size(), inPlaceBytes_.size());
    }
    if (status_ && err == 0) {
        std::size_t done = 0;
        err = pwriteAll(fd_, inPlaceBytes_.data(), inPlaceBytes_.size(), 0, done);
        if (err == 0) {
            err = atSaveStep(SaveStep::InPlaceWritten, inPlacePath_);
        }
        if (err == 0 && ::ftruncate(fd_, static_cast<off_t>(inPlaceBytes_.size())) != 0) {
            err = errno;
        }
        if (err == 0 && ::fsync(fd_) != 0) {
            err = errno;
        }
        if (err != 0) {
            int lost = atSaveStep(SaveStep::RollingBack, inPlacePath_);
            if (lost == 0) {
                lost = restoreContent(fd_, old);
            }
            const std::string reason = std::strerror(err);
            if (lost == 0) {
                status_ = FileResult::systemFailure("cannot write " + name_ + " in place", name_,
                                                    reason + "; the old content was put back");
            } else {
                status_ = FileResult::systemFailure(
                    "cannot write " + name_ + " in place", name_,
                    reason + "; the old content could not be put back (" + std::strerror(lost) +
                        (backup.file.empty() ? std::string(")")
                                             : ") and is kept in " + backup.file.string()));
                backup = {}; // kept for the next start
            }
        }
    }
    if (status_ && err != 0) {
        fail("cannot write " + name_, err);
    }
    if (::close(fd_) != 0) {
        fail("cannot write " + name_, errno);
    }
    fd_ = -1;
    inPlaceBytes_ = {};
    if (!backup.file.empty()) {
        discardInPlaceBackup(backup);
    }
}

void AtomicFile::releaseTemporary(bool remove) {
    if (remove && !temporaryName_.empty()) {
        ::unlinkat(folderFd_, temporaryName_.c_str(), 0);
    }
    unregisterPendingTemporary(pendingSlot_);
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

void setSaveStepHook(SaveStepHook hook) {
    gSaveStepHook = hook;
}

} // namespace spectrane
