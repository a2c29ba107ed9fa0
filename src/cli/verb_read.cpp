// varel-cli read: reads the radio's memory into a data file.
#include <string>

#include "cli_common.h"
#include "data_file.h"
#include "memory_image.h"
#include "port_map.h"
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
    if (!parsed.has("--port")) return UsageError(kReadUsage, "read needs --port PORT");
    if (parsed.positional.size() != 1) return UsageError(kReadUsage, "read takes one output file");
    const link::PortArgument port = link::ResolvePortArgument(parsed.options["--port"]);
    if (!port.valid)
        return UsageError(kReadUsage, "--port needs a device path or a number from 1 to 20");

    MemoryImage in;
    link::ReadMachine machine(in);
    const TransferResult result =
        RunTransfer({port.device, "Data is reading, please wait a moment.", false}, machine);
    if (result != TransferResult::Success) return ReportTransfer(result, port.device);

    const std::string& out = parsed.positional[0];
    const DataFileResult saved = SaveDataFile(out, in);
    if (!saved.ok()) {
        std::string line = out + ": " + DataFileMessage(saved.error, Language::English);
        if (!saved.detail.empty()) line += " (" + saved.detail + ")";
        return Fail(line);
    }
    return kOk;
}

}  // namespace varel::cli
