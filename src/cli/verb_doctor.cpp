// varel-cli doctor: why the radio does not answer on a port.
#include <iostream>
#include <string>

#include "cli/cli_common.h"
#include "cli/transfer_runner.h"
#include "cli/verbs.h"
#include "link/identify_machine.h"
#include "link/port_doctor.h"
#include "link/port_map.h"

namespace varel::cli {

namespace {

const char kDoctorUsage[] =
    "usage: varel-cli doctor [--port PORT] [--lang en|zh]\n"
    "\n"
    "Looks for what keeps the radio from answering and says, for each finding, what to do:\n"
    "the device (present or missing; for a USB adapter its vendor:product, driver and chip,\n"
    "with a warning for chips known to misbehave), permission (the device's group and whether\n"
    "you are in it), other programs holding it (lock files, open files), services that take\n"
    "serial adapters (the braille display service brltty, ModemManager) and the kernel log\n"
    "(skipped when the system refuses it to you). Last, with --port, it wakes the radio, asks\n"
    "for its identification and ends the session: it never reads or writes the memory.\n"
    "Without --port the system checks run for every port whose device exists and the radio\n"
    "is not asked. Nothing is changed and nothing is run as another user: fixes are printed\n"
    "as commands for you to run.\n"
    "\n"
    "PORT is a port name Com1 to Com20 (any case), a number 1 to 20 or the path of a device\n"
    "(see 'varel-cli read --help').\n"
    "\n"
    "  --lang en|zh   the language of the findings (default en)\n"
    "  --root DIR     read the system (/dev, /sys, /proc, the lock folders, /etc/group) below\n"
    "                 DIR instead of / (for trying the checks on a copied tree)\n"
    "\n"
    "Exit codes: 0 the radio answered (without --port: nothing stands in the way), 2 usage,\n"
    "3 a port problem, 4 no answer or another model answered.\n";

// The exchange on device: wake-up, identification, End.
link::ExchangeResult Exchange(const std::string& device) {
    TransferRunner runner;
    const TransferReport opened = runner.open(device);
    if (opened.result != TransferResult::Success) {
        link::ExchangeResult result;
        result.problem = opened.problem;
        result.outcome = link::Outcome::PortInvalid;
        return result;
    }
    link::IdentifyMachine machine;
    runner.run("", false, machine);
    return machine.result();
}

}  // namespace

int RunDoctor(const Args& args) {
    ParsedArgs parsed;
    std::string error;
    if (!ParseArgs(args, {{"--port", true}, {"--lang", true}, {"--root", true}}, parsed, error))
        return UsageError(kDoctorUsage, error);
    if (parsed.help) return PrintHelp(kDoctorUsage);
    Language lang = Language::English;
    if (!LanguageOption(parsed, lang, error)) return UsageError(kDoctorUsage, error);
    if (!parsed.positional.empty()) return UsageError(kDoctorUsage, "doctor takes no file");
    const link::SystemView system(parsed.has("--root") ? parsed.options.at("--root") : "/");

    std::vector<link::Finding> findings;
    if (parsed.has("--port")) {
        const std::string& text = parsed.options.at("--port");
        link::PortArgument port = link::ResolvePortArgument(text);
        // A path that does not exist is the first finding, not a usage error.
        if (!port.valid && !text.empty() && text[0] == '/') port = {true, text};
        if (!port.valid)
            return UsageError(kDoctorUsage,
                              "--port needs a port name Com1 to Com20, a number from 1 to 20 or "
                              "the path of a device, not '" +
                                  text + "'");
        findings = link::CheckPort(system, port.device);
        findings.push_back(link::ExchangeFinding(port.device, Exchange(port.device)));
    } else {
        std::vector<std::string> devices;
        for (int n = link::kFirstPort; n <= link::kLastPort; ++n)
            devices.push_back(link::PortDevice(n));
        findings = link::CheckPorts(system, devices);
        findings.push_back({link::FindingKind::ExchangeNotRun, link::Severity::Note, "", {}});
    }
    std::cout << link::DoctorReport(findings, lang);
    return link::DoctorExitCode(findings);
}

}  // namespace varel::cli
