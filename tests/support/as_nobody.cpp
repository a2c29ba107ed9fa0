#include "support/as_nobody.h"

#include <grp.h>
#include <pwd.h>
#include <sys/wait.h>
#include <unistd.h>

namespace varel::test {

std::optional<int> RunUnprivileged(const std::function<int()>& check) {
    if (::geteuid() != 0) return check();
    const passwd* nobody = ::getpwnam("nobody");
    if (nobody == nullptr) return std::nullopt;
    const pid_t pid = ::fork();
    if (pid < 0) return std::nullopt;
    if (pid == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(nobody->pw_gid) != 0 ||
            ::setuid(nobody->pw_uid) != 0)
            ::_exit(255);
        ::_exit(check());
    }
    int status = 0;
    if (::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) == 255)
        return std::nullopt;
    return WEXITSTATUS(status);
}

}  // namespace varel::test
