// varel-cli write: writes a data file to the radio.
#include <string>

#include "cli/cli_common.h"
#include "cli/transfer_runner.h"
#include "cli/verbs.h"
#include "image/image_codec.h"
#include "image/memory_image.h"
#include "image/messages.h"
#include "link/write_machine.h"

namespace varel::cli {

namespace {

const char kWriteUsage[] =
    "usage: varel-cli write --port PORT [--band N] [--debug-mode] [--force-write] IN.dat\n"
    "\n"
    "Opens IN.dat as the program's Open command does, encodes it as a write does and sends it\n"
    "to the radio. PORT is a port name Com1 to Com20, a number 1 to 20 or a device path (see\n"
    "'varel-cli read --help').\n"
    "\n"
    "  --band N        set the band selector to N (0, 1 or 2) before encoding; the radio's\n"
    "                  band must match it\n"
    "  --debug-mode    also write the power tuning blocks 0x7E0 and 0x7F0\n"
    "  --force-write   on a band mismatch ask instead of refusing, and answer OK\n"
    "\n"
    "Exit codes: 0 ok, 1 file error, 2 usage, 3 port invalid, 4 communication error,\n"
    "5 band refused, 130/143 interrupted by SIGINT/SIGTERM (End is sent to the radio).\n";

}  // namespace

int RunWrite(const Args& args) {
    ParsedArgs parsed;
    std::string error;
    const std::vector<OptionSpec> specs = {
        {"--port", true}, {"--band", true}, {"--debug-mode", false}, {"--force-write", false}};
    if (!ParseArgs(args, specs, parsed, error)) return UsageError(kWriteUsage, error);
    if (parsed.help) return PrintHelp(kWriteUsage);
    // Before the file count: "--band IN.dat" took the file as the band.
    int band = -1;
    if (!BandOption(parsed, band, error)) return UsageError(kWriteUsage, error);
    std::string device;
    if (!TransferDevice(parsed, device, error)) return UsageError(kWriteUsage, error);

    Configuration cfg;
    if (!OpenConfiguration(parsed.positional[0], cfg, error)) return Fail(error);
    if (band >= 0) cfg.settings.setBand(band);
    MemoryImage out;
    EncodeImage(cfg, out);

    link::WriteOptions options;
    options.band = cfg.settings.band();
    options.debugMode = parsed.has("--debug-mode");
    options.forceWriteMode = parsed.has("--force-write");
    link::WriteMachine machine(out, options);
    const TransferReport report = RunTransfer(
        {device, MessageText(Message::WritingData, Language::English), options.forceWriteMode},
        machine);
    return ReportTransfer(report, device);
}

}  // namespace varel::cli
