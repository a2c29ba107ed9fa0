#pragma once
// The time of day as the service gestures and buttons read it; tests replace it.
namespace varel {

/// A source of the time of day.
class Clock {
public:
    virtual ~Clock() = default;
    /// Seconds since midnight, with fractions.
    virtual double secondsSinceMidnight() const = 0;
};

/// The system's local time.
class SystemClock : public Clock {
public:
    double secondsSinceMidnight() const override;
};

}  // namespace varel
