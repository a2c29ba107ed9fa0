#include "link/stop_signals.h"

#include <fcntl.h>
#include <signal.h>
#include <unistd.h>

#include <cerrno>

namespace varel::link {

namespace {

int g_pipe[2] = {-1, -1};
struct sigaction g_previous[2];
constexpr int kSignals[2] = {SIGINT, SIGTERM};

void OnStopSignal(int signo) {
    const int saved = errno;
    const unsigned char number = static_cast<unsigned char>(signo);
    (void)!::write(g_pipe[1], &number, 1);
    errno = saved;
}

}  // namespace

StopSignals::StopSignals(std::function<void(int)> onStop) : m_onStop(std::move(onStop)) {
    if (g_pipe[0] >= 0 || ::pipe2(g_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
    m_notifier = std::make_unique<QSocketNotifier>(g_pipe[0], QSocketNotifier::Read);
    QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] { drain(); });
    struct sigaction action {};
    action.sa_handler = OnStopSignal;
    action.sa_flags = SA_RESTART;
    sigemptyset(&action.sa_mask);
    for (int i = 0; i < 2; ++i) ::sigaction(kSignals[i], &action, &g_previous[i]);
}

StopSignals::~StopSignals() {
    if (!m_notifier) return;
    for (int i = 0; i < 2; ++i) ::sigaction(kSignals[i], &g_previous[i], nullptr);
    m_notifier.reset();
    ::close(g_pipe[0]);
    ::close(g_pipe[1]);
    g_pipe[0] = g_pipe[1] = -1;
}

int StopSignals::caught() {
    if (!m_notifier) return 0;
    // Numbers still in the pipe count too, without running onStop for them.
    unsigned char number = 0;
    while (m_first == 0 && ::read(g_pipe[0], &number, 1) == 1) m_first = number;
    return m_first;
}

void StopSignals::drain() {
    unsigned char number = 0;
    while (::read(g_pipe[0], &number, 1) == 1) {
        if (m_first == 0) m_first = number;
        if (m_onStop) m_onStop(number);
    }
}

}  // namespace varel::link
