#include "link/system_view.h"

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace varel::link {

namespace fs = std::filesystem;

namespace {

// The fields of a line of /etc/group: name, password, id, members.
std::vector<std::string> Split(const std::string& line, char sep) {
    std::vector<std::string> fields;
    std::istringstream in(line);
    std::string field;
    while (std::getline(in, field, sep)) fields.push_back(field);
    return fields;
}

}  // namespace

SystemView::SystemView(std::string root) {
    std::error_code ec;
    const fs::path canonical = fs::canonical(root, ec);
    m_root = ec ? root : canonical.string();
    if (m_root == "/") m_root.clear();
}

std::string SystemView::real(const std::string& path) const {
    return m_root + path;
}

NodeInfo SystemView::node(const std::string& path) const {
    NodeInfo info;
    struct stat st {};
    if (::stat(real(path).c_str(), &st) != 0) return info;
    info.exists = true;
    info.isChar = S_ISCHR(st.st_mode);
    info.group = st.st_gid;
    info.accessible = ::access(real(path).c_str(), R_OK | W_OK) == 0;
    return info;
}

UserInfo SystemView::user() const {
    UserInfo info;
    info.uid = ::getuid();
    if (const passwd* pw = ::getpwuid(info.uid)) info.name = pw->pw_name;
    const int count = ::getgroups(0, nullptr);
    if (count > 0) {
        info.groups.resize(static_cast<std::size_t>(count));
        const int got = ::getgroups(count, info.groups.data());
        info.groups.resize(static_cast<std::size_t>(std::max(got, 0)));
    }
    info.groups.push_back(::getegid());
    return info;
}

std::optional<std::string> SystemView::kernelLog() const {
    // /dev/kmsg gives one record per read and says EAGAIN at its end; a plain file ends with 0.
    const int fd = ::open(real("/dev/kmsg").c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    std::string text;
    char record[8192];
    for (;;) {
        const ssize_t n = ::read(fd, record, sizeof record);
        if (n > 0) {
            text.append(record, static_cast<std::size_t>(n));
            if (text.back() != '\n') text += '\n';
        } else if (n < 0 && (errno == EINTR || errno == EPIPE)) {
            continue;  // EPIPE: older records were overwritten while reading; go on
        } else {
            break;
        }
    }
    ::close(fd);
    return text;
}

std::optional<std::string> SystemView::readText(const std::string& path) const {
    std::ifstream in(real(path), std::ios::binary);
    if (!in) return std::nullopt;
    std::ostringstream text;
    text << in.rdbuf();
    if (in.bad()) return std::nullopt;
    return text.str();
}

std::string SystemView::readLink(const std::string& path) const {
    std::error_code ec;
    const fs::path target = fs::read_symlink(real(path), ec);
    return ec ? std::string() : target.string();
}

std::vector<std::string> SystemView::list(const std::string& folder) const {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(real(folder), ec), end; !ec && it != end; it.increment(ec))
        names.push_back(it->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool SystemView::exists(const std::string& path) const {
    std::error_code ec;
    return fs::exists(real(path), ec);
}

std::string SystemView::resolve(const std::string& path) const {
    std::error_code ec;
    const std::string canonical = fs::canonical(real(path), ec).string();
    if (ec || canonical.compare(0, m_root.size(), m_root) != 0) return path;
    const std::string below = canonical.substr(m_root.size());
    return below.empty() ? "/" : below;
}

std::string SystemView::groupName(gid_t gid) const {
    const std::string number = std::to_string(gid);
    std::istringstream lines(readText("/etc/group").value_or(""));
    for (std::string line; std::getline(lines, line);) {
        const auto fields = Split(line, ':');
        if (fields.size() >= 3 && fields[2] == number) return fields[0];
    }
    if (m_root.empty())
        if (const group* gr = ::getgrgid(gid)) return gr->gr_name;
    return number;
}

std::vector<std::string> SystemView::groupMembers(const std::string& name) const {
    std::istringstream lines(readText("/etc/group").value_or(""));
    for (std::string line; std::getline(lines, line);) {
        const auto fields = Split(line, ':');
        if (!fields.empty() && fields[0] == name)
            return fields.size() >= 4 ? Split(fields[3], ',') : std::vector<std::string>{};
    }
    return {};
}

}  // namespace varel::link
