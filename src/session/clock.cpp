#include "session/clock.h"

#include <QTime>

namespace varel {

double SystemClock::secondsSinceMidnight() const {
    return QTime::currentTime().msecsSinceStartOfDay() / 1000.0;
}

}  // namespace varel
