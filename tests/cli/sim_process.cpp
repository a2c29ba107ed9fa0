#include "cli/sim_process.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/inotify.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

namespace varel::test {

namespace {

using Clock = std::chrono::steady_clock;

int MsLeft(Clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    return left > 0 ? static_cast<int>(left) : 0;
}

}  // namespace

SimProcess::~SimProcess() {
    stop();
    if (!m_logPath.empty()) unlink(m_logPath.c_str());
}

bool SimProcess::start(const std::vector<std::string>& args, int timeoutMs) {
    char logTemplate[] = "/tmp/varel-sim-log-XXXXXX";
    const int logFd = mkstemp(logTemplate);
    if (logFd < 0) return false;
    m_logPath = logTemplate;
    int outPipe[2];
    if (pipe2(outPipe, O_CLOEXEC) != 0) {
        close(logFd);
        return false;
    }
    m_pid = fork();
    if (m_pid == 0) {
        dup2(outPipe[1], 1);
        dup2(logFd, 2);
        const int devNull = open("/dev/null", O_RDONLY);
        dup2(devNull, 0);
        std::vector<char*> argv;
        argv.push_back(const_cast<char*>(VAREL_SIM));
        argv.push_back(const_cast<char*>("-v"));
        for (const auto& a : args) argv.push_back(const_cast<char*>(a.c_str()));
        argv.push_back(nullptr);
        execv(VAREL_SIM, argv.data());
        _exit(127);
    }
    close(outPipe[1]);
    close(logFd);
    m_out = outPipe[0];
    if (m_pid < 0) return false;

    // The first line of its output names the device.
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    std::string text;
    while (text.find('\n') == std::string::npos) {
        pollfd pfd{m_out, POLLIN, 0};
        if (poll(&pfd, 1, MsLeft(deadline)) <= 0) return false;
        char buf[256];
        const ssize_t n = read(m_out, buf, sizeof buf);
        if (n <= 0) return false;
        text.append(buf, static_cast<std::size_t>(n));
    }
    m_device = text.substr(0, text.find('\n'));
    return !m_device.empty();
}

int SimProcess::waitExit(int timeoutMs) {
    if (m_pid <= 0) return m_status;
    // The radio's standard output reaches end-of-file when it exits.
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        pollfd pfd{m_out, POLLIN, 0};
        const int ready = poll(&pfd, 1, MsLeft(deadline));
        if (ready <= 0) return -1;
        char buf[256];
        if (read(m_out, buf, sizeof buf) <= 0) break;
    }
    int status = 0;
    waitpid(m_pid, &status, 0);
    m_pid = -1;
    close(m_out);
    m_out = -1;
    m_status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return m_status;
}

int SimProcess::stop(int timeoutMs) {
    if (m_pid > 0) {
        kill(m_pid, SIGTERM);
        if (waitExit(timeoutMs) < 0 && m_pid > 0) {
            kill(m_pid, SIGKILL);
            waitpid(m_pid, nullptr, 0);
            m_pid = -1;
            close(m_out);
            m_out = -1;
            m_status = -1;
        }
    }
    return m_status;
}

std::string SimProcess::log() const {
    std::ifstream in(m_logPath);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

int SimProcess::count(const std::string& text) const {
    std::istringstream lines(log());
    int n = 0;
    for (std::string line; std::getline(lines, line);)
        if (line.find(text) != std::string::npos) ++n;
    return n;
}

bool SimProcess::waitForLog(const std::string& text, int lines, int timeoutMs) const {
    // Woken by every change of the log file rather than by polling it.
    const int watch = inotify_init1(IN_CLOEXEC | IN_NONBLOCK);
    if (watch < 0 || inotify_add_watch(watch, m_logPath.c_str(), IN_MODIFY) < 0) {
        if (watch >= 0) close(watch);
        return false;
    }
    const auto deadline = Clock::now() + std::chrono::milliseconds(timeoutMs);
    bool found = false;
    while (!(found = count(text) >= lines)) {
        pollfd pfd{watch, POLLIN, 0};
        if (poll(&pfd, 1, MsLeft(deadline)) <= 0) break;
        char events[4096];
        while (read(watch, events, sizeof events) > 0) {
        }
    }
    close(watch);
    return found;
}

}  // namespace varel::test
