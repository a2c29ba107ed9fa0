#include "cli/write_fleet.h"

#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <cstdlib>
#include <iostream>
#include <memory>

#include "cli/transfer_runner.h"
#include "cli/verbs.h"
#include "cli/write_report.h"
#include "image/memory_image.h"
#include "image/messages.h"
#include "image/settings_input.h"
#include "link/frames.h"
#include "link/port_map.h"
#include "link/port_problem.h"
#include "link/radio_write.h"
#include "link/stop_signals.h"
#include "link/write_fingerprint.h"

namespace varel::cli {

namespace {

using link::RadioStage;

const std::string& English(Message message) {
    return MessageText(message, Language::English);
}

// "Com7" for a port number, else the argument as given.
std::string PortLabel(const std::string& argument) {
    char* end = nullptr;
    const long number = std::strtol(argument.c_str(), &end, 10);
    if (!argument.empty() && *end == '\0' && number >= 1 && number <= link::kLastPort)
        return "Com" + std::to_string(number);
    return argument;
}

FleetRadio* RadioOf(std::vector<FleetRadio>& radios, const std::string& device) {
    for (FleetRadio& radio : radios)
        if (radio.device == device) return &radio;
    return nullptr;
}

bool TakeDisplay(const std::string& option, std::vector<FleetRadio>& radios, std::string& problem) {
    const std::size_t eq = option.find('=');
    if (eq == std::string::npos) {
        problem = "--display needs PORT=TEXT, not '" + option + "'";
        return false;
    }
    const std::string port = option.substr(0, eq);
    const link::PortArgument resolved = link::ResolvePortArgument(port);
    FleetRadio* radio = resolved.valid ? RadioOf(radios, resolved.device) : nullptr;
    if (radio == nullptr) {
        problem = "--display " + option + ": no --port names " + port;
        return false;
    }
    if (radio->display) {
        problem = "--display gives " + port + " two texts";
        return false;
    }
    radio->display = DisplayCharacterText(option.substr(eq + 1));
    if (!radio->display) {
        problem =
            "--display " + option + ": the Display Character holds up to 6 of 0-9, A-Z, *, # and -";
        return false;
    }
    return true;
}

// What a radio's write came to, in one line, and whether it succeeded.
struct RadioSummary {
    bool ok = false;
    std::string text;
};

std::string Failed(const std::string& why) {
    return "failed: " + why;
}

std::string PortInvalidText(const link::RadioWrite& write) {
    const std::string reason = link::PortProblemText(write.portProblem(), Language::English);
    return English(Message::PortInvalid) + (reason.empty() ? "" : ": " + reason);
}

std::string WriteFailedText(const link::RadioWrite& write, const link::WriteOptions& options) {
    if (write.result().write == link::Outcome::Interrupted) {
        if (const auto sent = BlocksSent(write.writeStep(), options))
            return "partly written: " + *sent +
                   " were sent, the others hold what they held before; write again";
        return "interrupted: nothing was written";
    }
    return Failed(link::WriteFailureText(write, Language::English));
}

// fingerprint: that of the image this radio was sent, which a verified radio is known to hold.
RadioSummary Summarise(const link::RadioWrite& write, const link::WriteOptions& options,
                       const std::string& fingerprint) {
    const link::WriteResult& result = write.result();
    switch (result.end) {
        case link::WriteEnd::Stopped:
        case link::WriteEnd::PortInvalid:
        case link::WriteEnd::Failed:
            return {false, WriteFailedText(write, options)};
        case link::WriteEnd::Written:
            return {true, write.letFinish() ? "written (finished after Ctrl-C)" : "written"};
        case link::WriteEnd::Verified:
            return {true, "written, verified (" +
                              link::FingerprintLine(fingerprint, Language::English) + ")"};
        case link::WriteEnd::Differs: {
            std::string blocks;
            for (const link::BlockDifference& difference : result.differences)
                blocks += (blocks.empty() ? "" : ", ") + AddressText(difference.address);
            return {false, Failed("the radio does not hold what was written (" +
                                  DifferCount(result.differences.size()) + ": " + blocks +
                                  "); write again")};
        }
        case link::WriteEnd::NotVerified:
            // Stopped in the settle or the read-back: the radio holds the whole image.
            if (result.readBack == link::Outcome::Interrupted)
                return {true, std::string(write.letFinish() ? "written (finished after Ctrl-C)"
                                                            : "written") +
                                  "; the verify did not run"};
            return {false, Failed("written, but the radio could not be read back: " +
                                  (result.readBack == link::Outcome::PortInvalid
                                       ? PortInvalidText(write)
                                       : English(Message::CommunicationError)))};
    }
    return {false, Failed("unknown")};
}

// One progress line per radio on a terminal, redrawn in place.
class FleetProgress {
public:
    FleetProgress(const std::vector<FleetRadio>& radios, bool shown)
        : m_radios(radios), m_lines(radios.size()), m_shown(shown) {}

    void show(std::size_t radio, const std::string& line) {
        if (!m_shown || m_lines[radio] == line) return;
        m_lines[radio] = line;
        if (m_drawn) std::cerr << "\033[" << m_lines.size() << "A";
        for (std::size_t i = 0; i < m_lines.size(); ++i)
            std::cerr << "\r\033[K" << m_radios[i].label << ": " << m_lines[i] << "\n";
        std::cerr << std::flush;
        m_drawn = true;
    }

private:
    const std::vector<FleetRadio>& m_radios;
    std::vector<std::string> m_lines;
    bool m_shown;
    bool m_drawn = false;
};

std::string StageText(RadioStage stage) {
    switch (stage) {
        case RadioStage::Connecting:
            return "connecting";
        case RadioStage::Writing:
            return "writing";
        case RadioStage::Settling:
            return "settling";
        case RadioStage::ReadingBack:
            return "reading back";
        case RadioStage::Ended:
            return "ended";
        case RadioStage::Idle:
            break;
    }
    return "waiting";
}

}  // namespace

bool FleetRadios(const ParsedArgs& parsed, std::vector<FleetRadio>& radios, std::string& problem) {
    radios.clear();
    for (const std::string& port : parsed.values.at("--port")) {
        const link::PortArgument resolved = link::ResolvePortArgument(port);
        if (!resolved.valid) {
            problem =
                "--port needs a port name Com1 to Com20, a number from 1 to 20 or the path "
                "of an existing device, not '" +
                port + "'";
            return false;
        }
        if (const FleetRadio* same = RadioOf(radios, resolved.device)) {
            problem = "--port " + port + " and --port " + same->label + " are the same device " +
                      resolved.device;
            return false;
        }
        radios.push_back({PortLabel(port), resolved.device, std::nullopt});
    }
    if (parsed.values.count("--display") != 0)
        for (const std::string& option : parsed.values.at("--display"))
            if (!TakeDisplay(option, radios, problem)) return false;
    return true;
}

Configuration RadioConfiguration(const Configuration& cfg, const FleetRadio& radio) {
    Configuration own = cfg;
    if (radio.display) own.settings.setText(SettingId::DisplayCharacter, *radio.display);
    return own;
}

std::string RadioTracePath(const std::string& path, const FleetRadio& radio) {
    std::string name = radio.label;
    if (name.rfind("/dev/", 0) == 0) name.erase(0, 5);
    while (!name.empty() && name[0] == '/') name.erase(0, 1);
    for (char& c : name)
        if (c == '/') c = '-';
    const std::size_t slash = path.rfind('/');
    const std::size_t dot = path.rfind('.');
    const bool hasExtension =
        dot != std::string::npos && dot > (slash == std::string::npos ? 0 : slash + 1);
    if (!hasExtension) return path + "-" + name;
    return path.substr(0, dot) + "-" + name + path.substr(dot);
}

int WriteFleet(const ParsedArgs& parsed, const Configuration& cfg,
               const std::vector<FleetRadio>& radios) {
    std::vector<std::unique_ptr<TraceFile>> traces;
    for (const FleetRadio& radio : radios) {
        const std::string path =
            parsed.has("--trace") ? RadioTracePath(parsed.options.at("--trace"), radio) : "";
        traces.push_back(std::make_unique<TraceFile>(path, "write", radio.device));
        std::string error;
        if (!traces.back()->check(error)) return Fail(error);
    }
    if (!CheckAndWarn(cfg, parsed.has("--strict"))) return kCheckRefused;

    link::WriteRequest request;
    request.options.band = cfg.settings.band();
    request.options.debugMode = parsed.has("--debug-mode");
    request.options.forceWriteMode = parsed.has("--force-write");
    request.verify = parsed.has("--verify");
    const int settleMs = request.verify ? SettleMs() : 0;

    const std::unique_ptr<QCoreApplication> app = MakeApplication();
    FleetProgress progress(radios, isatty(STDERR_FILENO) != 0);
    std::vector<std::unique_ptr<link::RadioWrite>> writes;
    std::vector<std::string> fingerprints;
    std::size_t running = radios.size();
    for (std::size_t i = 0; i < radios.size(); ++i) {
        MemoryImage image;
        EncodeImage(RadioConfiguration(cfg, radios[i]), image);
        fingerprints.push_back(link::WriteFingerprint(image));
        auto write = std::make_unique<link::RadioWrite>(radios[i].device, image, request);
        link::RadioWrite* w = write.get();
        w->setSettleMs(settleMs);
        w->setTrace(traces[i]->recorder());
        w->setAnswerBandOk(request.options.forceWriteMode);
        w->setBackup(
            [&parsed](const MemoryImage& sent) { return BackUp(parsed, sent, BackupKind::Write); });
        QObject::connect(w, &link::RadioWrite::progressChanged, [&progress, w, i](int step) {
            progress.show(i, StageText(w->stage()) + " " + std::to_string(step) + "/" +
                                 std::to_string(link::kLastStep));
        });
        QObject::connect(w, &link::RadioWrite::ended, [&running] {
            if (--running == 0) QCoreApplication::exit(0);
        });
        writes.push_back(std::move(write));
    }

    int stopsSeen = 0;
    link::StopSignals stop([&](int signo) {
        // A first Ctrl-C lets the writes whose blocks go finish, as stopping half-way leaves a
        // radio with a mix of two configurations; the others stop before they change anything.
        if (++stopsSeen == 1 && signo == SIGINT) {
            std::string finishing;
            for (std::size_t i = 0; i < writes.size(); ++i)
                if (writes[i]->stage() == RadioStage::Writing)
                    finishing += (finishing.empty() ? "" : ", ") + radios[i].label;
            if (!finishing.empty())
                std::cerr << "varel-cli: finishing the writes under way (" << finishing
                          << "); Ctrl-C again stops them now and leaves those radios partly "
                             "written\n";
            for (const auto& write : writes) write->finishOrStop();
            return;
        }
        for (const auto& write : writes) write->stop();
    });
    for (const auto& write : writes) write->start();
    if (running > 0) QCoreApplication::exec();
    const int signo = stop.caught();

    std::string failed;
    std::size_t failures = 0;
    for (std::size_t i = 0; i < writes.size(); ++i) {
        const RadioSummary summary = Summarise(*writes[i], request.options, fingerprints[i]);
        std::cout << radios[i].label
                  << (radios[i].label == radios[i].device ? "" : " (" + radios[i].device + ")")
                  << ": " << summary.text << "\n";
        if (summary.ok) continue;
        ++failures;
        failed += (failed.empty() ? "" : ", ") + radios[i].label;
    }
    std::cout << std::flush;
    if (failures > 0)
        std::cerr << "varel-cli: " << failures << " of " << radios.size()
                  << " radios failed: " << failed << "\n";
    if (signo != 0) return kInterrupted + signo;
    return failures == 0 ? kOk : kSomeRadiosFailed;
}

}  // namespace varel::cli
