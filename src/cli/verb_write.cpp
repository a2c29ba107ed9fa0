// varel-cli write: writes a data file to the radio, after a check of what would reach it and a
// backup of what is sent, and optionally reads it back to verify it: the shared write
// procedure, driven by a blocking loop.
#include <iostream>
#include <optional>
#include <string>

#include "cli/cli_common.h"
#include "cli/transfer_runner.h"
#include "cli/verbs.h"
#include "cli/write_fleet.h"
#include "cli/write_report.h"
#include "image/image_codec.h"
#include "image/memory_image.h"
#include "image/messages.h"
#include "link/read_machine.h"
#include "link/write_fingerprint.h"
#include "link/write_machine.h"
#include "link/write_procedure.h"

namespace varel::cli {

namespace {

const char kWriteUsage[] =
    "usage: varel-cli write --port PORT [--port PORT ...] [--display PORT=TEXT ...] [--band N]\n"
    "                       [--debug-mode] [--force-write] [--strict] [--verify] [--no-backup]\n"
    "                       [--trace FILE] IN.dat\n"
    "\n"
    "Opens IN.dat as the program's Open command does, encodes it as a write does and sends it\n"
    "to the radio. PORT is a port name Com1 to Com20, a number 1 to 20 or a device path (see\n"
    "'varel-cli read --help').\n"
    "\n"
    "Before anything is sent, the configuration is checked for what the radio would get other\n"
    "than it is shown: channel and VFO frequencies that are no frequency (digits A-F) or lie\n"
    "outside the band (both edges inside), a transmit frequency without a receive frequency, a\n"
    "tone the tone list lacks (written as Off), and every channel empty (the radio's channels\n"
    "would be erased). Each is printed as 'varel-cli: warning: ...' and the write goes on.\n"
    "\n"
    "Once the radio has answered and accepted the band, before the first block goes, the image\n"
    "about to be sent is kept as a backup, write-YYYYMMDD-HHMMSS.dat, in the folder of\n"
    "'varel-cli read --help'; a backup that cannot be saved is a warning only. A radio that\n"
    "never answers leaves no backup.\n"
    "\n"
    "Ctrl-C (SIGINT) while the blocks go lets the write finish, as stopping half-way would leave\n"
    "the radio with part of each configuration; no verify follows, and the exit code is 130.\n"
    "A second Ctrl-C, or SIGTERM, stops at once: End is sent, and the message says which blocks\n"
    "were sent; write again. A signal during the settle or the read-back ends the verify only.\n"
    "\n"
    "Several --port options write every radio at the same time, each on its own port: the\n"
    "check runs once, before any port is opened; each radio gets its own backup, band check,\n"
    "verify and trace (FILE with the port's name added: run-Com2.trace). A line per radio\n"
    "says how its write ended; a radio that fails does not stop the others. A first Ctrl-C\n"
    "lets the writes whose blocks go finish and stops the others; a second, or SIGTERM, stops\n"
    "them all and names the radios left partly written.\n"
    "\n"
    "  --display PORT=TEXT\n"
    "                  the radio on PORT gets TEXT as its Display Character (up to 6 of 0-9,\n"
    "                  A-Z, *, #, -; lower-case letters become capitals); every other byte is\n"
    "                  the same for all radios\n"
    "  --band N        set the band selector to N (0, 1 or 2) before encoding; the radio's\n"
    "                  band must match it\n"
    "  --debug-mode    also write the power tuning blocks 0x7E0 and 0x7F0\n"
    "  --force-write   on a band mismatch ask instead of refusing, and answer OK\n"
    "  --strict        stop before anything is sent when the check finds a problem (exit 7)\n"
    "  --verify        after the write, let the radio settle (1 s; the variable\n"
    "                  VAREL_SETTLE_MS sets other milliseconds), read it back in a session of\n"
    "                  its own (a second time when the first gets no answer) and compare every\n"
    "                  byte written that a read brings back (0x7C0-0x7DF are never written,\n"
    "                  0x7E0-0x7FF only with --debug-mode, the zeros past 0xC00 cannot be read);\n"
    "                  prints 'Verified: the radio holds every byte that was written.' and\n"
    "                  the fingerprint 'varel-cli print' puts on paper, or each differing\n"
    "                  block with what it holds\n"
    "  --no-backup     keep no backup of this write\n"
    "  --trace FILE    save every byte sent and received, with its time, to FILE (the write\n"
    "                  and its read-back, also when they fail); see 'varel-cli read --help'\n"
    "\n"
    "Exit codes: 0 ok, 1 file error, 2 usage, 3 port invalid, 4 communication error (also\n"
    "when the read-back fails twice), 5 band refused, 7 refused by --strict, 8 the radio does\n"
    "not hold what was written (--verify), 9 some of several radios failed (they are named),\n"
    "130/143 interrupted by SIGINT/SIGTERM (End is sent to the radio; 130 also after a write\n"
    "let finish).\n";

// A signal during the settle or the read-back: the write itself had ended well.
int ReportVerifyNotRun(int signo) {
    std::cerr << "varel-cli: interrupted: the write ended, but the verify did not run\n";
    return kInterrupted + signo;
}

// A write interrupted at `step` of the machine: End was sent; the blocks sent before are what
// may have reached the radio.
int ReportPartWritten(int step, const link::WriteOptions& options, const TransferReport& last) {
    const std::optional<std::string> sent = BlocksSent(step, options);
    if (!sent) return ReportTransfer(last, std::string());
    std::cerr << "varel-cli: interrupted; the radio was sent End and the port closed\n"
              << "varel-cli: the radio is partly written: " << *sent
              << " were sent, the others hold what they held before; write again\n";
    return kInterrupted + last.signal;
}

// Tells how the write ended and returns the verb's exit code; sent is the image the write sent
// (its fingerprint follows a verified write), last the report of the last transfer or port
// opening, the write's or a read-back's.
int ReportWrite(const link::WriteResult& result, const MemoryImage& sent,
                const TransferReport& last, const std::string& device) {
    switch (result.end) {
        case link::WriteEnd::Stopped:
            return kCheckRefused;
        case link::WriteEnd::PortInvalid:
        case link::WriteEnd::Failed:
            return ReportTransfer(last, device);
        case link::WriteEnd::Written:
            return kOk;
        case link::WriteEnd::Verified:
            std::cout << MessageText(*result.message, Language::English) << "\n"
                      << link::FingerprintLine(link::WriteFingerprint(sent), Language::English)
                      << "\n";
            return kOk;
        case link::WriteEnd::Differs:
            PrintDifferences(result.differences);
            return kNotVerified;
        case link::WriteEnd::NotVerified:
            if (last.result == TransferResult::Interrupted) return ReportVerifyNotRun(last.signal);
            std::cerr << "varel-cli: the write ended, but the radio could not be read back:\n";
            return ReportTransfer(last, device);
    }
    return kFailure;
}

}  // namespace

int RunWrite(const Args& args) {
    ParsedArgs parsed;
    std::string error;
    const std::vector<CliOption> accepted = {
        {"--port", true},         {"--band", true},    {"--debug-mode", false},
        {"--force-write", false}, {"--strict", false}, {"--verify", false},
        {"--no-backup", false},   {"--trace", true},   {"--display", true}};
    if (!ParseArgs(args, accepted, parsed, error)) return UsageError(kWriteUsage, error);
    if (parsed.help) return PrintHelp(kWriteUsage);
    // Before the file count: "--band IN.dat" took the file as the band.
    int band = -1;
    if (!BandOption(parsed, band, error)) return UsageError(kWriteUsage, error);
    std::string device;
    if (!TransferDevice(parsed, device, error)) return UsageError(kWriteUsage, error);
    std::vector<FleetRadio> radios;
    if (!FleetRadios(parsed, radios, error)) return UsageError(kWriteUsage, error);

    // The program's language at start, in which the file is opened.
    const Language lang = Language::Chinese;
    Configuration cfg;
    if (!OpenConfiguration(parsed.positional[0], cfg, error, lang)) return Fail(error);
    if (band >= 0) cfg.settings.setBand(band);
    if (radios.size() > 1) return WriteFleet(parsed, cfg, radios);
    cfg = RadioConfiguration(cfg, radios[0]);

    link::WriteRequest request;
    request.options.band = cfg.settings.band();
    request.options.debugMode = parsed.has("--debug-mode");
    request.options.forceWriteMode = parsed.has("--force-write");
    request.verify = parsed.has("--verify");
    MemoryImage out;
    link::WriteProcedure procedure(out, request);
    TraceFile trace(parsed, "write", device);
    if (!trace.check(error)) return Fail(error);
    TransferRunner runner;
    runner.setTrace(trace.recorder());
    TransferReport last;
    std::optional<int> settleMs;
    link::WriteNext next = procedure.start();
    while (!procedure.ended()) {
        switch (next.task) {
            case link::WriteTask::Check:
                next = procedure.checkAnswered(CheckAndWarn(cfg, parsed.has("--strict")));
                break;
            case link::WriteTask::OpenPort:
                last = runner.open(device);
                next = procedure.portOpened(last.result == TransferResult::Success);
                break;
            case link::WriteTask::BackUp:  // asked for from within the write, below
                return kFailure;
            case link::WriteTask::Write: {
                EncodeImage(cfg, out);
                link::WriteMachine machine(out, request.options);
                WriteRun write;
                write.finishOnFirstSigint = true;
                write.onFirstBlock = [&] {
                    if (procedure.firstBlockAhead().task == link::WriteTask::BackUp)
                        procedure.backupEnded(BackUp(parsed, out, BackupKind::Write));
                };
                // A forced write asks on a band mismatch, and the answer is OK.
                last = runner.run(MessageText(Message::WritingData, Language::English),
                                  request.options.forceWriteMode, machine, write);
                if (last.letFinish) {
                    std::cerr << "varel-cli: interrupted after the write finished: the radio "
                                 "holds the whole new configuration"
                              << (request.verify ? "; the verify did not run" : "") << "\n";
                    return kInterrupted + last.signal;
                }
                if (last.result == TransferResult::Interrupted)
                    return ReportPartWritten(machine.step(), request.options, last);
                next = procedure.writeEnded(last.outcome);
                break;
            }
            case link::WriteTask::Settle: {
                if (next.retry)
                    std::cerr << "varel-cli: no answer to the read-back; trying once more\n";
                if (!settleMs) settleMs = SettleMs();
                if (const int signo = runner.wait(*settleMs); signo != 0)
                    return ReportVerifyNotRun(signo);
                next = procedure.settleElapsed();
                break;
            }
            case link::WriteTask::ReadBack: {
                last = runner.open(device);
                if (last.result == TransferResult::Success) {
                    link::ReadMachine machine(procedure.readBackImage());
                    last = runner.run(MessageText(Message::ReadingData, Language::English), false,
                                      machine);
                }
                next = procedure.readBackEnded(last.outcome);
                break;
            }
            case link::WriteTask::Report:
                break;
            case link::WriteTask::None:  // every task above is answered in turn
                return kFailure;
        }
    }
    return ReportWrite(procedure.result(), out, last, device);
}

}  // namespace varel::cli
