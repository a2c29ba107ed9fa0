#pragma once
// The reply timeout shared by the read and the write machine.

namespace varel::link {

/// Counts 50 ms ticks since the start or the last accepted reply; the 12th silent tick ends
/// the transfer. While disabled (a question is open) ticks do nothing.
class ReplyTimer {
public:
    /// Ticks that pass silently; the next one times out.
    static constexpr int kSilentTicks = 11;

    /// Enables the timer and counts from zero.
    void start() {
        m_enabled = true;
        m_ticks = 0;
    }
    /// Counts from zero again (a reply was accepted).
    void reset() { m_ticks = 0; }
    /// Stops counting; ticks are ignored until enable().
    void disable() { m_enabled = false; }
    /// Resumes counting where it stood.
    void enable() { m_enabled = true; }
    /// One tick; true when it is the one that ends the transfer.
    bool tick() {
        if (!m_enabled) return false;
        if (m_ticks < kSilentTicks) {
            ++m_ticks;
            return false;
        }
        m_ticks = 0;
        m_enabled = false;
        return true;
    }

private:
    bool m_enabled = false;
    int m_ticks = 0;
};

}  // namespace varel::link
