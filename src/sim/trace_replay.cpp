#include "sim/trace_replay.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace varel::sim {

namespace {

// The line of the trace's text that holds event number index (the first line is the header).
std::string LineOf(std::size_t index) {
    return std::to_string(index + 2);
}

}  // namespace

TraceReplay::TraceReplay(link::Trace trace) : m_trace(std::move(trace)) {
    // A line without bytes (which a read trace never has) would be nothing to wait for.
    auto& events = m_trace.events;
    events.erase(std::remove_if(events.begin(), events.end(),
                                [](const link::TraceEvent& e) { return e.bytes.empty(); }),
                 events.end());
}

void TraceReplay::reset() {
    m_event = 0;
    m_byte = 0;
    m_started = false;
    m_diverged = false;
    m_divergence.clear();
    m_lastSeconds = 0;
}

Response TraceReplay::feed(std::uint8_t byte) {
    Response r;
    if (finished() && !m_diverged) reset();
    if (m_diverged) return r;
    if (!m_started) {
        // Pieces the radio sent before the program's first byte go out first.
        m_started = true;
        sendPieces(r);
    }
    if (m_event >= m_trace.events.size()) return r;
    const link::TraceEvent& expected = m_trace.events[m_event];
    if (expected.bytes[m_byte] != byte) {
        m_diverged = true;
        m_divergence = "the program sent " + HexText(&byte, 1) + " where line " + LineOf(m_event) +
                       " of the trace has " + HexText(&expected.bytes[m_byte], 1) +
                       "; silent from here";
        r.log.push_back("replay: " + m_divergence);
        return r;
    }
    if (++m_byte < expected.bytes.size()) return r;
    r.log.push_back("rx line " + LineOf(m_event) + ": " +
                    HexText(expected.bytes.data(), expected.bytes.size()));
    m_lastSeconds = expected.seconds;
    m_byte = 0;
    ++m_event;
    sendPieces(r);
    return r;
}

void TraceReplay::sendPieces(Response& r) {
    for (; m_event < m_trace.events.size() && !m_trace.events[m_event].sent; ++m_event) {
        const link::TraceEvent& piece = m_trace.events[m_event];
        r.writes.push_back(piece.bytes);
        r.delaysNs.push_back(std::llround((piece.seconds - m_lastSeconds) * 1e9));
        r.log.push_back("tx line " + LineOf(m_event) + ": " +
                        HexText(piece.bytes.data(), piece.bytes.size()));
        m_lastSeconds = piece.seconds;
    }
}

}  // namespace varel::sim
