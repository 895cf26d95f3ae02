#pragma once

// One reading of the local clock: Gregorian calendar, 24-hour day.
struct ClockReading {
    int year = 0;   // all digits, e.g. 2005
    int month = 0;  // 1 to 12
    int day = 0;    // 1 to 31
    int hour = 0;   // 0 to 23
    int minute = 0; // 0 to 59
    int second = 0; // 0 to 59
};

class Clock {
public:
    virtual ~Clock() = default;
    virtual ClockReading ReadClock() = 0;
};
