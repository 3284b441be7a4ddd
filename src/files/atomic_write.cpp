#include "files/atomic_write.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace spectrane {

AtomicFile::AtomicFile(std::filesystem::path target) : target_(std::move(target)) {}

AtomicFile::~AtomicFile() {
    cancel();
}

void AtomicFile::fail(const std::string& what, int err) {
    if (status_) {
        status_ = FileResult::failure(what + ": " + std::strerror(err));
    }
}

FileResult AtomicFile::open() {
    std::filesystem::path folder = target_.parent_path();
    if (folder.empty()) {
        folder = ".";
    }
    std::string tmpl = (folder / ("." + target_.filename().string() + ".XXXXXX")).string();
    fd_ = ::mkstemp(tmpl.data());
    if (fd_ < 0) {
        fail("cannot create a file in " + folder.string(), errno);
        return status_;
    }
    temporary_ = tmpl;
    // Keep the permissions of the file being replaced; a new file gets the usual 0644.
    struct stat old {};
    const mode_t mode = ::stat(target_.c_str(), &old) == 0 ? (old.st_mode & 07777) : 0644;
    ::fchmod(fd_, mode);
    return status_;
}

bool AtomicFile::write(std::span<const std::uint8_t> bytes) {
    if (!status_ || fd_ < 0) {
        return false;
    }
    const std::uint8_t* p = bytes.data();
    std::size_t left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd_, p, left);
        if (n < 0 && errno == EINTR) {
            continue;
        }
        if (n <= 0) {
            fail("cannot write " + target_.string(), n < 0 ? errno : EIO);
            return false;
        }
        p += n;
        left -= static_cast<std::size_t>(n);
    }
    return true;
}

FileResult AtomicFile::commit() {
    if (fd_ < 0) {
        if (status_) {
            fail("cannot write " + target_.string(), EBADF);
        }
        return status_;
    }
    if (status_ && ::fsync(fd_) != 0) {
        fail("cannot write " + target_.string(), errno);
    }
    if (::close(fd_) != 0) {
        fail("cannot write " + target_.string(), errno);
    }
    fd_ = -1;
    if (status_ && std::rename(temporary_.c_str(), target_.c_str()) != 0) {
        fail("cannot replace " + target_.string(), errno);
    }
    if (!status_) {
        ::unlink(temporary_.c_str());
    }
    temporary_.clear();
    return status_;
}

void AtomicFile::cancel() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
}

FileResult writeFileAtomically(const std::filesystem::path& target,
                               std::span<const std::uint8_t> bytes) {
    AtomicFile file(target);
    if (!file.open()) {
        return file.commit();
    }
    file.write(bytes);
    return file.commit();
}

} // namespace spectrane
