#include "as_nobody.h"

#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

namespace varel::test {

std::optional<Unprivileged> UnprivilegedIds() {
    if (::geteuid() != 0) return Unprivileged{::geteuid(), ::getegid()};
    const passwd* nobody = ::getpwnam("nobody");
    if (nobody == nullptr) return std::nullopt;
    return Unprivileged{nobody->pw_uid, nobody->pw_gid};
}

std::optional<int> RunUnprivileged(const std::function<int()>& check) {
    if (::geteuid() != 0) return check();
    const auto ids = UnprivilegedIds();
    if (!ids) return std::nullopt;
    const pid_t pid = ::fork();
    if (pid < 0) return std::nullopt;
    if (pid == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(ids->gid) != 0 || ::setuid(ids->uid) != 0)
            ::_exit(255);
        ::_exit(check());
    }
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) == 255)
        return std::nullopt;
    return WEXITSTATUS(status);
}

}  // namespace varel::test
