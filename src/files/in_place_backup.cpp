#include "files/in_place_backup.h"

#include "files/atomic_write.h"
#include "files/descriptor_io.h"
#include "files/program_folders.h"

#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace spectrane {

namespace {

constexpr std::string_view kMagic = "spectrane in-place backup\n";
constexpr std::string_view kPrefix = "inplace-";
constexpr std::string_view kSuffix = ".backup";

// The header before the old bytes: the magic line, "PATHLENGTH SIZE\n", the name.
std::string header(const std::string& target, std::size_t size) {
    return std::string(kMagic) + std::to_string(target.size()) + " " + std::to_string(size) + "\n" +
           target;
}

// The copy's bytes and its file, or false when it is not a whole copy.
bool readBackup(const std::filesystem::path& file, std::filesystem::path& target,
                std::vector<std::uint8_t>* bytes) {
    std::ifstream in(file, std::ios::binary);
    std::string magic(kMagic.size(), '\0');
    std::size_t nameLength = 0;
    std::size_t size = 0;
    if (!in.read(magic.data(), static_cast<std::streamsize>(magic.size())) || magic != kMagic ||
        !(in >> nameLength >> size) || in.get() != '\n' || nameLength == 0 || nameLength > 4096) {
        return false;
    }
    std::string name(nameLength, '\0');
    if (!in.read(name.data(), static_cast<std::streamsize>(nameLength))) {
        return false;
    }
    std::error_code ec;
    if (std::filesystem::file_size(file, ec) !=
        header(name, size).size() + static_cast<std::uintmax_t>(size)) {
        return false;
    }
    target = name;
    if (bytes != nullptr) {
        bytes->resize(size);
        in.read(reinterpret_cast<char*>(bytes->data()), static_cast<std::streamsize>(size));
        return static_cast<bool>(in);
    }
    return true;
}

// The process that made a copy, from its name "inplace-PID-N.backup"; 0 if not such a name.
pid_t makerOf(const std::string& name) {
    if (name.rfind(kPrefix, 0) != 0 || name.size() <= kSuffix.size() ||
        name.compare(name.size() - kSuffix.size(), kSuffix.size(), kSuffix) != 0) {
        return 0;
    }
    return static_cast<pid_t>(std::atol(name.c_str() + kPrefix.size()));
}

} // namespace

std::filesystem::path inPlaceBackupFolder() {
    const char* cache = std::getenv("XDG_CACHE_HOME");
    if (cache != nullptr && cache[0] == '/') {
        return std::filesystem::path(cache) / "spectrane";
    }
    const char* home = std::getenv("HOME");
    const std::filesystem::path folder = homeFolder(home != nullptr ? home : "");
    return folder.empty() ? folder : folder / ".cache" / "spectrane";
}

InPlaceBackup keepInPlaceBackup(const std::filesystem::path& target,
                                const std::vector<std::uint8_t>& old, int& err) {
    const std::filesystem::path folder = inPlaceBackupFolder();
    err = ENOENT;
    if (folder.empty()) {
        return {};
    }
    std::error_code ec;
    if (std::filesystem::create_directories(folder, ec)) {
        ::chmod(folder.c_str(), 0700);
    }
    const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (folderFd < 0) {
        err = errno;
        return {};
    }
    static std::atomic<unsigned> counter{0};
    const std::filesystem::path absolute = std::filesystem::absolute(target, ec);
    InPlaceBackup backup{{}, ec ? target : absolute};
    int fd = -1;
    std::string name;
    do {
        name = std::string(kPrefix) + std::to_string(::getpid()) + "-" + std::to_string(counter++) +
               std::string(kSuffix);
        fd = ::openat(folderFd, name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    } while (fd < 0 && errno == EEXIST);
    err = fd < 0 ? errno : 0;
    if (err == 0) {
        const std::string head = header(backup.target.string(), old.size());
        err = writeAll(fd, head.data(), head.size());
        if (err == 0) {
            err = writeAll(fd, old.data(), old.size());
        }
        if (err == 0 && ::fsync(fd) != 0) {
            err = errno;
        }
        if (::close(fd) != 0 && err == 0) {
            err = errno;
        }
        if (err == 0 && ::fsync(folderFd) != 0) {
            err = errno;
        }
        if (err != 0) {
            ::unlinkat(folderFd, name.c_str(), 0);
        }
    }
    ::close(folderFd);
    if (err != 0) {
        return {};
    }
    backup.file = folder / name;
    return backup;
}

void discardInPlaceBackup(const InPlaceBackup& backup) {
    std::error_code ec;
    std::filesystem::remove(backup.file, ec);
}

std::vector<InPlaceBackup> findInPlaceBackups(const std::filesystem::path& folder) {
    std::vector<InPlaceBackup> found;
    std::error_code ec;
    for (const auto& entry : std::filesystem::directory_iterator(folder, ec)) {
        const pid_t maker = makerOf(entry.path().filename().string());
        if (maker <= 0 || !entry.is_regular_file(ec)) {
            continue;
        }
        // Another running instance may be writing in place right now; this one is not.
        if (maker != ::getpid() && (::kill(maker, 0) == 0 || errno == EPERM)) {
            continue;
        }
        InPlaceBackup backup{entry.path(), {}};
        if (readBackup(backup.file, backup.target, nullptr)) {
            found.push_back(backup);
        } else {
            discardInPlaceBackup(backup);
        }
    }
    return found;
}

FileResult restoreInPlaceBackup(const InPlaceBackup& backup) {
    std::filesystem::path target;
    std::vector<std::uint8_t> bytes;
    if (!readBackup(backup.file, target, &bytes)) {
        return FileResult::systemFailure("cannot read the copy " + backup.file.string(),
                                         backup.file.string(), std::strerror(EIO));
    }
    FileResult written = writeFileAtomically(target, bytes);
    if (written) {
        discardInPlaceBackup(backup);
    }
    return written;
}

} // namespace spectrane
