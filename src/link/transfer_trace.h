#pragma once
// The trace of a transfer: every byte both ways with its time, and its text form.
//
//   varel-trace 1 direction=read port=/dev/ttyUSB0
//   +0.000000 > 50 52 4F 47 52 41 4D
//   +0.011873 < 06
//
// The first line names the format, its version, the direction of the transfer and the port
// (the rest of the line). Then one line for each output call of the program ('>') and for
// each piece the port received as it arrived ('<'): the seconds since the transfer began and
// the bytes as upper-case hexadecimal pairs. Several transfers of one run follow each other in
// one trace, their times running on.
#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace varel::link {

/// The name on the first line of a trace.
constexpr char kTraceFormat[] = "varel-trace";
/// The version of the format this program writes and reads.
constexpr int kTraceVersion = 1;

/// One line of a trace.
struct TraceEvent {
    double seconds = 0;               ///< since the trace began
    bool sent = false;                ///< an output call of the program (else received)
    std::vector<std::uint8_t> bytes;  ///< never empty
};

/// A whole trace.
struct Trace {
    std::string direction;  ///< "read" or "write"
    std::string port;       ///< the device of the transfer
    std::vector<TraceEvent> events;
};

/// The text form of a trace, one event a line, ending with a newline.
std::string TraceText(const Trace& trace);

/// Reads the text form. False, with the line number and what is wrong in problem, when the
/// text is not a complete trace of this version (an unknown first line, a bad time, a time
/// running back, a direction mark other than '<' or '>', a byte that is not two hexadecimal
/// digits, a line without bytes); trace is then left unchanged.
bool ParseTrace(const std::string& text, Trace& trace, std::string& problem);

/// Seconds on a monotonic clock; tests replace it.
using TraceClock = std::function<double()>;

/// The steady clock of the system, in seconds.
double SteadySeconds();

/// Taps a transfer: collects what was sent and received with the time of the clock.
class TraceRecorder {
public:
    /// A recorder that reads the given clock (the system's steady clock by default).
    explicit TraceRecorder(TraceClock clock = SteadySeconds);

    /// Starts a new trace of a transfer in direction ("read" or "write") on port; times count
    /// from now.
    void start(const std::string& direction, const std::string& port);
    /// Records one output call.
    void sent(const std::uint8_t* data, std::size_t size);
    /// Records one piece received.
    void received(const std::uint8_t* data, std::size_t size);

    /// What was recorded since start().
    const Trace& trace() const { return m_trace; }

private:
    void add(bool sent, const std::uint8_t* data, std::size_t size);

    TraceClock m_clock;
    double m_origin = 0;
    Trace m_trace;
};

}  // namespace varel::link
