#include "sim/paced_line.h"

#include <sys/prctl.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>

namespace varel::sim {

std::int64_t NowNs() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return std::int64_t{ts.tv_sec} * 1000000000LL + ts.tv_nsec;
}

void SleepUntilNs(std::int64_t deadlineNs) {
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(deadlineNs / 1000000000LL);
    ts.tv_nsec = static_cast<long>(deadlineNs % 1000000000LL);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
    }
}

PacedLine::PacedLine(int fd, bool pace) : m_fd(fd), m_pace(pace) {
    // Sleeps end up to the timer slack (50 us by default) late; at about 1 ms a byte that
    // would cost several percent of the wire time.
    if (m_pace) prctl(PR_SET_TIMERSLACK, 1UL, 0UL, 0UL, 0UL);
}

void PacedLine::accept(std::int64_t readNs) {
    if (!m_pace) return;
    // A byte finishes arriving one wire time after it was sent, and not before the byte
    // ahead of it has arrived.
    m_rxClock = std::max(m_rxClock, readNs) + kByteTimeNs;
    SleepUntilNs(m_rxClock);
}

namespace {

bool WriteAll(int fd, const std::uint8_t* data, std::size_t size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size);
        if (n < 0) {
            if (errno == EINTR) continue;
            return false;
        }
        data += n;
        size -= static_cast<std::size_t>(n);
    }
    return true;
}

}  // namespace

bool PacedLine::send(const std::vector<std::uint8_t>& bytes, std::int64_t notBeforeNs) {
    if (!m_pace) {
        SleepUntilNs(notBeforeNs);
        return WriteAll(m_fd, bytes.data(), bytes.size());
    }
    // Each byte reaches the far end once its last bit has left. The deadlines are absolute
    // and chained, so a late wake-up does not shift the bytes after it.
    std::int64_t deadline = std::max(m_txClock, notBeforeNs);
    for (std::uint8_t byte : bytes) {
        deadline += kByteTimeNs;
        SleepUntilNs(deadline);
        if (!WriteAll(m_fd, &byte, 1)) return false;
    }
    m_txClock = deadline;
    return true;
}

std::int64_t PacedLine::replyStart() const {
    return m_pace ? m_rxClock : NowNs();
}

std::int64_t PacedLine::sendEnd() const {
    return m_pace ? m_txClock : NowNs();
}

}  // namespace varel::sim
