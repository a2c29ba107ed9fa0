#include "support/run_program.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>

#include "support/temp_dir.h"

extern char** environ;

namespace varel::test {

RunningProgram::~RunningProgram() {
    if (m_pid > 0) finish(0);
}

bool RunningProgram::start(const std::string& program, const std::vector<std::string>& args,
                           const std::vector<std::string>& extraEnv) {
    int outPipe[2];
    int errPipe[2];
    if (pipe2(outPipe, O_CLOEXEC) != 0) return false;
    if (pipe2(errPipe, O_CLOEXEC) != 0) {
        close(outPipe[0]);
        close(outPipe[1]);
        return false;
    }
    m_pid = fork();
    if (m_pid == 0) {
        dup2(outPipe[1], 1);
        dup2(errPipe[1], 2);
        const int devNull = open("/dev/null", O_RDONLY);
        dup2(devNull, 0);
        for (const auto& e : extraEnv) putenv(const_cast<char*>(e.c_str()));
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(program.c_str()));
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    close(outPipe[1]);
    close(errPipe[1]);
    if (m_pid < 0) {
        close(outPipe[0]);
        close(errPipe[0]);
        return false;
    }
    m_out = outPipe[0];
    m_err = errPipe[0];
    return true;
}

void RunningProgram::signal(int signo) {
    if (m_pid > 0) kill(m_pid, signo);
}

ProgramResult RunningProgram::finish(int timeoutMs) {
    ProgramResult result;
    if (m_pid <= 0) return result;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    pollfd fds[2] = {{m_out, POLLIN, 0}, {m_err, POLLIN, 0}};
    int open = 2;
    bool timedOut = false;
    while (open > 0) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                              deadline - std::chrono::steady_clock::now())
                              .count();
        if (left <= 0) {
            timedOut = true;
            break;
        }
        if (poll(fds, 2, static_cast<int>(left)) <= 0) continue;
        for (int i = 0; i < 2; ++i) {
            if (fds[i].fd < 0 || !(fds[i].revents & (POLLIN | POLLHUP))) continue;
            char buf[4096];
            const ssize_t n = read(fds[i].fd, buf, sizeof buf);
            if (n > 0) {
                (i == 0 ? result.out : result.err).append(buf, static_cast<std::size_t>(n));
            } else {
                close(fds[i].fd);
                fds[i].fd = -1;
                --open;
            }
        }
    }
    if (timedOut) kill(m_pid, SIGKILL);
    for (auto& f : fds)
        if (f.fd >= 0) close(f.fd);
    int status = 0;
    waitpid(m_pid, &status, 0);
    m_pid = -1;
    m_out = m_err = -1;
    if (!timedOut && WIFEXITED(status)) result.exitCode = WEXITSTATUS(status);
    return result;
}

ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         int timeoutMs, const std::vector<std::string>& extraEnv) {
    RunningProgram running;
    if (!running.start(program, args, extraEnv)) return {};
    return running.finish(timeoutMs);
}

std::vector<std::uint8_t> NormalizedFile(const std::string& cli, const std::string& path) {
    TempDir dir;
    const std::string out = dir.file("normalized.dat");
    if (RunProgram(cli, {"normalize", path, out}).exitCode != 0) return {};
    return ReadFileBytes(out);
}

}  // namespace varel::test
