#pragma once
// Pieces shared by the verbs of varel-cli: command-line parsing, usage errors, and opening and
// saving data files the way the program's Open and Save commands do.
#include <map>
#include <string>
#include <vector>

#include "cli/verbs.h"
#include "files/backups.h"
#include "files/data_file.h"
#include "image/image_codec.h"
#include "image/language.h"
#include "image/memory_image.h"

namespace varel::cli {

/// An option a verb accepts: its name with the dashes ("--port") and whether a value follows.
struct CliOption {
    std::string name;         ///< "--port"
    bool takesValue = false;  ///< true when the next argument (or "=value") is its value
};

/// A command line split into options and positional arguments.
struct ParsedArgs {
    bool help = false;                           ///< "--help" or "-h" was given
    std::map<std::string, std::string> options;  ///< given options; a flag maps to ""
    /// Every value of each option that takes one, in the order given (options keeps the last).
    std::map<std::string, std::vector<std::string>> values;
    std::vector<std::string> positional;  ///< the other arguments, in order

    /// True when the option was given.
    bool has(const std::string& name) const { return options.count(name) != 0; }
};

/// Splits args by the accepted options. "--" ends the options; a lone "-" is positional. Returns
/// false with error set for an unknown option, an option whose value is missing (a value cannot
/// begin with "--"), or a value given to an option that takes none ("--help=x").
bool ParseArgs(const Args& args, const std::vector<CliOption>& accepted, ParsedArgs& parsed,
               std::string& error);

/// The band position of a "--band N" option: 0, 1 or 2, or -1 when the option was not given.
/// False with problem set for any other value.
bool BandOption(const ParsedArgs& parsed, int& band, std::string& problem);

/// One line in English for a failed data file operation: "PATH: message (reason)".
std::string DescribeFailure(const std::string& path, const DataFileResult& result);

/// Prints the verb's usage to standard output and returns kOk (for --help).
int PrintHelp(const char* usage);

/// Prints "varel-cli: problem" (when not empty) and the usage to standard error; returns kUsage.
int UsageError(const char* usage, const std::string& problem);

/// Prints "varel-cli: message" to standard error and returns kFailure.
int Fail(const std::string& message);

/// The --lang option of a verb: English when it is not given. False with problem set for a
/// value other than en and zh.
bool LanguageOption(const ParsedArgs& parsed, Language& lang, std::string& problem);

/// Warns on standard error that the data file at path is longer than a configuration and only
/// its first bytes were read.
void WarnLonger(const std::string& path);

/// Prints each value the program would flag after opening the image (no frequency, outside
/// the band, a tone the list lacks ...) as "varel-cli: warning: ..." on standard error.
void WarnDoubtfulValues(const MemoryImage& image);

/// Saves a backup of a transfer's image in BackupFolder(), unless --no-backup was given. A
/// failure is said once on standard error as a warning and changes nothing else. True when a
/// backup was saved.
bool BackUp(const ParsedArgs& parsed, const MemoryImage& image, BackupKind kind);

/// Opens a data file as the program's Open command does: the file's image is read into a
/// fresh zeroed image and decoded into cfg with the list texts of lang. A named pipe is waited
/// for until a program writes to it, as a command-line tool waits. On failure cfg is
/// untouched and error holds one line in English ("PATH: message (reason)").
bool OpenConfiguration(const std::string& path, Configuration& cfg, std::string& error,
                       Language lang = Language::Chinese);

/// Saves cfg as the program's Save command does: encoded into a fresh zeroed image and written
/// to path. On failure the file at path is unchanged and error holds one line in English.
bool SaveConfiguration(const std::string& path, const Configuration& cfg, std::string& error);

}  // namespace varel::cli
