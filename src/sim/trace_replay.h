#pragma once
// The radio of a recorded transfer trace, answering again as it did: the program's bytes are
// followed through the trace's sent lines, and once all bytes of a sent line have come, the
// received pieces recorded after it go out, each as one write, with the delays they had. A
// radio that stayed silent in the trace stays silent at the same point.
//
// A program that sends something else than the trace holds has left the recorded transfer:
// the replay says where once and stays silent. When the trace is used up, or after a
// divergence once the line was idle (reset()), the replay starts again from its beginning.
#include <cstdint>
#include <string>

#include "link/transfer_trace.h"
#include "sim/radio_protocol.h"

namespace varel::sim {

/// Replays the radio's side of a trace, byte by byte as the program sends.
class TraceReplay {
public:
    /// Replays trace (copied).
    explicit TraceReplay(link::Trace trace);

    /// Handles one byte the program sent: the recorded pieces that follow it, if it completes
    /// a sent line, with their delays.
    Response feed(std::uint8_t byte);
    /// Starts again from the beginning of the trace.
    void reset();

    /// True when the replay waits to be started again: the trace is used up or the program
    /// left it.
    bool finished() const { return m_diverged || m_event >= m_trace.events.size(); }
    /// True once the program sent something the trace does not hold (until reset()).
    bool diverged() const { return m_diverged; }
    /// Where and how the program left the trace (after diverged()).
    const std::string& divergence() const { return m_divergence; }

private:
    void sendPieces(Response& r);

    link::Trace m_trace;
    std::size_t m_event = 0;  // the next event to happen
    std::size_t m_byte = 0;   // bytes of that event (a sent one) already seen
    bool m_started = false;   // a byte was fed since the last reset
    bool m_diverged = false;
    std::string m_divergence;
    double m_lastSeconds = 0;  // the time of the last event that happened
};

}  // namespace varel::sim
