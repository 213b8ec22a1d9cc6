#pragma once

#include <QString>

#include <cstdint>

// The parts of the last time text. A part that does not fit keeps its old value.
struct TimeParts {
    std::int16_t TimeHour = 0;
    std::int16_t TimeMinute = 0;
    std::int16_t TimeSecond = 0;
};

// "hh:mm:ss" of a count of milliseconds; records the parts in `box`. Each part has at least two digits and
// takes the locale's thousands separator from 1000 on.
QString TimeText(double ms, TimeParts &box);

// One time part in the "#,00" number format.
QString timePartText(int value);
