#include "files/backups.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>

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

// A backup's name: read- or write- (the kind), the stamp YYYYMMDD-HHMMSS, optionally -N with
// N >= 2, ".dat". Only such names in the index are ever removed, so that an index edited by
// hand cannot lead to another file.
bool ParseBackupName(const std::string& name, BackupKind& kind) {
    std::size_t at = 0;
    for (const BackupKind k : {BackupKind::Read, BackupKind::Write}) {
        const std::string prefix = std::string(KindName(k)) + "-";
        if (name.compare(0, prefix.size(), prefix) == 0) {
            at = prefix.size();
            kind = k;
        }
    }
    if (at == 0) return false;
    if (name.size() < at + 15 || !AllDigits(name, at, 8) || name[at + 8] != '-' ||
        !AllDigits(name, at + 9, 6))
        return false;
    at += 15;
    const std::string ext = kExtension;
    if (name.size() < at + ext.size() || name.compare(name.size() - ext.size(), ext.size(), ext))
        return false;
    const std::string rest = name.substr(at, name.size() - ext.size() - at);
    if (rest.empty()) return true;
    return rest.size() >= 2 && rest.size() <= 6 && rest[0] == '-' && rest[1] != '0' &&
           AllDigits(rest, 1, rest.size() - 1) && std::atol(rest.c_str() + 1) >= 2;
}

std::string IndexPath(const std::string& folder) {
    return folder + "/" + kBackupIndexName;
}

bool IsRegularFile(const std::string& path) {
    struct stat st {};
    return ::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// The names the index lists, oldest first, each once (its last place counts) and only names
// of backups.
std::vector<std::string> ReadIndex(const std::string& folder) {
    std::vector<std::uint8_t> bytes;
    // Far more than kBackupsKept names of both kinds take.
    constexpr std::size_t kMaxIndexSize = 1 << 20;
    if (!ReadFilePrefix(IndexPath(folder), kMaxIndexSize, bytes).ok()) return {};
    std::vector<std::string> names;
    std::string line;
    for (const std::uint8_t byte : bytes) {
        if (byte != '\n') {
            line += static_cast<char>(byte);
            continue;
        }
        BackupKind kind{};
        if (ParseBackupName(line, kind)) {
            names.erase(std::remove(names.begin(), names.end(), line), names.end());
            names.push_back(line);
        }
        line.clear();
    }
    return names;
}

// Adds a name at the end of the index; false when it could not be added.
bool AppendToIndex(const std::string& folder, const std::string& name) {
    const int fd =
        ::open(IndexPath(folder).c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    const std::string line = name + "\n";
    const bool written = ::write(fd, line.data(), line.size()) == static_cast<ssize_t>(line.size());
    return ::close(fd) == 0 && written;
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

// Removes the indexed backups of the kind beyond the newest `keep` (the new one always stays)
// and rewrites the index without them and without the names whose files are gone.
void Prune(const std::string& folder, const std::string& kept, BackupKind kind, std::size_t keep) {
    const std::vector<std::string> names = ReadIndex(folder);
    std::size_t left = keep > 0 ? keep - 1 : 0;
    std::vector<std::string> stay;
    for (auto it = names.rbegin(); it != names.rend(); ++it) {
        const std::string path = folder + "/" + *it;
        if (!IsRegularFile(path)) continue;
        BackupKind named{};
        ParseBackupName(*it, named);
        if (named == kind && path != kept) {
            if (left == 0) {
                ::unlink(path.c_str());  // best effort: the backup itself was saved
                continue;
            }
            --left;
        }
        stay.insert(stay.begin(), *it);
    }
    if (stay.size() == names.size()) return;
    std::string text;
    for (const std::string& name : stay) text += name + "\n";
    ReplaceFile(IndexPath(folder), std::vector<std::uint8_t>(text.begin(), text.end()));
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
    // Without its index entry the backup is kept, only never pruned.
    if (AppendToIndex(folder, path.substr(folder.size() + 1))) Prune(folder, path, kind, keep);
    return backup;
}

BackupResult SaveBesideBackups(const std::string& text, const std::string& folder,
                               const std::string& name) {
    BackupResult saved;
    saved.path = folder;
    const int err = folder.empty() ? ENOENT : MakeFolders(folder);
    if (err != 0) {
        saved.result = SystemFailure(DataFileError::CannotOpen, err);
        return saved;
    }
    saved.path = folder + "/" + name;
    saved.result = ReplaceFile(saved.path, std::vector<std::uint8_t>(text.begin(), text.end()));
    return saved;
}

std::vector<std::string> ListBackups(const std::string& folder) {
    std::vector<std::string> paths;
    const std::vector<std::string> names = ReadIndex(folder);
    for (auto it = names.rbegin(); it != names.rend(); ++it)
        if (IsRegularFile(folder + "/" + *it)) paths.push_back(folder + "/" + *it);
    return paths;
}

}  // namespace varel
