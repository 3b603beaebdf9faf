#pragma once

namespace ravelt {

// A moment as the program shows it: calendar date and time of day, local time.
struct DateTime {
    int year = 2000, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0;
};

// The workstation's clock. Reports and copies named with the time read it through this
// interface, so tests pin it with a FixedClock.
class Clock {
public:
    virtual ~Clock() = default;
    virtual DateTime now() const = 0;
};

class SystemClock : public Clock {
public:
    DateTime now() const override;
};

class FixedClock : public Clock {
public:
    explicit FixedClock(DateTime at) : at_(at) {}
    DateTime now() const override { return at_; }

private:
    DateTime at_;
};

}
