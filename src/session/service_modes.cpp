#include "session/service_modes.h"

#include <cmath>

#include "session/clock.h"

namespace varel {

namespace {

constexpr double kSecondsPerDay = 24 * 3600;
// Clicks on a gesture's captions count together while at most this many seconds have passed
// since the first of them.
constexpr double kGestureSeconds = 5;
// Two clicks on a service button less than this many seconds apart are a double click.
constexpr double kDoubleClickSeconds = 1;

int WholeSeconds(double seconds) {
    return static_cast<int>(std::lround(seconds));
}

// Seconds from a stored whole second to now. A stored time may lie up to half a second after
// now (it was rounded); anything earlier than that is a time of the previous day, so the count
// goes on across midnight instead of turning negative.
double SecondsSince(int stored, double now) {
    double elapsed = now - stored;
    if (elapsed < -kDoubleClickSeconds) elapsed += kSecondsPerDay;
    return elapsed;
}

bool AnyMark(const bool (&marks)[3]) {
    return marks[0] || marks[1] || marks[2];
}

}  // namespace

ServiceModes::ServiceModes(const Clock& clock, QObject* parent) : QObject(parent), m_clock(clock) {}

const char* ServiceModes::ButtonKey(int button) {
    static const char* const keys[] = {"TAnMa", "TDebug", "TFMMa"};
    return button >= 0 && button < 3 ? keys[button] : "";
}

double ServiceModes::now() const {
    return m_clock.secondsSinceMidnight();
}

void ServiceModes::captionClicked(ServiceMode mode, int caption) {
    const int m = static_cast<int>(mode);
    if (m < 0 || m > 2 || caption < 0 || caption > 2) return;
    Gesture& g = m_gestures[m];
    const double time = now();
    if (!AnyMark(g.marks)) g.start = WholeSeconds(time);

    if (SecondsSince(g.start, time) > kGestureSeconds) {
        // Too late: this click starts a new sequence and shows nothing yet.
        g = Gesture{};
        g.marks[caption] = true;
        g.start = WholeSeconds(time);
        return;
    }
    g.marks[caption] = true;
    if (g.marks[0] && g.marks[1] && g.marks[2]) setOn(mode, true);
}

void ServiceModes::serviceButtonClicked(int button) {
    if (button < 0 || button > 2) return;
    int& stored = m_clickTime[button];
    const double time = now();
    if (stored == 0 || SecondsSince(stored, time) >= kDoubleClickSeconds) {
        stored = WholeSeconds(time);
        return;
    }
    // A second click within the second: the mode goes off with its gesture's marks.
    stored = 0;
    const auto mode = static_cast<ServiceMode>(button);
    m_gestures[button] = Gesture{};
    setOn(mode, false);
}

void ServiceModes::setOn(ServiceMode mode, bool on) {
    bool& flag = m_on[static_cast<int>(mode)];
    if (flag == on) return;
    flag = on;
    emit modeChanged(mode, on);
}

}  // namespace varel
