#pragma once
// Timing of the radio's side of a 9600 bit/s line. A pseudo-terminal moves bytes at once; when
// pacing is on, every byte takes its wire time (10 bits at 9600 bit/s, about 1.0417 ms) to be
// received and to be sent. Deadlines are absolute, so the time spent between bytes does not
// add to the wire time.
#include <cstdint>
#include <vector>

namespace varel::sim {

/// Nanoseconds on the monotonic clock.
std::int64_t NowNs();
/// Sleeps until the monotonic clock reaches deadlineNs.
void SleepUntilNs(std::int64_t deadlineNs);

/// Wire time of one byte at 9600 bit/s with 8N1 framing, in nanoseconds.
constexpr std::int64_t kByteTimeNs = 10 * 1000000000LL / 9600;

/// Sends and accepts bytes on a descriptor, paced or not.
class PacedLine {
public:
    /// fd is written to; pace switches the wire timing on.
    PacedLine(int fd, bool pace);

    /// Waits until a byte read at readNs (monotonic) has fully arrived on the wire.
    void accept(std::int64_t readNs);
    /// Sends bytes, the first not before notBeforeNs; when pacing each takes one wire slot
    /// and the slots follow the end of the previous send without a gap. False when the line
    /// is gone.
    bool send(const std::vector<std::uint8_t>& bytes, std::int64_t notBeforeNs);
    /// When a reply to the bytes accepted so far can start: the moment the last of them
    /// finished arriving when pacing (the radio turns round at once), else now.
    std::int64_t replyStart() const;
    /// When the last byte sent finished leaving (pacing), else now.
    std::int64_t sendEnd() const;

private:
    int m_fd;
    bool m_pace;
    std::int64_t m_rxClock = 0;  // when the last accepted byte finished arriving
    std::int64_t m_txClock = 0;  // when the last sent byte finished leaving
};

}  // namespace varel::sim
