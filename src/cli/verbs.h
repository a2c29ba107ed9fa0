#pragma once
// The verbs of varel-cli. Each takes the arguments after the verb and returns the exit code.
#include <string>
#include <vector>

namespace varel::cli {

/// Exit codes shared by the verbs.
enum Exit : int {
    kOk = 0,
    kFailure = 1,        ///< a file could not be opened, read, refused or written
    kUsage = 2,          ///< the command line is wrong
    kPortInvalid = 3,    ///< the serial port cannot be opened
    kCommunication = 4,  ///< the radio did not answer in time
    kBandRefused = 5,    ///< the radio's band differs and the write was refused or cancelled
    kRowsSkipped = 6,    ///< some channel list rows were skipped or channels left out
    kCheckRefused = 7,   ///< write --strict: the check before writing found problems; nothing sent
    kNotVerified = 8,    ///< write --verify: the radio does not hold what was written
    kSomeRadiosFailed = 9,  ///< write to several radios: some of them failed (they are named)
    kDifferent = 1,         ///< diff: the configurations differ (diff's errors exit with kUsage)
    kInterrupted = 128,     ///< plus the signal that ended a transfer: 130 SIGINT, 143 SIGTERM
};

using Args = std::vector<std::string>;

int RunNormalize(const Args& args);
int RunDump(const Args& args);
int RunDiff(const Args& args);
int RunRead(const Args& args);
int RunWrite(const Args& args);
int RunExportCsv(const Args& args);
int RunImportCsv(const Args& args);
int RunDoctor(const Args& args);
int RunExportText(const Args& args);
int RunImportText(const Args& args);
int RunPrint(const Args& args);

}  // namespace varel::cli
