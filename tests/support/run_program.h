#pragma once
// Runs a program of the build with arguments and collects its exit code and output.
#include <sys/types.h>

#include <cstdint>
#include <string>
#include <vector>

namespace varel::test {

/// What a finished program left behind.
struct ProgramResult {
    int exitCode = -1;  ///< exit status, or -1 when it did not exit normally or timed out
    std::string out;    ///< standard output
    std::string err;    ///< standard error
};

/// A program running in the background, with no standard input; finish() collects it.
class RunningProgram {
public:
    RunningProgram() = default;
    ~RunningProgram();
    RunningProgram(const RunningProgram&) = delete;
    RunningProgram& operator=(const RunningProgram&) = delete;

    /// Starts program with args; extraEnv entries are "NAME=value". False when it cannot.
    bool start(const std::string& program, const std::vector<std::string>& args,
               const std::vector<std::string>& extraEnv = {});
    /// Sends it a signal.
    void signal(int signo);
    /// Waits at most timeoutMs for it to exit (then kills it) and returns what it left.
    ProgramResult finish(int timeoutMs);

private:
    pid_t m_pid = -1;
    int m_out = -1;  // read ends of its standard output and error
    int m_err = -1;
};

/// Runs program with args, no standard input, and waits at most timeoutMs for it to exit
/// (then kills it). extraEnv entries are "NAME=value".
ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         int timeoutMs = 20000, const std::vector<std::string>& extraEnv = {});

/// The data file `cli normalize` makes of the file at path (empty when it fails).
std::vector<std::uint8_t> NormalizedFile(const std::string& cli, const std::string& path);

/// True when a program's output holds part.
inline bool Has(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

}  // namespace varel::test
