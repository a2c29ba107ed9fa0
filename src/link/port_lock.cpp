#include "link/port_lock.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <ctime>
#include <vector>

namespace varel::link {

namespace {

// A lock file without a readable process id may be one being written right now; only once it
// is this old is it taken for the remains of a crash.
constexpr time_t kUnreadableLockSeconds = 10;

// The process id on the first line of a lock file; 0 when there is none.
pid_t ReadOwner(int fd) {
    char text[64];
    ssize_t n;
    while ((n = ::pread(fd, text, sizeof text - 1, 0)) < 0 && errno == EINTR) {
    }
    if (n <= 0) return 0;
    return ParseLockOwner(std::string(text, static_cast<std::size_t>(n)));
}

// A process that exists, also one of another user. A recycled process id counts as alive:
// taking a live lock for stale could let two programs drive one radio.
bool ProcessAlive(pid_t pid) {
    return ::kill(pid, 0) == 0 || errno == EPERM;
}

// True when the lock file at path is held by a running process; removes it when it is stale
// and breakStale is set.
bool LockHeld(const std::string& path, bool breakStale) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0) return false;
    bool held = true;
    struct stat st {};
    // Qt's serial port keeps an flock on its lock file while the port is open; a lock that
    // is flocked is held whatever it says. Holding the flock also keeps other Qt programs
    // from removing the file while it is judged.
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &st) == 0) {
        const pid_t owner = ReadOwner(fd);
        if (owner > 0)
            held = ProcessAlive(owner);
        else
            held = std::time(nullptr) - st.st_mtime < kUnreadableLockSeconds;
        struct stat now {};
        // Removed only if the name still refers to the file judged.
        if (!held && breakStale && ::stat(path.c_str(), &now) == 0 && now.st_ino == st.st_ino &&
            now.st_dev == st.st_dev)
            ::unlink(path.c_str());
    }
    ::close(fd);
    return held;
}

}  // namespace

const std::vector<std::string>& LockFolders() {
    // In the order Qt's serial port tries them.
    static const std::vector<std::string> folders = {
        "/var/lock", "/etc/locks", "/var/spool/locks",  "/var/spool/uucp",
        "/tmp",      "/var/tmp",   "/var/lock/lockdev", "/run/lock"};
    return folders;
}

pid_t ParseLockOwner(const std::string& content) {
    const std::string first = content.substr(0, content.find('\n'));
    const std::size_t begin = first.find_first_not_of(' ');
    if (begin == std::string::npos) return 0;
    long value = 0;
    std::size_t i = begin;
    for (; i < first.size() && first[i] >= '0' && first[i] <= '9' && value < INT_MAX / 10; ++i)
        value = value * 10 + (first[i] - '0');
    if (i == begin || first.find_first_not_of(' ', i) != std::string::npos) return 0;
    return static_cast<pid_t>(value);
}

std::string ResolveDevice(const std::string& path) {
    char* real = ::realpath(path.c_str(), nullptr);
    if (real == nullptr) return {};
    std::string resolved(real);
    std::free(real);
    return resolved;
}

std::string LockFileName(const std::string& device) {
    const std::string prefix = "/dev/";
    std::string name =
        device.compare(0, prefix.size(), prefix) == 0 ? device.substr(prefix.size()) : device;
    for (char& c : name)
        if (c == '/') c = '_';
    return "LCK.." + name;
}

std::string LockFilePath(const std::string& device) {
    const std::string resolved = ResolveDevice(device);
    const std::string name = LockFileName(resolved.empty() ? device : resolved);
    for (const std::string& folder : LockFolders()) {
        const std::string path = folder + "/" + name;
        if (::access(folder.c_str(), R_OK) == 0 &&
            (::access(path.c_str(), F_OK) == 0 || ::access(folder.c_str(), W_OK) == 0))
            return path;
    }
    return {};
}

bool IsPortLocked(const std::string& device, bool breakStale) {
    std::vector<std::string> names = {LockFileName(device)};
    const std::string resolved = ResolveDevice(device);
    if (!resolved.empty() && LockFileName(resolved) != names[0])
        names.push_back(LockFileName(resolved));
    bool locked = false;
    for (const std::string& folder : LockFolders())
        for (const auto& name : names) locked = LockHeld(folder + "/" + name, breakStale) || locked;
    return locked;
}

}  // namespace varel::link
