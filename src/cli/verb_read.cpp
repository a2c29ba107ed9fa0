// varel-cli read: reads the radio's memory into a data file.
#include <iostream>
#include <string>

#include "cli/cli_common.h"
#include "cli/transfer_runner.h"
#include "cli/verbs.h"
#include "files/data_file.h"
#include "files/file_io.h"
#include "image/image_codec.h"
#include "image/memory_image.h"
#include "image/messages.h"
#include "link/read_machine.h"

namespace varel::cli {

namespace {

const char kReadUsage[] =
    "usage: varel-cli read --port PORT [--no-backup] [--trace FILE] OUT.dat\n"
    "\n"
    "Reads the radio's whole memory and saves image bytes 0x000-0xBFF, as received, to OUT.dat\n"
    "(data file format, no decoding). PORT is a port name Com1 to Com20 (any case), a number\n"
    "1 to 20 (Com1-8 = /dev/ttyUSB0-7, Com9-12 = /dev/ttyACM0-3, Com13-20 = /dev/ttyS0-7; the\n"
    "variable VAREL_COM<n> overrides the device of port n) or the path of a device. OUT.dat\n"
    "is checked before the radio is read; nothing is saved when the read fails.\n"
    "\n"
    "Each channel or VFO value that is no frequency (digits A-F), lies outside the band or\n"
    "shows a tone the tone list lacks is printed as 'varel-cli: warning: ...' (the file holds\n"
    "it exactly as read).\n"
    "\n"
    "Every successful read is also kept as a backup, read-YYYYMMDD-HHMMSS.dat (local time), in\n"
    "$XDG_DATA_HOME/Varel/Wavesmith/backups (~/.local/share/Varel/Wavesmith/backups when\n"
    "XDG_DATA_HOME is not set); the newest 200 backups are kept. A backup that cannot be saved\n"
    "is reported as a warning and the read goes on.\n"
    "\n"
    "  --no-backup     keep no backup of this read\n"
    "  --trace FILE    save every byte sent and received, with its time, to FILE (also when\n"
    "                  the read fails; docs/trace-format.md); 'varel-sim --replay FILE' answers\n"
    "                  as the radio did\n"
    "\n"
    "Exit codes: 0 ok, 1 file error, 2 usage, 3 port invalid, 4 communication error,\n"
    "130/143 interrupted by SIGINT/SIGTERM (End is sent to the radio).\n";

}  // namespace

int RunRead(const Args& args) {
    ParsedArgs parsed;
    std::string error;
    if (!ParseArgs(args, {{"--port", true}, {"--no-backup", false}, {"--trace", true}}, parsed,
                   error))
        return UsageError(kReadUsage, error);
    if (parsed.help) return PrintHelp(kReadUsage);
    std::string device;
    if (!TransferDevice(parsed, device, error)) return UsageError(kReadUsage, error);

    // A file that cannot be saved fails before the radio is bothered.
    const std::string& out = parsed.positional[0];
    const DataFileResult target = CheckReplaceTarget(out);
    if (!target.ok()) return Fail(DescribeFailure(out, target));
    TraceFile trace(parsed, "read", device);
    if (!trace.check(error)) return Fail(error);

    MemoryImage in;
    link::ReadMachine machine(in);
    const TransferReport report = RunTransfer(
        {device, MessageText(Message::ReadingData, Language::English), false, trace.recorder()},
        machine);
    if (report.result != TransferResult::Success) return ReportTransfer(report, device);

    BackUp(parsed, in, BackupKind::Read);
    const DataFileResult saved = SaveDataFile(out, in);
    if (!saved.ok()) return Fail(DescribeFailure(out, saved));
    WarnDoubtfulValues(in);
    return kOk;
}

}  // namespace varel::cli
