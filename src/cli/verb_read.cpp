// varel-cli read: reads the radio's memory into a data file.
#include <string>

#include "cli_common.h"
#include "data_file.h"
#include "memory_image.h"
#include "read_machine.h"
#include "transfer_runner.h"
#include "verbs.h"

namespace varel::cli {

namespace {

const char kReadUsage[] =
    "usage: varel-cli read --port PORT OUT.dat\n"
    "\n"
    "Reads the radio's whole memory and saves image bytes 0x000-0xBFF, as received, to OUT.dat\n"
    "(data file format, no decoding). PORT is a device path or a port number 1 to 20\n"
    "(Com1-8 = /dev/ttyUSB0-7, Com9-12 = /dev/ttyACM0-3, Com13-20 = /dev/ttyS0-7; the\n"
    "variable VAREL_COM<n> overrides the device of port n). Nothing is saved when the read\n"
    "fails. Exit codes: 0 ok, 1 file error, 2 usage, 3 port invalid, 4 communication error.\n";

}  // namespace

int RunRead(const Args& args) {
    ParsedArgs parsed;
    std::string error;
    if (!ParseArgs(args, {{"--port", true}}, parsed, error)) return UsageError(kReadUsage, error);
    if (parsed.help) return PrintHelp(kReadUsage);
    std::string device;
    if (!TransferDevice(parsed, device, error)) return UsageError(kReadUsage, error);

    MemoryImage in;
    link::ReadMachine machine(in);
    const TransferResult result =
        RunTransfer({device, "Data is reading, please wait a moment.", false}, machine);
    if (result != TransferResult::Success) return ReportTransfer(result, device);

    const std::string& out = parsed.positional[0];
    const DataFileResult saved = SaveDataFile(out, in);
    return saved.ok() ? kOk : Fail(DescribeFailure(out, saved));
}

}  // namespace varel::cli
