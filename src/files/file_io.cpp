#include "files/file_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>

namespace varel {

namespace {

DataFileResult Failure(DataFileError error, int err) {
    return SystemFailure(error, err);
}

DataFileResult WriteFailure(int err) {
    return SystemFailure(DataFileError::CannotWrite, err);
}

bool IsPipe(const struct stat& st) {
    return S_ISFIFO(st.st_mode) || S_ISSOCK(st.st_mode);
}

// Opens a file for reading. Nothing waits but a named pipe when the caller asked to wait for
// its writer.
int OpenForReading(const std::string& path, PipeOpen pipe) {
    struct stat st {};
    const bool wait =
        pipe == PipeOpen::WaitForWriter && ::stat(path.c_str(), &st) == 0 && S_ISFIFO(st.st_mode);
    int fd = -1;
    do {
        fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | (wait ? 0 : O_NONBLOCK));
    } while (fd < 0 && errno == EINTR);
    return fd;
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

// A device or pipe cannot be replaced by renaming; its bytes go straight to it. The open does
// not wait: a pipe that nobody reads fails at once instead of hanging.
DataFileResult WriteInPlace(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (errno == ENXIO)
            return DataFileResult::Failure(DataFileError::CannotOpen, FileReason::NoPipeReader);
        return Failure(DataFileError::CannotOpen, errno);
    }
    // Once open, writes may wait for a slow reader.
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    const int err = WriteAll(fd, bytes);
    if (::close(fd) != 0 && err == 0) return WriteFailure(errno);
    return err == 0 ? DataFileResult{} : WriteFailure(err);
}

std::string FolderOf(const std::string& path) {
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos) return ".";
    return slash == 0 ? "/" : path.substr(0, slash);
}

// The file a save lands in: symbolic links are followed to their end, also when that end does
// not exist yet, so that the links stay and the file they name is created or replaced. False
// for a chain of links that does not end.
bool ResolveTarget(const std::string& path, std::string& target) {
    target = path;
    for (int hops = 0; hops < 40; ++hops) {
        struct stat st {};
        if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
        std::vector<char> text(static_cast<std::size_t>(st.st_size > 0 ? st.st_size : 255) + 1);
        const ssize_t n = ::readlink(target.c_str(), text.data(), text.size());
        if (n <= 0 || static_cast<std::size_t>(n) >= text.size()) return true;
        const std::string link(text.data(), static_cast<std::size_t>(n));
        target = link[0] == '/' ? link : FolderOf(target) + "/" + link;
    }
    return false;
}

// Where a save goes and what is there now.
struct SaveTarget {
    std::string path;     // the resolved target
    bool exists = false;  // a file is there
    struct stat st {};    // its status, when it exists
};

// The checks a save passes before it writes anything: the file there may be replaced (the
// user may write it) and the folder takes the temporary file of the atomic replacement.
DataFileResult InspectTarget(const std::string& path, SaveTarget& target) {
    if (path.empty()) return Failure(DataFileError::CannotOpen, ENOENT);
    if (!ResolveTarget(path, target.path)) return Failure(DataFileError::CannotOpen, ELOOP);
    target.exists = ::stat(target.path.c_str(), &target.st) == 0;
    if (!target.exists && errno != ENOENT) return Failure(DataFileError::CannotOpen, errno);
    if (target.exists) {
        if (S_ISDIR(target.st.st_mode)) return Failure(DataFileError::CannotOpen, EISDIR);
        if (::access(target.path.c_str(), W_OK) != 0)
            return Failure(DataFileError::CannotOpen, errno);
        if (!S_ISREG(target.st.st_mode)) return {};  // written in place
    }
    const std::string folder = FolderOf(target.path);
    struct stat dir {};
    if (::stat(folder.c_str(), &dir) != 0) return Failure(DataFileError::CannotOpen, errno);
    if (!S_ISDIR(dir.st_mode)) return Failure(DataFileError::CannotOpen, ENOTDIR);
    if (::access(folder.c_str(), W_OK | X_OK) != 0)
        return Failure(DataFileError::CannotOpen, errno);
    // In a sticky folder (like /tmp) only the owners of the file or folder may replace it.
    const uid_t me = ::geteuid();
    if (target.exists && (dir.st_mode & S_ISVTX) && me != 0 && target.st.st_uid != me &&
        dir.st_uid != me)
        return Failure(DataFileError::CannotOpen, EPERM);
    return {};
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
    const int fd = ::open(FolderOf(target).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
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
    // Keep the owner and permissions of the file being replaced as far as the system lets
    // this user (only root may give a file away; the group may be one of the user's). A new
    // file gets the umask's permissions. The mode comes last: a change of owner clears it.
    if (existing != nullptr) {
        if (::fchown(fd, existing->st_uid, existing->st_gid) != 0)
            (void)!::fchown(fd, static_cast<uid_t>(-1), existing->st_gid);
        ::fchmod(fd, existing->st_mode & 07777);
    }

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

DataFileResult SystemFailure(DataFileError error, int systemError) {
    const bool full = systemError == ENOSPC
#ifdef EDQUOT
                      || systemError == EDQUOT
#endif
        ;
    return DataFileResult::Failure(full ? DataFileError::DiskFull : error, systemError);
}

DataFileResult ReadFilePrefix(const std::string& path, std::size_t maxBytes,
                              std::vector<std::uint8_t>& bytes, PipeOpen pipe) {
    const int fd = OpenForReading(path, pipe);
    if (fd < 0) return Failure(DataFileError::CannotOpen, errno);
    // A pipe opened without waiting still has O_NONBLOCK for its first read, which tells a
    // pipe without a writer (end of file at once) from one whose writer has not written yet
    // (EAGAIN); from then on it is read as it comes, however slow its writer. A device stays
    // non-blocking, so that one chosen by mistake cannot stall.
    struct stat st {};
    const bool isPipe = ::fstat(fd, &st) == 0 && IsPipe(st);
    bool blocking = !(::fcntl(fd, F_GETFL) & O_NONBLOCK);
    constexpr std::size_t kChunk = 64 * 1024;  // grown as the file turns out longer
    bytes.clear();
    std::size_t got = 0;
    while (got < maxBytes) {
        if (got == bytes.size()) bytes.resize(std::min(maxBytes, got + kChunk));
        const ssize_t n = ::read(fd, bytes.data() + got, bytes.size() - got);
        if (isPipe && !blocking && (n > 0 || (n < 0 && errno == EAGAIN))) {
            ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
            blocking = true;
        }
        if (n < 0) {
            if (errno == EINTR || (isPipe && errno == EAGAIN)) continue;
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
    // Nothing at all from a pipe is nothing to judge the file by.
    if (isPipe && got == 0 && maxBytes > 0)
        return DataFileResult::Failure(DataFileError::CannotRead, FileReason::NoPipeWriter);
    return {};
}

DataFileResult CheckReplaceTarget(const std::string& path) {
    SaveTarget target;
    return InspectTarget(path, target);
}

DataFileResult ReplaceFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    SaveTarget target;
    const DataFileResult checked = InspectTarget(path, target);
    if (!checked.ok()) return checked;
    if (target.exists && !S_ISREG(target.st.st_mode)) return WriteInPlace(target.path, bytes);
    return ReplaceAtomically(target.path, bytes, target.exists ? &target.st : nullptr);
}

}  // namespace varel
