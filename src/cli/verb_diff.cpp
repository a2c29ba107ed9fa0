// varel-cli diff: the differences between two data files, one line per differing field.
#include <iostream>
#include <string>

#include "checks/config_diff.h"
#include "cli/cli_common.h"
#include "cli/verbs.h"
#include "files/data_file.h"
#include "image/memory_image.h"

namespace varel::cli {

namespace {

const char kDiffUsage[] =
    "usage: varel-cli diff [--lang en|zh] A.dat B.dat\n"
    "\n"
    "Compares two data files as the program's Open would show them and prints one line per\n"
    "differing field, channels first, then the settings in the order of 'varel-cli dump':\n"
    "\n"
    "  channel 5: RXFreq: 145.50000 -> 151.00000\n"
    "  Squelch Level: 5 -> 8\n"
    "\n"
    "A difference no shown field explains (a byte the program does not read, the record of an\n"
    "empty channel, two stored values shown alike) is printed as its byte, so that every\n"
    "differing byte of 0x000-0xBFF is reported:\n"
    "\n"
    "  byte 0x7C5: 0x00 -> 0x12\n"
    "\n"
    "  --lang en|zh  texts in English (the default) or Chinese\n"
    "\n"
    "Exit codes: 0 the files hold the same configuration, 1 they differ, 2 usage error or a\n"
    "file that cannot be read or is no data file (the message names it).\n";

// Loads one of the two files; false after saying why.
bool Load(const std::string& path, MemoryImage& image) {
    const DataFileResult result = LoadDataFile(path, image, PipeOpen::WaitForWriter);
    if (result.ok()) return true;
    std::cerr << "varel-cli: " << DescribeFailure(path, result) << "\n";
    return false;
}

}  // namespace

int RunDiff(const Args& args) {
    ParsedArgs parsed;
    std::string error;
    if (!ParseArgs(args, {{"--lang", true}}, parsed, error)) return UsageError(kDiffUsage, error);
    if (parsed.help) return PrintHelp(kDiffUsage);
    Language lang = Language::English;
    if (!LanguageOption(parsed, lang, error)) return UsageError(kDiffUsage, error);
    if (parsed.positional.size() != 2) return UsageError(kDiffUsage, "diff takes two data files");

    MemoryImage a;
    MemoryImage b;
    if (!Load(parsed.positional[0], a) || !Load(parsed.positional[1], b)) return kUsage;
    const auto lines = DiffConfigurations(a, b, lang);
    for (const std::string& line : lines) std::cout << line << '\n';
    std::cout.flush();
    if (!std::cout) {
        std::cerr << "varel-cli: cannot write the differences\n";
        return kUsage;
    }
    return lines.empty() ? kOk : kDifferent;
}

}  // namespace varel::cli
