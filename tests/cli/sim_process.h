#pragma once
// Runs varel-sim in the background for end-to-end tests: starts it, learns its device from
// the first line of its output, and stops it again, waiting with a bound and never sleeping.
#include <sys/types.h>

#include <string>
#include <vector>

#include "support/temp_dir.h"

namespace varel::test {

/// A running virtual radio.
class SimProcess {
public:
    SimProcess() = default;
    ~SimProcess();
    SimProcess(const SimProcess&) = delete;
    SimProcess& operator=(const SimProcess&) = delete;

    /// Starts varel-sim with args (plus -v, logging to a file) and waits at most timeoutMs for
    /// its device line. False when it did not start or print one.
    bool start(const std::vector<std::string>& args, int timeoutMs = 10000);
    /// Stops it with SIGTERM (if it still runs) and waits at most timeoutMs for it to exit.
    /// Returns its exit status, or -1 when it had to be killed.
    int stop(int timeoutMs = 10000);
    /// Waits at most timeoutMs for the radio to exit by itself; its status, or -1 on timeout.
    int waitExit(int timeoutMs);

    /// The device the tool should open.
    const std::string& device() const { return m_device; }
    /// Everything the radio logged so far (one line per frame).
    std::string log() const;
    /// How many log lines contain text.
    int count(const std::string& text) const;
    /// Waits at most timeoutMs until at least `lines` log lines contain text; false on timeout.
    bool waitForLog(const std::string& text, int lines = 1, int timeoutMs = 10000) const;

private:
    pid_t m_pid = -1;
    int m_out = -1;  // read end of the radio's standard output
    int m_status = -1;
    std::string m_device;
    std::string m_logPath;
};

}  // namespace varel::test
