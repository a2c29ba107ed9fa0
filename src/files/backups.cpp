#include "files/backups.h"

#include <dirent.h>
#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <tuple>

#include "files/file_io.h"

namespace varel {

namespace {

constexpr char kSubfolder[] = "/Varel/Wavesmith/backups";
constexpr char kExtension[] = ".dat";
// Enough for any number of transfers within one second.
constexpr int kMaxSuffix = 10000;

const char* KindName(BackupKind kind) {
    return kind == BackupKind::Read ? "read" : "write";
}

bool AllDigits(const std::string& text, std::size_t from, std::size_t count) {
    if (from + count > text.size()) return false;
    return std::all_of(text.begin() + static_cast<long>(from),
                       text.begin() + static_cast<long>(from + count),
                       [](char c) { return c >= '0' && c <= '9'; });
}

// What orders a backup among the others.
struct BackupName {
    std::string stamp;  // "YYYYMMDD-HHMMSS"
    long suffix = 1;    // 1 without a suffix
};

// A backup's name: read- or write-, the stamp, optionally -N with N >= 2, ".dat".
bool ParseBackupName(const std::string& name, BackupName& parsed) {
    std::size_t at = 0;
    for (const char* kind : {"read-", "write-"}) {
        const std::string prefix = kind;
        if (name.compare(0, prefix.size(), prefix) == 0) at = prefix.size();
    }
    if (at == 0) return false;
    if (name.size() < at + 15 || !AllDigits(name, at, 8) || name[at + 8] != '-' ||
        !AllDigits(name, at + 9, 6))
        return false;
    parsed.stamp = name.substr(at, 15);
    at += 15;
    const std::string ext = kExtension;
    if (name.size() < at + ext.size() || name.compare(name.size() - ext.size(), ext.size(), ext))
        return false;
    const std::string rest = name.substr(at, name.size() - ext.size() - at);
    parsed.suffix = 1;
    if (rest.empty()) return true;
    if (rest.size() < 2 || rest.size() > 6 || rest[0] != '-' || rest[1] == '0' ||
        !AllDigits(rest, 1, rest.size() - 1))
        return false;
    parsed.suffix = std::atol(rest.c_str() + 1);
    return parsed.suffix >= 2;
}

// Creates the folder and every missing parent; 0 or the errno value.
int MakeFolders(const std::string& folder) {
    for (std::size_t slash = folder.find('/', 1);; slash = folder.find('/', slash + 1)) {
        const std::string part = folder.substr(0, slash);
        if (!part.empty() && part.back() != '/' && ::mkdir(part.c_str(), 0700) != 0 &&
            errno != EEXIST)
            return errno;
        if (slash == std::string::npos) break;
    }
    struct stat st {};
    if (::stat(folder.c_str(), &st) != 0) return errno;
    return S_ISDIR(st.st_mode) ? 0 : ENOTDIR;
}

std::string Stamp(std::time_t when) {
    std::tm local{};
    if (::localtime_r(&when, &local) == nullptr) return "00000000-000000";
    char text[32];
    if (std::strftime(text, sizeof text, "%Y%m%d-%H%M%S", &local) != 15) return "00000000-000000";
    return text;
}

// Claims a free name in the folder by creating it empty; the path, or empty with err set.
std::string ClaimName(const std::string& folder, const std::string& base, int& err) {
    for (int n = 1; n <= kMaxSuffix; ++n) {
        const std::string path =
            folder + "/" + base + (n > 1 ? "-" + std::to_string(n) : std::string()) + kExtension;
        const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0) {
            ::close(fd);
            return path;
        }
        if (errno != EEXIST) {
            err = errno;
            return {};
        }
    }
    err = EEXIST;
    return {};
}

void Prune(const std::string& folder, const std::string& kept, std::size_t keep) {
    std::size_t left = keep > 0 ? keep - 1 : 0;  // the new backup is always kept
    for (const std::string& path : ListBackups(folder)) {
        if (path == kept) continue;
        if (left > 0)
            --left;
        else
            ::unlink(path.c_str());  // best effort: the backup itself was saved
    }
}

}  // namespace

std::string BackupFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data != nullptr && data[0] == '/') return data + std::string(kSubfolder);
    std::string home;
    if (const char* env = std::getenv("HOME"); env != nullptr && env[0] != '\0') {
        home = env;
    } else {
        std::vector<char> buffer(16384);
        passwd entry{};
        passwd* found = nullptr;
        if (::getpwuid_r(::getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
            found != nullptr && found->pw_dir != nullptr)
            home = found->pw_dir;
    }
    if (home.empty()) return {};
    return home + "/.local/share" + kSubfolder;
}

BackupResult SaveBackup(const MemoryImage& image, BackupKind kind, const std::string& folder,
                        std::time_t when, std::size_t keep) {
    BackupResult backup;
    backup.path = folder;
    if (folder.empty()) {
        backup.result = SystemFailure(DataFileError::CannotOpen, ENOENT);
        return backup;
    }
    if (const int err = MakeFolders(folder); err != 0) {
        backup.result = SystemFailure(DataFileError::CannotOpen, err);
        return backup;
    }
    int err = 0;
    const std::string path =
        ClaimName(folder, std::string(KindName(kind)) + "-" + Stamp(when), err);
    if (path.empty()) {
        backup.result = SystemFailure(DataFileError::CannotOpen, err);
        return backup;
    }
    backup.path = path;
    backup.result = SaveDataFile(path, image);
    if (!backup.result.ok()) {
        ::unlink(path.c_str());
        return backup;
    }
    Prune(folder, path, keep);
    return backup;
}

std::vector<std::string> ListBackups(const std::string& folder) {
    struct Entry {
        BackupName name;
        timespec mtime;
        std::string file;
    };
    std::vector<Entry> entries;
    DIR* dir = ::opendir(folder.c_str());
    if (dir == nullptr) return {};
    while (const dirent* d = ::readdir(dir)) {
        Entry entry;
        entry.file = d->d_name;
        if (!ParseBackupName(entry.file, entry.name)) continue;
        struct stat st {};
        const std::string path = folder + "/" + entry.file;
        if (::lstat(path.c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
        entry.mtime = st.st_mtim;
        entries.push_back(std::move(entry));
    }
    ::closedir(dir);
    auto key = [](const Entry& e) {
        return std::tie(e.name.stamp, e.name.suffix, e.mtime.tv_sec, e.mtime.tv_nsec, e.file);
    };
    std::sort(entries.begin(), entries.end(),
              [&](const Entry& a, const Entry& b) { return key(b) < key(a); });
    std::vector<std::string> paths;
    for (const Entry& e : entries) paths.push_back(folder + "/" + e.file);
    return paths;
}

}  // namespace varel
