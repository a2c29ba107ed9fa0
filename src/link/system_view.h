#pragma once
// The parts of the running system that the connection doctor looks at, read below one root
// folder: "/" for the real system, a folder made by a test for a made-up one. Files (the
// device nodes in /dev, sysfs, /proc, the lock folders, /etc/group) are read under the root;
// what a plain file tree cannot hold (a node's owner and access, the user's groups, the kernel
// log's refusal) comes through virtual functions that a test replaces.
#include <sys/types.h>

#include <optional>
#include <string>
#include <vector>

namespace varel::link {

/// What the system says about one file.
struct NodeInfo {
    bool exists = false;      ///< the path leads to a file
    bool isChar = false;      ///< it is a character device
    gid_t group = 0;          ///< its owner group
    bool accessible = false;  ///< this user may open it for reading and writing
};

/// The user running the doctor.
struct UserInfo {
    std::string name;           ///< login name ("" when unknown)
    uid_t uid = 0;              ///< user id (0: root)
    std::vector<gid_t> groups;  ///< the groups this process runs with
};

/// The system below a root folder.
class SystemView {
public:
    /// Reads the system below root ("/" for the real one).
    explicit SystemView(std::string root = "/");
    virtual ~SystemView() = default;

    /// The node at path (absolute, below the root), symbolic links followed.
    virtual NodeInfo node(const std::string& path) const;
    /// The user running this process.
    virtual UserInfo user() const;
    /// The kernel log (/dev/kmsg); empty optional when the system refuses it to this user.
    virtual std::optional<std::string> kernelLog() const;

    /// The whole text of a file, empty optional when it cannot be read.
    std::optional<std::string> readText(const std::string& path) const;
    /// The target of a symbolic link, empty when path is none.
    std::string readLink(const std::string& path) const;
    /// The names in a folder, sorted; empty when it cannot be read.
    std::vector<std::string> list(const std::string& folder) const;
    /// True when the path exists (a dangling link does not).
    bool exists(const std::string& path) const;
    /// path with its symbolic links followed, as a path below the root; path itself when it
    /// does not exist.
    std::string resolve(const std::string& path) const;
    /// The name of a group, from /etc/group (on the real system also from the name service);
    /// the number when it has none.
    std::string groupName(gid_t gid) const;
    /// The members /etc/group lists for the group name.
    std::vector<std::string> groupMembers(const std::string& name) const;

protected:
    /// The real path of a path below the root.
    std::string real(const std::string& path) const;

private:
    std::string m_root;
};

}  // namespace varel::link
