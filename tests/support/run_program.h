#pragma once
// Runs a program of the build with arguments and collects its exit code and output.
#include <string>
#include <vector>

namespace varel::test {

/// What a finished program left behind.
struct ProgramResult {
    int exitCode = -1;  ///< exit status, or -1 when it did not exit normally or timed out
    std::string out;    ///< standard output
    std::string err;    ///< standard error
};

/// Runs program with args, no standard input, and waits at most timeoutMs for it to exit
/// (then kills it). extraEnv entries are "NAME=value".
ProgramResult RunProgram(const std::string& program, const std::vector<std::string>& args,
                         int timeoutMs = 20000, const std::vector<std::string>& extraEnv = {});

}  // namespace varel::test
