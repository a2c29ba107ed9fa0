#include "cli/transfer_runner.h"

#include <signal.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QString>
#include <QTimer>
#include <iostream>
#include <memory>

#include "cli/verbs.h"
#include "files/file_io.h"
#include "image/messages.h"
#include "link/frames.h"
#include "link/port_map.h"
#include "link/port_problem.h"
#include "link/stop_signals.h"

namespace varel::cli {

namespace {

const std::string& English(Message message) {
    return MessageText(message, Language::English);
}

TransferResult FromOutcome(link::Outcome outcome) {
    switch (outcome) {
        case link::Outcome::Success:
            return TransferResult::Success;
        case link::Outcome::BandRefused:
        case link::Outcome::Cancelled:
            return TransferResult::BandRefused;
        case link::Outcome::Interrupted:
            return TransferResult::Interrupted;
        case link::Outcome::PortInvalid:
            return TransferResult::PortInvalid;
        case link::Outcome::Pending:
        case link::Outcome::CommunicationError:
            break;
    }
    return TransferResult::Communication;
}

// The progress of a transfer on a terminal: one line that shows each step once and ends with
// "done" after a success.
class ProgressLine {
public:
    ProgressLine(const std::string& label, bool shown) : m_label(label), m_shown(shown) {}

    void show(int value) {
        if (!m_shown || value == m_last) return;
        m_last = value;
        m_open = true;
        std::cerr << "\r" << m_label << " " << value << "/" << link::kLastStep << std::flush;
    }
    // Ends the line so that a message can follow on its own.
    void breakLine() { finish(false); }
    void finish(bool success) {
        if (m_open) std::cerr << (success ? " done\n" : "\n");
        m_open = false;
    }

private:
    std::string m_label;
    bool m_shown;
    bool m_open = false;
    int m_last = 0;
};

}  // namespace

std::unique_ptr<QCoreApplication> MakeApplication() {
    static int argc = 1;
    static char name[] = "varel-cli";
    static char* argv[] = {name, nullptr};
    if (QCoreApplication::instance() != nullptr) return nullptr;
    return std::make_unique<QCoreApplication>(argc, argv);
}

bool TransferDevice(const ParsedArgs& parsed, std::string& device, std::string& problem) {
    if (!parsed.has("--port")) {
        problem = "--port PORT is needed";
        return false;
    }
    if (parsed.positional.size() != 1 || parsed.positional[0].empty()) {
        problem = parsed.positional.size() == 1 ? "the data file name is empty"
                                                : "one data file is needed";
        return false;
    }
    const link::PortArgument port = link::ResolvePortArgument(parsed.options.at("--port"));
    if (!port.valid) {
        problem =
            "--port needs a port name Com1 to Com20, a number from 1 to 20 or the path "
            "of an existing device, not '" +
            parsed.options.at("--port") + "'";
        return false;
    }
    device = port.device;
    return true;
}

TransferRunner::TransferRunner() : m_app(MakeApplication()) {}

TransferRunner::~TransferRunner() = default;

TransferReport TransferRunner::open(const std::string& device) {
    m_device = device;
    TransferReport report;
    if (m_transfer.open(QString::fromStdString(device))) {
        report.result = TransferResult::Success;
    } else {
        report.result = TransferResult::PortInvalid;
        report.outcome = link::Outcome::PortInvalid;
        report.problem = m_transfer.openProblem();
    }
    return report;
}

TransferReport TransferRunner::run(const std::string& label, bool answerBandOk,
                                   link::TransferMachine& machine, const WriteRun& write) {
    ProgressLine progress(label, !label.empty() && isatty(STDERR_FILENO) != 0);
    link::Outcome outcome = link::Outcome::Pending;
    QObject scope;  // the connections of this run end with it
    QObject::connect(&m_transfer, &link::SerialTransfer::progressChanged, &scope,
                     [&](int value) { progress.show(value); });
    QObject::connect(&m_transfer, &link::SerialTransfer::bandQuestion, &scope, [&] {
        progress.breakLine();
        std::cerr << "varel-cli: " << English(Message::BandQuestion) << " "
                  << (answerBandOk ? "OK" : "Cancel") << "\n";
        m_transfer.answerBandQuestion(answerBandOk);
    });
    bool blocksGoing = false;
    QObject::connect(&m_transfer, &link::SerialTransfer::firstBlockAhead, &scope, [&] {
        blocksGoing = true;
        if (write.onFirstBlock) write.onFirstBlock();
    });
    QObject::connect(&m_transfer, &link::SerialTransfer::finished, &scope,
                     [&](link::Outcome result) {
                         outcome = result;
                         QCoreApplication::exit(0);
                     });

    TransferReport report;
    bool letPass = false;
    {
        link::StopSignals stop([&](int signo) {
            // Stopping half-way leaves the radio with a mix of two configurations; finishing
            // takes seconds.
            if (write.finishOnFirstSigint && blocksGoing && signo == SIGINT && !letPass &&
                m_transfer.isRunning()) {
                letPass = true;
                progress.breakLine();
                std::cerr << "varel-cli: finishing the write; Ctrl-C again stops now and leaves "
                             "the radio partly written\n";
                return;
            }
            m_transfer.interrupt();
        });
        if (m_transfer.begin(machine)) {
            QCoreApplication::exec();
            progress.finish(outcome == link::Outcome::Success);
        } else {
            outcome = link::Outcome::PortInvalid;
            report.problem = link::DiagnosePort(m_device);
        }
        report.outcome = outcome;
        report.result = FromOutcome(outcome);
        report.signal = stop.caught();
        // A write that ended well despite a signal (one let pass, or one that came as it
        // ended) has put the whole configuration into the radio: the verb says so.
        report.letFinish =
            write.finishOnFirstSigint && report.signal != 0 && outcome == link::Outcome::Success;
    }
    // A signal that found no transfer to end stops the program as it would have without the
    // handlers, before the verb saves anything.
    if (report.signal != 0 && report.result != TransferResult::Interrupted && !letPass &&
        !report.letFinish)
        ::raise(report.signal);
    return report;
}

int TransferRunner::wait(int ms) {
    QTimer timer;
    timer.setSingleShot(true);
    QObject::connect(&timer, &QTimer::timeout, [] { QCoreApplication::exit(0); });
    link::StopSignals stop([](int) { QCoreApplication::exit(0); });
    timer.start(ms);
    QCoreApplication::exec();
    return stop.caught();
}

TransferReport RunTransfer(const TransferRun& run, link::TransferMachine& machine) {
    TransferRunner runner;
    runner.setTrace(run.trace);
    const TransferReport opened = runner.open(run.device);
    if (opened.result != TransferResult::Success) return opened;
    return runner.run(run.label, run.answerBandOk, machine);
}

TraceFile::TraceFile(const ParsedArgs& parsed, const std::string& direction,
                     const std::string& device)
    : TraceFile(parsed.has("--trace") ? parsed.options.at("--trace") : std::string(), direction,
                device) {}

TraceFile::TraceFile(const std::string& path, const std::string& direction,
                     const std::string& device)
    : m_path(path) {
    if (!m_path.empty()) m_recorder.start(direction, device);
}

TraceFile::~TraceFile() {
    if (!m_used) return;
    const std::string text = link::TraceText(m_recorder.trace());
    const DataFileResult saved =
        ReplaceFile(m_path, std::vector<std::uint8_t>(text.begin(), text.end()));
    if (!saved.ok())
        std::cerr << "varel-cli: warning: the trace was not saved: "
                  << DescribeFailure(m_path, saved) << "\n";
}

bool TraceFile::check(std::string& problem) const {
    if (m_path.empty()) return true;
    const DataFileResult target = CheckReplaceTarget(m_path);
    if (target.ok()) return true;
    problem = DescribeFailure(m_path, target);
    return false;
}

link::TraceRecorder* TraceFile::recorder() {
    if (m_path.empty()) return nullptr;
    m_used = true;
    return &m_recorder;
}

int ReportTransfer(const TransferReport& report, const std::string& device) {
    switch (report.result) {
        case TransferResult::Success:
            return kOk;
        case TransferResult::PortInvalid: {
            const std::string reason = link::PortProblemText(report.problem, Language::English);
            std::cerr << "varel-cli: " << English(Message::PortInvalid) << " (" << device << ")"
                      << (reason.empty() ? "" : ": " + reason) << "\n";
            return kPortInvalid;
        }
        case TransferResult::Communication:
            std::cerr << "varel-cli: " << English(Message::CommunicationError) << "\n";
            return kCommunication;
        case TransferResult::BandRefused:
            std::cerr << "varel-cli: " << English(Message::BandRefused) << "\n";
            return kBandRefused;
        case TransferResult::Interrupted:
            std::cerr << "varel-cli: interrupted; the radio was sent End and the port closed\n";
            return kInterrupted + report.signal;
    }
    return kFailure;
}

}  // namespace varel::cli
