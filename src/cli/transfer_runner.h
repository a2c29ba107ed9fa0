#pragma once
// Runs the radio transfers of a verb of varel-cli: a Qt event loop around the serial adapter.
#include <QCoreApplication>
#include <functional>
#include <memory>
#include <string>

#include "cli/cli_common.h"
#include "link/port_problem.h"
#include "link/serial_transfer.h"
#include "link/transfer_actions.h"
#include "link/transfer_machine.h"
#include "link/transfer_trace.h"

namespace varel::cli {

/// How a transfer run by the command line went.
enum class TransferResult {
    Success,        ///< the machine ended with success
    PortInvalid,    ///< the port could not be opened; nothing was sent
    Communication,  ///< the radio did not answer in time
    BandRefused,    ///< the radio's band differs (refused, or the question answered Cancel)
    Interrupted,    ///< SIGINT or SIGTERM ended it; End was sent and the port closed
};

/// The end of a transfer run.
struct TransferReport {
    TransferResult result = TransferResult::Communication;  ///< how it went
    link::Outcome outcome = link::Outcome::Pending;         ///< the machine's or the port's end
    link::PortProblem problem = link::PortProblem::None;    ///< why the port could not be opened
    int signal = 0;          ///< the signal that interrupted it (Interrupted), or that was let pass
    bool letFinish = false;  ///< a write ended well after a signal (one let pass, or a late one)
};

/// How a write's transfer treats the signals and its first block.
struct WriteRun {
    /// Runs, before the first block leaves, once the radio has accepted the write.
    std::function<void()> onFirstBlock;
    /// A first SIGINT while the blocks go lets the write finish (saying so); a second SIGINT,
    /// or SIGTERM, ends it at once.
    bool finishOnFirstSigint = false;
};

/// Settings of a transfer run.
struct TransferRun {
    std::string device;         ///< device path of the port
    std::string label;          ///< progress text, shown on standard error if it is a terminal
    bool answerBandOk = false;  ///< answer the band question with OK (else Cancel)
    link::TraceRecorder* trace = nullptr;  ///< taps the transfer (nullptr: no trace)
};

/// The device of the --port option of a transfer verb, which also takes exactly one file.
/// False with problem set when the option is missing or invalid or the file count is wrong.
bool TransferDevice(const ParsedArgs& parsed, std::string& device, std::string& problem);

/// The serial adapter of a verb's transfers and the Qt application it runs in: a port is
/// opened, a machine runs over it to its end (which closes the port), and so on again.
class TransferRunner {
public:
    /// An idle runner; makes the Qt application when there is none.
    TransferRunner();
    ~TransferRunner();
    TransferRunner(const TransferRunner&) = delete;
    TransferRunner& operator=(const TransferRunner&) = delete;

    /// Opens the device: result Success when it is open, else PortInvalid with the problem.
    TransferReport open(const std::string& device);
    /// Runs the machine over the port that open() opened to its end; the port is then closed.
    /// The progress is shown under label on a terminal (not at all with an empty label).
    /// SIGINT and SIGTERM during the run end the transfer as a reply timeout does (a write may
    /// let a first SIGINT pass, see WriteRun); one that arrives when no transfer runs ends the
    /// program (before anything is saved).
    TransferReport run(const std::string& label, bool answerBandOk, link::TransferMachine& machine,
                       const WriteRun& write = {});
    /// Taps every following transfer with recorder (nullptr: none), which must outlive them.
    void setTrace(link::TraceRecorder* recorder) { m_transfer.setTrace(recorder); }
    /// Waits ms milliseconds on the event loop; the SIGINT or SIGTERM that cut the wait short,
    /// or 0.
    int wait(int ms);

private:
    std::unique_ptr<QCoreApplication> m_app;  // made before the adapter, whose timer needs it
    link::SerialTransfer m_transfer;
    std::string m_device;
};

/// The --trace FILE option of a transfer verb: the trace of every transfer the verb runs,
/// saved to FILE when the verb ends, whatever the transfers' outcome.
class TraceFile {
public:
    /// Traces a verb of direction ("read" or "write") on device when parsed has --trace.
    TraceFile(const ParsedArgs& parsed, const std::string& direction, const std::string& device);
    /// Traces a transfer of direction on device to path (empty: no trace).
    TraceFile(const std::string& path, const std::string& direction, const std::string& device);
    /// Saves the trace once recorder() was taken; a trace that cannot be saved is a warning
    /// and changes nothing of the verb's outcome.
    ~TraceFile();
    TraceFile(const TraceFile&) = delete;
    TraceFile& operator=(const TraceFile&) = delete;

    /// Ok when there is no --trace or FILE can be written; else why not (as DescribeFailure
    /// says it).
    bool check(std::string& problem) const;
    /// The recorder to tap the transfers with, or nullptr without --trace.
    link::TraceRecorder* recorder();

private:
    std::string m_path;
    link::TraceRecorder m_recorder;
    bool m_used = false;
};

/// The Qt application whose event loop runs the transfers, unless one exists already (null).
std::unique_ptr<QCoreApplication> MakeApplication();

/// Opens the port, runs the machine to its end, closes the port (TransferRunner).
TransferReport RunTransfer(const TransferRun& run, link::TransferMachine& machine);

/// Prints "varel-cli: " and the message of a failed transfer in English to standard error and
/// returns the verb's exit code for it (kOk for Success, printing nothing).
int ReportTransfer(const TransferReport& report, const std::string& device);

}  // namespace varel::cli
