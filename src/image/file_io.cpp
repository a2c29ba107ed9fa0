#include "file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <system_error>

namespace varel {

namespace {

DataFileResult Failure(DataFileError error, int err) {
    return {error, std::error_code(err, std::generic_category()).message()};
}

DataFileResult WriteFailure(int err) {
    const bool full = err == ENOSPC
#ifdef EDQUOT
                      || err == EDQUOT
#endif
        ;
    return Failure(full ? DataFileError::DiskFull : DataFileError::CannotWrite, err);
}

// Writes every byte, resuming after partial writes and interruptions; 0 or the errno.
int WriteAll(int fd, const std::vector<std::uint8_t>& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0) {
            if (errno == EINTR) continue;
            return errno;
        }
        if (n == 0) return EIO;
        done += static_cast<std::size_t>(n);
    }
    return 0;
}

// A device or pipe cannot be replaced by renaming; its bytes go straight to it.
DataFileResult WriteInPlace(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd < 0) return Failure(DataFileError::CannotOpen, errno);
    const int err = WriteAll(fd, bytes);
    if (::close(fd) != 0 && err == 0) return WriteFailure(errno);
    return err == 0 ? DataFileResult{} : WriteFailure(err);
}

// The file a save lands in: a symbolic link is followed, so that the link stays in place.
std::string ResolveTarget(const std::string& path) {
    struct stat st {};
    if (::lstat(path.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return path;
    char* real = ::realpath(path.c_str(), nullptr);
    if (real == nullptr) return path;  // a dangling link is replaced like a file
    std::string resolved(real);
    std::free(real);
    return resolved;
}

// A name in the target's own folder, so that the final rename stays on one file system.
std::string TemporaryName(const std::string& target, unsigned attempt) {
    static std::atomic<unsigned> counter{0};
    const std::size_t slash = target.rfind('/');
    const std::string folder = slash == std::string::npos ? "" : target.substr(0, slash + 1);
    std::string base = slash == std::string::npos ? target : target.substr(slash + 1);
    if (base.size() > 200) base.resize(200);  // leave room for the suffix within NAME_MAX
    return folder + "." + base + ".tmp-" + std::to_string(::getpid()) + "-" +
           std::to_string(counter.fetch_add(1)) + "-" + std::to_string(attempt);
}

void SyncFolderOf(const std::string& target) {
    const std::size_t slash = target.rfind('/');
    const std::string folder =
        slash == std::string::npos ? "." : (slash == 0 ? "/" : target.substr(0, slash));
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return;
    ::fsync(fd);  // best effort: the rename has already replaced the file
    ::close(fd);
}

DataFileResult ReplaceAtomically(const std::string& target, const std::vector<std::uint8_t>& bytes,
                                 const struct stat* existing) {
    std::string temp;
    int fd = -1;
    for (unsigned attempt = 0; fd < 0 && attempt < 100; ++attempt) {
        temp = TemporaryName(target, attempt);
        fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST) return Failure(DataFileError::CannotOpen, errno);
    }
    if (fd < 0) return Failure(DataFileError::CannotOpen, EEXIST);
    // Keep the permissions of the file being replaced; a new file gets the umask's.
    if (existing != nullptr) ::fchmod(fd, existing->st_mode & 07777);

    int err = WriteAll(fd, bytes);
    if (err == 0 && ::fsync(fd) != 0) err = errno;
    if (::close(fd) != 0 && err == 0) err = errno;
    if (err == 0 && ::rename(temp.c_str(), target.c_str()) != 0) err = errno;
    if (err != 0) {
        ::unlink(temp.c_str());
        return WriteFailure(err);
    }
    SyncFolderOf(target);
    return {};
}

}  // namespace

DataFileResult ReadFilePrefix(const std::string& path, std::size_t maxBytes,
                              std::vector<std::uint8_t>& bytes) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    if (fd < 0) return Failure(DataFileError::CannotOpen, errno);
    constexpr std::size_t kChunk = 64 * 1024;  // grown as the file turns out longer
    bytes.clear();
    std::size_t got = 0;
    while (got < maxBytes) {
        if (got == bytes.size()) bytes.resize(std::min(maxBytes, got + kChunk));
        const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (n < 0) {
            if (errno == EINTR) continue;
            const int err = errno;
            ::close(fd);
            bytes.clear();
            return Failure(DataFileError::CannotRead, err);
        }
        if (n == 0) break;
        got += static_cast<std::size_t>(n);
    }
    ::close(fd);
    bytes.resize(got);
    return {};
}

DataFileResult ReplaceFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const std::string target = ResolveTarget(path);
    struct stat st {};
    if (::stat(target.c_str(), &st) == 0) {
        if (S_ISDIR(st.st_mode)) return Failure(DataFileError::CannotOpen, EISDIR);
        if (!S_ISREG(st.st_mode)) return WriteInPlace(target, bytes);
        return ReplaceAtomically(target, bytes, &st);
    }
    return ReplaceAtomically(target, bytes, nullptr);
}

}  // namespace varel
