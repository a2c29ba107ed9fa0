// varel-cli normalize: opens a data file as a freshly started program does and saves it again.
#include <string>

#include "cli/cli_common.h"
#include "cli/verbs.h"
#include "image/image_codec.h"

namespace varel::cli {

namespace {

const char kNormalizeUsage[] =
    "usage: varel-cli normalize IN.dat OUT.dat\n"
    "\n"
    "Opens IN.dat as the program's Open command does right after start (every editor at its\n"
    "start state, band 0, Chinese texts) and saves the result to OUT.dat as Save does.\n"
    "OUT.dat is replaced only when the whole file was written.\n";

}  // namespace

int RunNormalize(const Args& args) {
    ParsedArgs parsed;
    std::string error;
    if (!ParseArgs(args, {}, parsed, error)) return UsageError(kNormalizeUsage, error);
    if (parsed.help) return PrintHelp(kNormalizeUsage);
    if (parsed.positional.size() != 2)
        return UsageError(kNormalizeUsage, "normalize takes an input and an output file");
    if (parsed.positional[1].empty())
        return UsageError(kNormalizeUsage, "the output file name is empty");

    Configuration cfg;
    if (!OpenConfiguration(parsed.positional[0], cfg, error)) return Fail(error);
    if (!SaveConfiguration(parsed.positional[1], cfg, error)) return Fail(error);
    return kOk;
}

}  // namespace varel::cli
