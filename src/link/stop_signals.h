#pragma once
// SIGINT and SIGTERM during a radio transfer. The handler only writes the signal's number to a
// pipe; the Qt event loop reads it and asks the owner to end the transfer, so that End still
// reaches the radio and the port and its lock are released.
#include <QSocketNotifier>
#include <functional>
#include <memory>

namespace varel::link {

/// Catches SIGINT and SIGTERM for as long as it lives (one at a time per process).
class StopSignals {
public:
    /// Installs the handlers; onStop runs on the event loop with the signal's number, once per
    /// signal caught.
    explicit StopSignals(std::function<void(int)> onStop);
    /// Restores the handlers that were there before.
    ~StopSignals();
    StopSignals(const StopSignals&) = delete;
    StopSignals& operator=(const StopSignals&) = delete;

    /// The first signal caught (0 when none), also one the event loop has not seen yet.
    int caught();

private:
    void drain();

    std::function<void(int)> m_onStop;
    std::unique_ptr<QSocketNotifier> m_notifier;
    int m_first = 0;
};

}  // namespace varel::link
